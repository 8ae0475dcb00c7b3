#include "shell/shortcut.h"

#include "engine/exceptions.h"

#include <cstddef>

namespace sumbrook::shell {
namespace {

// Separators for splitting a path into folder, name and extension. ':' ends a drive.
#ifdef _WIN32
constexpr std::string_view kDelimiters = "\\:";
#else
constexpr std::string_view kDelimiters = "\\:/";
#endif

constexpr std::size_t npos = std::string_view::npos;

struct Delimiters {
    std::size_t lastSeparator = npos;
    std::size_t lastDot = npos;
};

// One forward pass, so that the trailing byte of a double-byte character is stepped over
// rather than taken for a separator or a dot.
Delimiters scanDelimiters(std::string_view path, LeadBytePredicate isLeadByte) {
    Delimiters found;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (isLeadByte != nullptr && isLeadByte(byte) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (kDelimiters.find(path[i]) != npos) {
            found.lastSeparator = i;
        } else if (path[i] == '.') {
            found.lastDot = i;
        }
    }
    return found;
}

bool endsInPathSeparator(std::string_view path) {
    if (path.empty()) {
        return false;
    }
#ifdef _WIN32
    return path.back() == '\\' || path.back() == '/';
#else
    return path.back() == '/';
#endif
}

} // namespace

std::string PathExtension(std::string_view path, LeadBytePredicate isLeadByte) {
    const Delimiters found = scanDelimiters(path, isLeadByte);
    if (found.lastDot == npos ||
        (found.lastSeparator != npos && found.lastDot < found.lastSeparator)) {
        return {};
    }
    return std::string(path.substr(found.lastDot));
}

bool HasLinkExtension(std::string_view path, LeadBytePredicate isLeadByte) {
    std::string extension = PathExtension(path, isLeadByte);
    for (char& c : extension) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return extension == ".LNK";
}

std::string WorkingFolderOf(std::string_view target, LeadBytePredicate isLeadByte) {
    const Delimiters found = scanDelimiters(target, isLeadByte);
    if (found.lastSeparator == npos) {
        return {};
    }
    return std::string(target.substr(0, found.lastSeparator + 1));
}

std::string LinkFilePath(std::string_view desktopFolder) {
    if (desktopFolder.empty()) {
        throw Exception("桌面文件夹的路径是空的");
    }
    std::string path(desktopFolder);
    // A short root such as "X:\" already ends in a separator; a short folder such as
    // "/a" needs one like any other, or the name would be glued onto the folder's.
    if (!endsInPathSeparator(path)) {
        path += kPathSeparator;
    }
    path += kShortcutFileName;
    return path;
}

void CreateDesktopShortcut(Desktop& desktop, std::string_view targetPath,
                           std::string_view arguments, std::string_view linkFilePath,
                           std::string_view description, LeadBytePredicate isLeadByte) {
    if (!HasLinkExtension(linkFilePath, isLeadByte)) {
        throw Exception("快捷方式的扩展名必须是LNK");
    }
    const auto session = desktop.beginSession();
    const auto link = desktop.createShellLink();
    if (!link) {
        throw EIntfCastError("Interface not supported");
    }
    link->SetPath(std::string(targetPath));
    link->SetArguments(std::string(arguments));
    link->SetWorkingDirectory(WorkingFolderOf(targetPath, isLeadByte));
    link->SetDescription(std::string(description));
    link->Save(std::string(linkFilePath));
}

std::string CreateProgramShortcut(Desktop& desktop) {
    std::string linkPath = LinkFilePath(desktop.desktopFolder());
    const std::string program = desktop.programPath();
    CreateDesktopShortcut(desktop, program, kShortcutArguments, linkPath, kShortcutDescription);
    return linkPath;
}

} // namespace sumbrook::shell
