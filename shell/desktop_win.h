#pragma once
// The Windows desktop: the user's desktop folder, the program's own path and the system's
// shell-link object inside an OLE session.

#include "shell/platform.h"
#include "shell/shell_link_win.h"

#include <windows.h>

#include <memory>

namespace sumbrook::shell {

// `owner` is handed to SHGetSpecialFolderLocation, which only reserves it; null serves.
// Paths come back in UTF-8 (see ansi_text_win.h for why the conversion happens here).
// They are read through the "A" calls, and again through the "W" calls when the ANSI code
// page turned characters of them into '?'. desktopFolder() and programPath() throw
// Exception rather than hand back a path that is missing or cut short.
std::unique_ptr<Desktop> makeWindowsDesktop(OleCalls calls = {}, HWND owner = nullptr);

} // namespace sumbrook::shell
