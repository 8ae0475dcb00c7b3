// Start-up: application object (and COM on Windows), title, the main window (which makes
// the About window when it is first asked for), then the message loop.
#include "app/application.h"
#include "app/low_colour_display.h"

#include "engine/pause_source.h"
#include "main_window/form1.h"
#include "shell/com_apartment.h"
#include "shell/platform.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    // COM for the GUI thread, which the shell objects need; nothing to do elsewhere.
    [[maybe_unused]] sumbrook::shell::ComApartment com;
    std::vector<std::string> arguments = sumbrook::LowColourDisplay::arguments(argc, argv);
    std::vector<char*> qtArguments;
    qtArguments.reserve(arguments.size() + 1);
    for (std::string& argument : arguments)
        qtArguments.push_back(argument.data());
    qtArguments.push_back(nullptr);
    int qtArgumentCount = static_cast<int>(arguments.size());
    sumbrook::Application app(qtArgumentCount, qtArguments.data());
    [[maybe_unused]] sumbrook::LowColourDisplay lowColourDisplay;
    auto pauses = sumbrook::makeSystemPauseSource();
    auto desktop = sumbrook::shell::makeSystemDesktop();

    auto opener = sumbrook::shell::makeSystemLinkOpener();

    TForm1 form1(*pauses, desktop.get());
    form1.setLinkOpener(opener.get());
    form1.show();
    form1.activateWindow();
    return app.exec();
}
