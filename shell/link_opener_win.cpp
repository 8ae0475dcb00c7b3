// Opening a link's target through the Windows shell, and its program chooser.
#include "engine/exceptions.h"
#include "shell/ansi_text_win.h"
#include "shell/platform.h"

#include <windows.h>
// After windows.h, which they rely on.
#include <shellapi.h>

#include <string>

namespace sumbrook::shell {
namespace {

class WindowsLinkOpener final : public LinkOpener {
public:
    void open(const std::string& target, Done done) override { done(openNow(target)); }

    bool runHtmProgramChooser() override {
        // WinExec reports success with a value above 31.
        return WinExec("RunDLL32.exe Shell32.dll,OpenAs_RunDLL *.htm", SW_SHOWNORMAL) > 31;
    }

private:
    static bool openNow(const std::string& target) {
        std::string file;
        try {
            file = Utf8ToAnsi(target, "链接的目标");
        } catch (const Exception&) {
            // A target the code page cannot carry is one the shell cannot open.
            return false;
        }
        SHELLEXECUTEINFOA info{};
        info.cbSize = sizeof info;
        // No error dialog of the shell's own; wait out any DDE conversation it starts; hand
        // back the process so its handle can be closed rather than leaked.
        info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_NOCLOSEPROCESS;
        info.hwnd = nullptr;
        info.lpVerb = "Open";
        info.lpFile = file.c_str();
        info.lpParameters = nullptr;
        info.lpDirectory = nullptr;
        info.nShow = SW_SHOWNORMAL;
        const BOOL opened = ShellExecuteExA(&info);
        if (info.hProcess != nullptr) {
            CloseHandle(info.hProcess);
        }
        return opened != FALSE;
    }
};

} // namespace

std::unique_ptr<LinkOpener> makeSystemLinkOpener() {
    return std::make_unique<WindowsLinkOpener>();
}

} // namespace sumbrook::shell
