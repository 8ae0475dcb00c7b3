// Resource paths of the embedded pictures (see assets/CMakeLists.txt).
#pragma once

class QIcon;

namespace sumbrook::assets {

inline constexpr char kAboutPicture[] = ":/assets/about.jpg"; // 227 x 278 JPEG
// The same scene drawn at twice the size, 454 x 556, for screens of twice the density.
inline constexpr char kAboutPicture2x[] = ":/assets/about@2x.jpg";
inline constexpr char kIcon[] = ":/assets/sumbrook.ico";     // program icon, ten images
inline constexpr char kWindowIcon[] = ":/assets/window.ico"; // 16 to 64 px, 32-bit
inline constexpr char kHandCursor[] = ":/assets/hand.cur";   // hot spot at (6, 0)

// The About picture for a screen of the given device pixel ratio, and the ratio its pixels
// are drawn at: above 1 the 2x picture (at 150 % it is scaled down, which stays sharper
// than the 1x picture scaled up).
struct AboutPictureFile {
    const char* path;
    int devicePixelRatio;
};
AboutPictureFile aboutPictureFor(double screenDevicePixelRatio);

// Registers the embedded files. Linking Sumbrook::assets normally does this
// before main(); calling it again is harmless. Returns whether all the files
// can be opened.
bool ensureResources();

// The windows' icon, read once and shared by every window: the sizes a window manager
// shows. The program file and the launcher carry the full icon.
const QIcon& windowIcon();

} // namespace sumbrook::assets
