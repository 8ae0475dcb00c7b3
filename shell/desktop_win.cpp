#include "shell/desktop_win.h"

#include "engine/exceptions.h"
#include "shell/ansi_text_win.h"
#include "shell/ole_error_win.h"

#include <shlobj.h>

#include <string>
#include <string_view>
#include <utility>

namespace sumbrook::shell {
namespace {

// One path of at most 260 characters and its terminating zero.
constexpr DWORD kPathBufferSize = MAX_PATH + 1;

// An "A" call puts '?' where a character has no place in the ANSI code page. '?' is not
// allowed in a file name, so one in a path (past a "\\?\" prefix) means the path is lost.
bool lostInCodePage(std::string_view ansiPath) {
    if (ansiPath.substr(0, 4) == "\\\\?\\") {
        ansiPath.remove_prefix(4);
    }
    return ansiPath.find('?') != std::string_view::npos;
}

class ItemIdList {
public:
    ~ItemIdList() { CoTaskMemFree(m_list); }
    ItemIdList() = default;
    ItemIdList(const ItemIdList&) = delete;
    ItemIdList& operator=(const ItemIdList&) = delete;
    LPITEMIDLIST* out() { return &m_list; }
    LPCITEMIDLIST get() const { return m_list; }

private:
    LPITEMIDLIST m_list = nullptr;
};

class WindowsDesktop final : public Desktop {
public:
    WindowsDesktop(OleCalls calls, HWND owner) : m_calls(std::move(calls)), m_owner(owner) {}

    std::unique_ptr<ShellSession> beginSession() override { return beginOleSession(m_calls); }

    std::string desktopFolder() override {
        char buffer[kPathBufferSize] = {};
        wchar_t wideBuffer[kPathBufferSize] = {};
        bool wide = false;
        {
            ItemIdList list;
            const HRESULT found = SHGetSpecialFolderLocation(m_owner, CSIDL_DESKTOP, list.out());
            if (FAILED(found) || list.get() == nullptr) {
                throw Exception("找不到桌面文件夹：" +
                                OleSysErrorMessage(FAILED(found) ? found : E_FAIL));
            }
            if (!SHGetPathFromIDListA(list.get(), buffer)) {
                throw Exception("找不到桌面文件夹的路径");
            }
            buffer[kPathBufferSize - 1] = '\0';
            // A folder the ANSI code page cannot name (a user name in another script) is
            // asked for again through the wide call; otherwise the ANSI path stays.
            if (lostInCodePage(buffer)) {
                if (!SHGetPathFromIDListW(list.get(), wideBuffer)) {
                    throw Exception("找不到桌面文件夹的路径");
                }
                wideBuffer[kPathBufferSize - 1] = L'\0';
                wide = true;
            }
        }
        const std::string folder = wide ? WideToUtf8(wideBuffer) : AnsiToUtf8(buffer);
        if (folder.empty()) {
            throw Exception("找不到桌面文件夹的路径");
        }
        const DWORD attributes = wide ? GetFileAttributesW(wideBuffer) : GetFileAttributesA(buffer);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            throw Exception("桌面文件夹“" + folder + "”不存在");
        }
        return folder;
    }

    std::string programPath() override {
        char buffer[kPathBufferSize];
        const DWORD length = GetModuleFileNameA(nullptr, buffer, kPathBufferSize);
        if (length == 0) {
            throw Exception("找不到程序文件的路径");
        }
        // A full buffer means the path was cut short.
        if (length >= kPathBufferSize) {
            throw Exception("程序文件的路径太长");
        }
        const std::string_view ansi(buffer, length);
        if (!lostInCodePage(ansi)) {
            return AnsiToUtf8(ansi);
        }
        // Installed under a folder the ANSI code page cannot name: the wide call has it.
        wchar_t wide[kPathBufferSize];
        const DWORD wideLength = GetModuleFileNameW(nullptr, wide, kPathBufferSize);
        if (wideLength == 0) {
            throw Exception("找不到程序文件的路径");
        }
        if (wideLength >= kPathBufferSize) {
            throw Exception("程序文件的路径太长");
        }
        return WideToUtf8(std::wstring_view(wide, wideLength));
    }

    std::unique_ptr<ShellLink> createShellLink() override { return makeWindowsShellLink(m_calls); }

private:
    OleCalls m_calls;
    HWND m_owner;
};

} // namespace

std::unique_ptr<Desktop> makeWindowsDesktop(OleCalls calls, HWND owner) {
    return std::make_unique<WindowsDesktop>(std::move(calls), owner);
}

std::unique_ptr<Desktop> makeSystemDesktop() {
    return makeWindowsDesktop();
}

} // namespace sumbrook::shell
