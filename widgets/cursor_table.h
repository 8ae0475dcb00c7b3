#pragma once
// The application-wide cursor table: cursors registered under numbers, so a control can
// name its cursor by number and every control of that number shows the same one.

#include <QCursor>

namespace sumbrook {

class CursorTable final {
public:
    CursorTable() = delete;

    // Registers cursor under number, replacing an earlier registration.
    static void set(int number, const QCursor& cursor);
    static bool contains(int number);
    // The registered cursor, or the arrow when nothing is registered under number.
    static QCursor get(int number);
};

// The number under which link labels register the hand cursor: one no other cursor of the
// program uses.
inline constexpr int kHandCursorNumber = 26000;

enum class OsPlatform { Windows9x, WindowsNT, Other };

// True on the Windows versions without a pointing hand of their own, which came with
// Windows 98 and Windows 2000: Windows 95 and Windows NT 4.0 or earlier.
bool needsOwnHandCursor(OsPlatform platform, int majorVersion, int minorVersion);

// The hand for link labels: the program's own (the hand.cur asset) when ownHand is set
// and the resource reads, otherwise the system's pointing hand.
QCursor handCursor(bool ownHand);

// Registers the hand for the running system under kHandCursorNumber.
void registerHandCursor();

} // namespace sumbrook
