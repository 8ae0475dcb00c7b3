// Resource paths of the embedded pictures (see assets/CMakeLists.txt).
#pragma once

class QIcon;

namespace sumbrook::assets {

inline constexpr char kAboutPicture[] = ":/assets/about.jpg"; // 227 x 278 JPEG
inline constexpr char kIcon[] = ":/assets/sumbrook.ico";      // program icon, ten images
inline constexpr char kWindowIcon[] = ":/assets/window.ico";  // 16 to 64 px, 32-bit
inline constexpr char kHandCursor[] = ":/assets/hand.cur";    // hot spot at (6, 0)

// Registers the embedded files. Linking Sumbrook::assets normally does this
// before main(); calling it again is harmless. Returns whether all the files
// can be opened.
bool ensureResources();

// The windows' icon, read once and shared by every window: the sizes a window manager
// shows. The program file and the launcher carry the full icon.
const QIcon& windowIcon();

} // namespace sumbrook::assets
