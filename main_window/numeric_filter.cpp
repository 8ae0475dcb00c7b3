#include "main_window/numeric_filter.h"

namespace sumbrook {

void FilterNumericKey(const std::string& text, char& key) {
    const bool digit = key >= '0' && key <= '9';
    if (!(digit || key == kBackspace || key == kEnter || key == '.'))
        key = kNoKey;
    // Only whole numbers can be typed.
    if (key == '.')
        key = kNoKey;
    if (text == "0" && key == '0')
        key = kNoKey;
}

} // namespace sumbrook
