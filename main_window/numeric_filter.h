#pragma once
// The digit filter shared by the window's four number boxes, and the translation of
// toolkit key codes into the virtual-key codes the window's key-up handler reasons about.

#include <cstdint>
#include <string>

namespace sumbrook {

// Key characters as the key-press handlers see them; 0 means "discard the key".
inline constexpr char kNoKey = 0;
inline constexpr char kBackspace = 8;
inline constexpr char kEnter = 13;
inline constexpr char kEscape = 27;

// Refuses (sets key to 0) anything but Backspace, Enter and digits, and a second "0"
// after a lone "0".
void FilterNumericKey(const std::string& text, char& key);

} // namespace sumbrook
