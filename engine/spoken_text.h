#pragma once
// How a text the window announces is read aloud by a voice: the signs as words a child
// hears in class (加, 减, 等于) rather than a voice's names for the full-width symbols,
// line breaks as pauses. Digits stay digits, which voices read as numbers.

#include <string>

namespace sumbrook {

// "第3题 16＋15＋9＝" -> "第3题 16 加 15 加 9 等于"; runs of blanks and line breaks
// become one blank, none at either end.
std::string spokenText(const std::string& shown);

} // namespace sumbrook
