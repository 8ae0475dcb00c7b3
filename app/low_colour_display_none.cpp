#include "app/low_colour_display.h"

// Only the X11 build has colour-mapped screens to care about.
namespace sumbrook {

std::vector<std::string> LowColourDisplay::arguments(int argc, char** argv) {
    return {argv, argv + argc};
}

LowColourDisplay::LowColourDisplay() = default;
LowColourDisplay::~LowColourDisplay() = default;

bool LowColourDisplay::eventFilter(QObject*, QEvent*) {
    return false;
}

} // namespace sumbrook
