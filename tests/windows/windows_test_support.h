#pragma once
// Helpers for the Windows layer's tests: a private temporary folder, OLE calls that count
// and can be made to fail, an independent read-back of a link through the system's
// IShellLinkW, and the hand-over of written links to tools/windows-check for lnkinfo.

#include "shell/shell_link_win.h"

#include <windows.h>
// After windows.h, which they rely on.
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace sumbrook::testing {

// UTF-16 <-> UTF-8 without the code under test.
inline std::string toUtf8(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

inline std::wstring toWide(const std::string& utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

inline bool isFolder(const std::string& path) {
    const DWORD a = GetFileAttributesW(toWide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

inline bool isFile(const std::string& path) {
    const DWORD a = GetFileAttributesW(toWide(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The program is written for code page 936; tests of double-byte paths need it.
// tools/windows-check runs wine with LC_ALL=zh_CN.UTF-8, which gives it.
#define SUMBROOK_REQUIRE_CODE_PAGE_936()                                                           \
    ASSERT_EQ(GetACP(), 936u) << "needs the Chinese ANSI code page (wine: LC_ALL=zh_CN.UTF-8)"

// Tests that write to or move the user's desktop folder run only inside the private wine
// prefix that tools/windows-check makes (it sets SUMBROOK_PRIVATE_WINEPREFIX=1), never on
// someone's real desktop.
inline bool inPrivateWinePrefix() {
    const char* flag = std::getenv("SUMBROOK_PRIVATE_WINEPREFIX");
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return flag != nullptr && std::string(flag) == "1" && ntdll != nullptr &&
           GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

#define SUMBROOK_REQUIRE_PRIVATE_WINEPREFIX()                                                      \
    if (!::sumbrook::testing::inPrivateWinePrefix())                                               \
    GTEST_SKIP() << "changes the user's desktop: runs only under tools/windows-check"

// A fresh folder under the system's temporary folder, removed with all it holds.
class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH + 1];
        const DWORD n = GetTempPathW(MAX_PATH + 1, base);
        std::wstring root(base, n);
        for (unsigned i = 0;; ++i) {
            m_path = root + L"sumbrook-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                     std::to_wstring(i);
            if (CreateDirectoryW(m_path.c_str(), nullptr)) {
                break;
            }
            if (GetLastError() != ERROR_ALREADY_EXISTS || i > 1000) {
                ADD_FAILURE() << "cannot make a temporary folder";
                break;
            }
        }
    }
    ~TempFolder() {
        // SHFileOperation wants a double-NUL-terminated list.
        std::wstring from = m_path + L'\0';
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationW(&op);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return toUtf8(m_path); }
    std::string operator/(const std::string& name) const { return path() + "\\" + name; }

private:
    std::wstring m_path;
};

// OLE calls that go to the system and are counted; createInstance may be replaced.
struct OleCounts {
    int initialize = 0;
    int uninitialize = 0;
    int createInstance = 0;
    HRESULT lastInitialize = E_UNEXPECTED;
};

inline shell::OleCalls countingOleCalls(const std::shared_ptr<OleCounts>& counts) {
    shell::OleCalls calls;
    calls.initialize = [counts](LPVOID reserved) {
        ++counts->initialize;
        counts->lastInitialize = OleInitialize(reserved);
        return counts->lastInitialize;
    };
    calls.uninitialize = [counts] {
        ++counts->uninitialize;
        OleUninitialize();
    };
    calls.createInstance = [counts](REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                    LPVOID* object) {
        ++counts->createInstance;
        return CoCreateInstance(clsid, outer, context, iid, object);
    };
    return calls;
}

// What a link holds, as the system's shell-link object reads it back (UTF-16 side).
struct LinkContents {
    std::string path;
    std::string arguments;
    std::string workingDirectory;
    std::string description;
    // The target as the link's item-identifier list names it, which the shell resolves
    // first; empty when the link holds none.
    std::string idListPath = {};
};

inline LinkContents readLink(const std::string& linkPath) {
    LinkContents contents;
    const HRESULT init = CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(toWide(linkPath).c_str(), STGM_READ))) {
        wchar_t buffer[INFOTIPSIZE + 1] = {};
        if (SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH))) {
            contents.path = toUtf8(buffer);
        }
        buffer[0] = L'\0';
        if (SUCCEEDED(link->GetArguments(buffer, INFOTIPSIZE))) {
            contents.arguments = toUtf8(buffer);
        }
        buffer[0] = L'\0';
        if (SUCCEEDED(link->GetWorkingDirectory(buffer, MAX_PATH))) {
            contents.workingDirectory = toUtf8(buffer);
        }
        buffer[0] = L'\0';
        if (SUCCEEDED(link->GetDescription(buffer, INFOTIPSIZE))) {
            contents.description = toUtf8(buffer);
        }
        LPITEMIDLIST list = nullptr;
        if (link->GetIDList(&list) == S_OK && list != nullptr) {
            buffer[0] = L'\0';
            if (SHGetPathFromIDListW(list, buffer)) {
                contents.idListPath = toUtf8(buffer);
            }
            CoTaskMemFree(list);
        }
    } else {
        ADD_FAILURE() << "the system's shell-link object cannot load " << linkPath;
    }
    if (file != nullptr) {
        file->Release();
    }
    if (link != nullptr) {
        link->Release();
    }
    if (SUCCEEDED(init)) {
        CoUninitialize();
    }
    return contents;
}

// When tools/windows-check names a folder in SUMBROOK_LNK_READBACK_DIR, copies the link
// there as NAME.lnk with NAME.expected beside it: the code page lnkinfo must read the
// link's ANSI path in, then "label=value" for each value lnkinfo must print. `expected`
// holds what was asked for, not what the system read back, so a fault the system's
// reader shares with its writer still shows.
inline void leaveForLnkinfo(const std::string& name, const std::string& linkPath,
                            const LinkContents& expected) {
    const char* folder = std::getenv("SUMBROOK_LNK_READBACK_DIR");
    if (folder == nullptr || *folder == '\0') {
        return;
    }
    const std::string base = std::string(folder) + "\\" + name;
    ASSERT_TRUE(CopyFileW(toWide(linkPath).c_str(), toWide(base + ".lnk").c_str(), FALSE))
        << "cannot copy " << linkPath << " for lnkinfo";
    const std::string text = "codepage=windows-" + std::to_string(GetACP()) + "\n" +
                             "Local path=" + expected.path + "\n" +
                             "Description=" + expected.description + "\n" +
                             "Working directory=" + expected.workingDirectory + "\n" +
                             "Command line arguments=" + expected.arguments + "\n";
    FILE* out = _wfopen(toWide(base + ".expected").c_str(), L"wb");
    ASSERT_NE(out, nullptr) << "cannot write " << base << ".expected";
    const std::size_t written = std::fwrite(text.data(), 1, text.size(), out);
    const bool closed = std::fclose(out) == 0;
    ASSERT_TRUE(written == text.size() && closed) << "cannot write " << base << ".expected";
}

} // namespace sumbrook::testing
