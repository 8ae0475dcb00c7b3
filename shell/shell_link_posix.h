#pragma once
// A shell-link object for platforms that have none: it writes the published shell-link
// binary format itself, so the shortcut opens on Windows and reads back with lnk tools.

#include "shell/platform.h"

#include <memory>

namespace sumbrook::shell {

// Save writes a header, a LinkInfo (local path, in UTF-8 and UTF-16) and the strings
// (description, working folder, arguments) through a temporary file in the link's
// folder that is then renamed, so a failed save leaves nothing behind. Throws Exception
// with the system's reason and the path when it fails, or when a text is not valid
// UTF-8, holds a NUL, or is too long for the format; the target must not be empty.
std::unique_ptr<ShellLink> makePosixShellLink();

} // namespace sumbrook::shell
