#pragma once
// Qt key events seen as the two values the window's handlers reason about: the typed
// character (for key presses) and the 16-bit virtual-key code (for key releases).

#include <QtCore/qnamespace.h>

class QKeyEvent;

namespace sumbrook {

// The character a key press types, as a byte, the way a Windows edit box receives it:
// 8 Backspace, 13 Enter, 27 Esc, control characters for Ctrl with a letter, 10 for
// Ctrl+Enter and 127 for Ctrl+Backspace, the text's byte for Latin-1 text and
// kWideCharacter beyond. False when the key types nothing: editing and navigation keys
// (Delete among them), Ctrl with a digit, and every key typed with Alt held.
bool keyCharacter(const QKeyEvent& event, char& character);

// The virtual-key code of a key; keypad keys by their keypad codes (the decimal key is
// 0x6E), F1…F24 from 0x70. 0 for keys without one.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

// The virtual-key code of a key event. Qt's windows platform hands on the system's own
// code with each key event, right for every keyboard layout: on Windows that code is taken
// as it is. Elsewhere, and for events without one (made by the program or its tests), the
// code is worked out from the Qt key as above.
int virtualKeyCode(const QKeyEvent& event);

// The virtual key code's low byte read as a character and upper-cased (a-z only).
char virtualKeyCharacter(int virtualKey);

} // namespace sumbrook
