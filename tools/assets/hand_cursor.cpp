// The pointing-hand cursor.
#include "tools/assets/artwork.h"

namespace sumbrook::tools {

QImage drawHandCursor() {
    // Drawn pixel by pixel: at 32 x 32 in two colours, shapes scaled down
    // would blur into a grey mess. '#' black, 'o' white, '.' see-through.
    static const char* const rows[] = {
        ".....###............", //
        "....#ooo#...........", //
        "....#ooo#...........", //
        "....#ooo#...........", //
        "....#ooo#...........", //
        "....#ooo#...........", //
        "....#ooo####........", //
        "....#ooo#ooo####....", //
        "....#ooo#ooo#ooo###.", //
        "....#ooo#ooo#ooo#oo#", //
        ".####ooo#ooo#ooo#oo#", //
        "#ooo#oooooooooooooo#", //
        "#ooo#oooooooooooooo#", //
        ".#ooooooooooooooooo#", //
        "..#oooooooooooooooo#", //
        "...#ooooooooooooooo#", //
        "....#oooooooooooooo#", //
        "....#ooooooooooooo#.", //
        ".....#ooooooooooo#..", //
        ".....#ooooooooooo#..", //
        ".....#ooooooooooo#..", //
        ".....#############..", //
    };
    QImage image(kCursorSize, kCursorSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; row[x] != '\0'; ++x) {
            if (row[x] == '#') {
                image.setPixel(x, y, qRgb(0, 0, 0));
            } else if (row[x] == 'o') {
                image.setPixel(x, y, qRgb(255, 255, 255));
            }
        }
        ++y;
    }
    return image;
}

} // namespace sumbrook::tools
