#pragma once
// The digit filter shared by the window's four number boxes.

#include <cstdint>
#include <string>

namespace sumbrook {

// Key characters as the key-press handlers see them; 0 means "discard the key".
inline constexpr char kNoKey = 0;
inline constexpr char kBackspace = 8;
inline constexpr char kEnter = 13;
inline constexpr char kLineFeed = 10; // Ctrl+Enter
inline constexpr char kEscape = 27;
inline constexpr char kCtrlBackspace = 127;
// Stands for any character beyond one byte (Chinese, full-width digits ...).
inline constexpr char kWideCharacter = static_cast<char>(0xFF);

// Refuses (sets key to 0) anything but Backspace, Enter and digits, and a second "0"
// after a lone "0".
void FilterNumericKey(const std::string& text, char& key);

} // namespace sumbrook
