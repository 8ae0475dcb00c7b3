#pragma once
// Qt draws into no 8-bit colour-mapped X visual (on a 256-colour screen its windows would
// crash while painting), but it does draw into an 8-bit grey-scale visual. On such a
// screen the program asks Qt for that visual and gives every window a grey ramp as its
// colour map, so that it starts and works there, in shades of grey. Elsewhere, and on
// other platforms, nothing changes.

#include <QObject>

#include <string>
#include <vector>

namespace sumbrook {

class LowColourDisplay final : public QObject {
public:
    // Looks at the X display named by DISPLAY before the application object exists and
    // returns the arguments to pass on to Qt: argv, with "-visual <id>" added when needed.
    static std::vector<std::string> arguments(int argc, char** argv);

    // Call once the application object exists: lets go of the connection arguments()
    // looked through (kept until Qt's own was made) and, when a grey visual was asked
    // for, gives the windows their grey ramp.
    LowColourDisplay();
    ~LowColourDisplay() override;
    LowColourDisplay(const LowColourDisplay&) = delete;
    LowColourDisplay& operator=(const LowColourDisplay&) = delete;

    bool active() const { return m_colormap != 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    unsigned m_colormap = 0;
};

} // namespace sumbrook
