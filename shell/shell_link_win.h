#pragma once
// The system's shell-link object behind the ShellLink interface, and the OLE session that
// must be open around it.

#include "shell/platform.h"

#include <windows.h>
// After windows.h, which they rely on.
#include <objbase.h>

#include <functional>
#include <memory>

namespace sumbrook::shell {

// The OLE entry points the shortcut job calls. The defaults are the system's; tests put
// counting or failing ones in their place.
struct OleCalls {
    std::function<HRESULT(LPVOID)> initialize = [](LPVOID reserved) {
        return OleInitialize(reserved);
    };
    std::function<void()> uninitialize = [] { OleUninitialize(); };
    std::function<HRESULT(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*)> createInstance =
        [](REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object) {
            return CoCreateInstance(clsid, outer, context, iid, object);
        };
};

// Initialises OLE for the calling thread and uninitialises it when destroyed. A failed
// initialisation is not balanced: uninitialising then would undo someone else's.
std::unique_ptr<ShellSession> beginOleSession(const OleCalls& calls);

// Creates the system's shell-link object and takes its IShellLinkA and IPersistFile.
// Throws EOleSysError when it cannot be created, EIntfCastError when an interface is
// missing. The setters take UTF-8 and pass ANSI text through IShellLinkA, or UTF-16
// through IShellLinkW when the ANSI code page cannot hold the text; they and Save throw
// Exception with the system's reason when the object refuses, so a broken shortcut is
// never taken for a written one.
std::unique_ptr<ShellLink> makeWindowsShellLink(const OleCalls& calls);

} // namespace sumbrook::shell
