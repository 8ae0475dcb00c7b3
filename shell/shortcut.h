#pragma once
// The desktop shortcut: where it goes, what it holds, and the job that writes it.
// Plain C++ so that the Windows build can use it without Qt.

#include "shell/platform.h"

#include <string>
#include <string_view>

namespace sumbrook::shell {

// The separator the platform's file system uses for joining folder and file names.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// What the menu command puts on the desktop.
inline constexpr const char* kShortcutFileName = "Sumbrook.lnk";
inline constexpr const char* kShortcutArguments = " ";
inline constexpr const char* kShortcutDescription = "Sumbrook";

// Tells whether a byte starts a double-byte character. Texts are UTF-8, where no byte of
// a multi-byte character can be mistaken for a delimiter, so nullptr (no lead bytes) is
// right for them; a build that passes ANSI code-page text (e.g. 936) passes its
// IsDBCSLeadByte here, since the second byte of such a character may be 0x5C '\'.
using LeadBytePredicate = bool (*)(unsigned char);

// The text from the last '.' to the end when that '.' follows the last separator
// ('\', ':' and, on POSIX, '/'); empty otherwise.
std::string PathExtension(std::string_view path, LeadBytePredicate isLeadByte = nullptr);

// True for ".lnk" in any ASCII letter case.
bool HasLinkExtension(std::string_view path, LeadBytePredicate isLeadByte = nullptr);

// The target's folder: everything up to and including the last separator; empty when
// the target holds none.
std::string WorkingFolderOf(std::string_view target, LeadBytePredicate isLeadByte = nullptr);

// Where the shortcut goes in the given desktop folder: the folder, one separator unless
// it already ends in one, then kShortcutFileName. Throws Exception for an empty folder
// (the file would otherwise land in the current or root folder).
std::string LinkFilePath(std::string_view desktopFolder);

// Writes a shortcut to targetPath at linkFilePath. Throws Exception when the link path
// does not end in ".lnk" (before anything else is done), the errors of the platform's
// shell-link object, and Exception naming the reason and the path when saving fails.
void CreateDesktopShortcut(Desktop& desktop, std::string_view targetPath,
                           std::string_view arguments, std::string_view linkFilePath,
                           std::string_view description, LeadBytePredicate isLeadByte = nullptr);

// The menu command's whole job: a shortcut to the running program on the user's desktop.
// Returns the path written, for the confirmation message.
std::string CreateProgramShortcut(Desktop& desktop);

} // namespace sumbrook::shell
