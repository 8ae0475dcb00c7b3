#include "engine/spoken_text.h"

#include "engine/engine_texts.h"

#include <cstring>
#include <iterator>

namespace sumbrook {
namespace {

struct SpokenSign {
    const char* shown;
    const char* spoken;
};

// The engine's full-width signs only: an ASCII '-' may be a number's own sign.
constexpr SpokenSign kSigns[] = {
    {texts::kPlus, " 加 "},
    {texts::kMinus, " 减 "},
    {texts::kEquals, " 等于 "},
};

bool isBlank(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

} // namespace

std::string spokenText(const std::string& shown) {
    std::string words;
    words.reserve(shown.size() * 2);
    for (std::size_t i = 0; i < shown.size();) {
        const SpokenSign* sign = nullptr;
        for (const SpokenSign& s : kSigns) {
            if (shown.compare(i, std::strlen(s.shown), s.shown) == 0) {
                sign = &s;
                break;
            }
        }
        if (sign != nullptr) {
            words += sign->spoken;
            i += std::strlen(sign->shown);
        } else {
            words += isBlank(shown[i]) ? ' ' : shown[i];
            ++i;
        }
    }
    // One blank between words, none at the ends.
    std::string spoken;
    spoken.reserve(words.size());
    for (char c : words) {
        if (c == ' ' && (spoken.empty() || spoken.back() == ' '))
            continue;
        spoken += c;
    }
    if (!spoken.empty() && spoken.back() == ' ')
        spoken.pop_back();
    return spoken;
}

} // namespace sumbrook
