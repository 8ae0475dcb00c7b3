#include "main_window/key_codes.h"

#include "main_window/numeric_filter.h"

#include <QKeyEvent>

#include <iterator>

namespace sumbrook {
namespace {

// With Ctrl held only these keys type a character: a letter its control character (A is
// 1 … Z 26), and [ \ ] ^ _ the five after it, as ASCII numbers them (Ctrl+[ is Esc). Ctrl
// with a digit types nothing; Ctrl+Space a blank.
bool controlCharacter(int key, char& character) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        character = static_cast<char>(key - Qt::Key_A + 1);
        return true;
    }
    constexpr int signs[] = {Qt::Key_BracketLeft, Qt::Key_Backslash, Qt::Key_BracketRight,
                             Qt::Key_AsciiCircum, Qt::Key_Underscore};
    for (int i = 0; i < static_cast<int>(std::size(signs)); ++i) {
        if (key == signs[i]) {
            character = static_cast<char>(kEscape + i);
            return true;
        }
    }
    if (key == Qt::Key_Space) {
        character = ' ';
        return true;
    }
    return false;
}

} // namespace

bool keyCharacter(const QKeyEvent& event, char& character) {
    const int key = event.key();
    const auto mods = event.modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    // Keys typed with Alt held are system keys: they reach no box as text.
    if (mods & Qt::AltModifier)
        return false;
    switch (key) {
    case Qt::Key_Backspace:
        character = ctrl ? kCtrlBackspace : kBackspace;
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        character = ctrl ? kLineFeed : kEnter;
        return true;
    case Qt::Key_Escape:
        character = kEscape;
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // focus navigation, never typed
    case Qt::Key_Delete:  // an editing key; some platforms attach "\x7f" to it
        return false;
    default:
        break;
    }
    if (ctrl)
        return controlCharacter(key, character);
    const QString text = event.text();
    if (text.isEmpty())
        return false;
    const char16_t c = text.at(0).unicode();
    character = c < 0x100 ? static_cast<char>(c) : kWideCharacter;
    return true;
}

int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers & Qt::KeypadModifier;
    if (keypad) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return 0x60 + (qtKey - Qt::Key_0);
        switch (qtKey) {
        case Qt::Key_Asterisk:
            return 0x6A;
        case Qt::Key_Plus:
            return 0x6B;
        case Qt::Key_Minus:
            return 0x6D;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return 0x6E; // the decimal key; with NumLock off it is Delete (0x2E)
        case Qt::Key_Slash:
            return 0x6F;
        case Qt::Key_Enter:
            return 0x0D;
        default:
            break;
        }
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 0x41 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 0x30 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Shift:
        return 0x10;
    case Qt::Key_Control:
        return 0x11;
    case Qt::Key_Alt:
        return 0x12;
    case Qt::Key_Pause:
        return 0x13;
    case Qt::Key_CapsLock:
        return 0x14;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return 0x2E;
    case Qt::Key_Meta:
        return 0x5B;
    case Qt::Key_Menu:
        return 0x5D;
    case Qt::Key_NumLock:
        return 0x90;
    case Qt::Key_ScrollLock:
        return 0x91;
    // Shifted symbols carry the code of the key they are on (US layout).
    case Qt::Key_ParenRight:
        return 0x30;
    case Qt::Key_Exclam:
        return 0x31;
    case Qt::Key_At:
        return 0x32;
    case Qt::Key_NumberSign:
        return 0x33;
    case Qt::Key_Dollar:
        return 0x34;
    case Qt::Key_Percent:
        return 0x35;
    case Qt::Key_AsciiCircum:
        return 0x36;
    case Qt::Key_Ampersand:
        return 0x37;
    case Qt::Key_Asterisk:
        return 0x38;
    case Qt::Key_ParenLeft:
        return 0x39;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return 0xBA;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return 0xBB;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return 0xBC;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return 0xBD;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return 0xBE;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return 0xBF;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return 0xC0;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return 0xDB;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return 0xDC;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return 0xDD;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return 0xDE;
    default:
        return 0;
    }
}

int virtualKeyCode(const QKeyEvent& event) {
#ifdef Q_OS_WIN
    if (const quint32 native = event.nativeVirtualKey(); native != 0)
        return static_cast<int>(native & 0xFFFFu);
#endif
    return virtualKeyCode(event.key(), event.modifiers());
}

char virtualKeyCharacter(int virtualKey) {
    char c = static_cast<char>(virtualKey & 0xFF);
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    return c;
}

} // namespace sumbrook
