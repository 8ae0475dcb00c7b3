// Resource paths of the embedded pictures (see assets/CMakeLists.txt).
#pragma once

class QIcon;

namespace sumbrook::assets {

inline constexpr char kAboutPicture[] = ":/assets/about.jpg"; // 227 x 278 JPEG
inline constexpr char kIcon[] = ":/assets/sumbrook.ico";      // window/program icon
inline constexpr char kHandCursor[] = ":/assets/hand.cur";    // hot spot at (6, 0)

// Registers the embedded files. Linking Sumbrook::assets normally does this
// before main(); calling it again is harmless. Returns whether all three files
// can be opened.
bool ensureResources();

// The program's icon, read once (ten images) and shared by every window.
const QIcon& programIcon();

} // namespace sumbrook::assets
