// The shortcut job through the system's shell-link object: what it writes, how it fails,
// and that every OLE session it opens is closed again.
#include "engine/exceptions.h"
#include "shell/ansi_text_win.h"
#include "shell/desktop_win.h"
#include "shell/ole_error_win.h"
#include "shell/shell_link_win.h"
#include "shell/shortcut.h"
#include "tests/support/wine.h"
#include "tests/windows/windows_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

namespace {

using sumbrook::EIntfCastError;
using sumbrook::EOleSysError;
using sumbrook::Exception;
using sumbrook::test::runningUnderWine;
using sumbrook::testing::countingOleCalls;
using sumbrook::testing::isFile;
using sumbrook::testing::isFolder;
using sumbrook::testing::leaveForLnkinfo;
using sumbrook::testing::LinkContents;
using sumbrook::testing::OleCounts;
using sumbrook::testing::readLink;
using sumbrook::testing::TempFolder;
using sumbrook::testing::toWide;
namespace shell = sumbrook::shell;

class ShortcutJob : public ::testing::Test {
protected:
    std::shared_ptr<OleCounts> counts = std::make_shared<OleCounts>();
    std::unique_ptr<shell::Desktop> desktop = shell::makeWindowsDesktop(countingOleCalls(counts));
    TempFolder temp;

    void expectBalancedSession() {
        EXPECT_EQ(counts->initialize, 1);
        EXPECT_EQ(counts->uninitialize, 1) << "OleUninitialize must follow on every exit";
    }
};

TEST_F(ShortcutJob, WritesTheFourValuesThroughTheSystemObject) {
    const std::string target = desktop->programPath();
    const std::string link = temp / "Sumbrook.lnk";

    shell::CreateDesktopShortcut(*desktop, target, " ", link, "Sumbrook");

    expectBalancedSession();
    EXPECT_EQ(counts->createInstance, 1);
    ASSERT_TRUE(isFile(link));
    const LinkContents read = readLink(link);
    EXPECT_EQ(read.path, target);
    EXPECT_EQ(read.arguments, " ") << "one blank, not empty";
    const std::string folder = target.substr(0, target.rfind('\\') + 1);
    EXPECT_EQ(read.workingDirectory, folder);
    EXPECT_EQ(read.description, "Sumbrook");
    leaveForLnkinfo("program", link, {target, " ", folder, "Sumbrook"});
}

TEST_F(ShortcutJob, DoubleBytePathsKeepTheirRealLastSeparator) {
    SUMBROOK_REQUIRE_CODE_PAGE_936();
    // In code page 936 乗 ends in byte 0x5C, the code of '\'. Folder and target must still
    // end where the real separators are.
    const std::string folder = temp / "练习乗";
    ASSERT_TRUE(CreateDirectoryW(toWide(folder).c_str(), nullptr));
    const std::string target = folder + "\\算术乗.exe";
    const HANDLE file = CreateFileW(toWide(target).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const std::string link = temp / "乗Sumbrook.lnk";

    shell::CreateDesktopShortcut(*desktop, target, " ", link, "Sumbrook");

    expectBalancedSession();
    ASSERT_TRUE(isFile(link));
    const LinkContents read = readLink(link);
    EXPECT_EQ(read.path, target);
    EXPECT_EQ(read.workingDirectory, folder + "\\");
    EXPECT_EQ(read.arguments, " ");
    EXPECT_EQ(read.description, "Sumbrook");
    leaveForLnkinfo("double-byte", link, {target, " ", folder + "\\", "Sumbrook"});
}

TEST_F(ShortcutJob, ExtensionGuardRefusesBeforeAnyOleCall) {
    for (const std::string name : {"Sumbrook.lnk.txt", "Sumbrook", "a.lnk\\Sumbrook", "x.lnkk"}) {
        const std::string link = temp / name;
        try {
            shell::CreateDesktopShortcut(*desktop, desktop->programPath(), " ", link, "Sumbrook");
            ADD_FAILURE() << "no error for " << link;
        } catch (const Exception& e) {
            EXPECT_EQ(e.message(), "快捷方式的扩展名必须是LNK") << link;
        }
        EXPECT_FALSE(isFile(link)) << link;
    }
    EXPECT_EQ(counts->initialize, 0);
    EXPECT_EQ(counts->uninitialize, 0);
    EXPECT_EQ(counts->createInstance, 0);
}

TEST_F(ShortcutJob, FailedSaveIsReportedWithReasonAndPath) {
    // A folder under the link's name: the system object cannot write the file.
    const std::string link = temp / "Sumbrook.lnk";
    ASSERT_TRUE(CreateDirectoryW(toWide(link).c_str(), nullptr));

    try {
        shell::CreateDesktopShortcut(*desktop, desktop->programPath(), " ", link, "Sumbrook");
        FAIL() << "a shortcut that was not written was reported as written";
    } catch (const Exception& e) {
        const std::string prefix = "无法保存快捷方式“" + link + "”：";
        EXPECT_EQ(e.message().rfind(prefix, 0), 0u) << e.message();
        EXPECT_GT(e.message().size(), prefix.size()) << "no reason given";
    }
    expectBalancedSession();
    EXPECT_TRUE(isFolder(link)) << "the folder in the way is left alone";
}

// The system's shell-link object behind a wrapper that counts how often IShellLinkW is
// asked for. COM objects end through Release, never through a delete of the interface, so
// IUnknown has no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class WideCountingObject final : public IUnknown {
public:
    WideCountingObject(IUnknown* inner, int* wideQueries) : m_inner(inner), m_wide(wideQueries) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown)) {
            AddRef();
            *object = static_cast<IUnknown*>(this);
            return S_OK;
        }
        if (IsEqualIID(iid, IID_IShellLinkW)) {
            ++*m_wide;
        }
        return m_inner->QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0) {
            m_inner->Release();
            delete this;
        }
        return left;
    }

private:
    ~WideCountingObject() = default;
    IUnknown* m_inner;
    int* m_wide;
    ULONG m_refs = 1;
};
#pragma GCC diagnostic pop

// What the ANSI code page keeps of a text: '?' for each character it has no place for.
std::string ansiCopy(const std::string& utf8) {
    const std::wstring wide = toWide(utf8);
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), n,
                        nullptr, nullptr);
    return shell::AnsiToUtf8(ansi);
}

TEST_F(ShortcutJob, TextOutsideTheCodePageGoesThroughTheWideInterface) {
    SUMBROOK_REQUIRE_CODE_PAGE_936();
    struct Case {
        const char* folder;
        const char* description;
        int wideQueries; // 0: everything went through IShellLinkA, byte for byte
    };
    // Thai has no place in code page 936, Chinese has; a description may need it too.
    const Case cases[] = {
        {"练习", "Sumbrook", 0},
        {"แบบฝึกหัด", "Sumbrook", 1},
        {"练习", "Sumbrook ก", 1},
    };
    for (const Case& c : cases) {
        int wideQueries = 0;
        shell::OleCalls calls = countingOleCalls(counts);
        calls.createInstance = [&wideQueries](REFCLSID clsid, LPUNKNOWN outer, DWORD context,
                                              REFIID iid, LPVOID* object) {
            IUnknown* inner = nullptr;
            const HRESULT hr =
                CoCreateInstance(clsid, outer, context, iid, reinterpret_cast<void**>(&inner));
            if (FAILED(hr)) {
                return hr;
            }
            *object = new WideCountingObject(inner, &wideQueries);
            return S_OK;
        };
        const auto counted = shell::makeWindowsDesktop(calls);
        const std::string folder = temp / c.folder;
        CreateDirectoryW(toWide(folder).c_str(), nullptr);
        const std::string target = folder + "\\x.exe";
        const HANDLE file = CreateFileW(toWide(target).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << target;
        CloseHandle(file);
        const std::string link = temp / "Sumbrook.lnk";
        DeleteFileW(toWide(link).c_str());

        shell::CreateDesktopShortcut(*counted, target, " ", link, c.description);

        EXPECT_EQ(wideQueries, c.wideQueries) << target << " / " << c.description;
        ASSERT_TRUE(isFile(link)) << target;
        const LinkContents read = readLink(link);
        EXPECT_EQ(read.idListPath, target);
        // Wine writes and reads only the ANSI copy of the target's path; Windows writes the
        // Unicode one beside it. Either way the shell finds the target by the ID list.
        EXPECT_EQ(read.path, runningUnderWine() ? ansiCopy(target) : target);
        EXPECT_EQ(read.workingDirectory, folder + "\\");
        EXPECT_EQ(read.arguments, " ");
        EXPECT_EQ(read.description, c.description);
    }
    EXPECT_EQ(counts->initialize, 3);
    EXPECT_EQ(counts->uninitialize, 3);
}

TEST_F(ShortcutJob, BrokenTextIsRefusedBeforeTheFileIsWritten) {
    const std::string link = temp / "Sumbrook.lnk";
    EXPECT_THROW(shell::CreateDesktopShortcut(*desktop, "C:\\\xFF\\x.exe", " ", link, "Sumbrook"),
                 Exception);
    expectBalancedSession();
    EXPECT_FALSE(isFile(link));
}

TEST_F(ShortcutJob, CreationFailureRaisesOleSysErrorAndClosesTheSession) {
    struct Case {
        HRESULT code;
        std::string message;
    };
    const Case cases[] = {
        {static_cast<HRESULT>(0xA0040001u), "OLE error a0040001"},
        {REGDB_E_CLASSNOTREG, shell::OleSysErrorMessage(REGDB_E_CLASSNOTREG)},
    };
    for (const Case& c : cases) {
        auto localCounts = std::make_shared<OleCounts>();
        shell::OleCalls calls = countingOleCalls(localCounts);
        calls.createInstance = [c](REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID* object) {
            *object = nullptr;
            return c.code;
        };
        const auto failing = shell::makeWindowsDesktop(calls);
        const std::string link = temp / "Sumbrook.lnk";
        try {
            shell::CreateDesktopShortcut(*failing, "C:\\x.exe", " ", link, "Sumbrook");
            ADD_FAILURE() << "no error";
        } catch (const EOleSysError& e) {
            EXPECT_EQ(e.errorCode(), static_cast<std::int32_t>(c.code));
            EXPECT_EQ(e.message(), c.message);
        }
        EXPECT_EQ(localCounts->initialize, 1);
        EXPECT_EQ(localCounts->uninitialize, 1);
        EXPECT_FALSE(isFile(link));
    }
}

TEST(ShellLinkObject, CreationFailsWithoutComOnTheThread) {
    // A thread that never initialised COM: the system's CoCreateInstance refuses.
    HRESULT code = S_OK;
    std::string message;
    bool threw = false;
    std::thread([&] {
        try {
            shell::makeWindowsShellLink(shell::OleCalls{});
        } catch (const EOleSysError& e) {
            threw = true;
            code = static_cast<HRESULT>(e.errorCode());
            message = e.message();
        }
    }).join();
    ASSERT_TRUE(threw);
    EXPECT_EQ(code, CO_E_NOTINITIALIZED);
    EXPECT_EQ(message, shell::OleSysErrorMessage(CO_E_NOTINITIALIZED));
}

// An object that answers for IUnknown, and for IShellLinkA only when asked to, through
// the real shell-link object it wraps; it notes its own release. COM objects end through
// Release, never through a delete of the interface, so IUnknown has no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class PickyObject final : public IUnknown {
public:
    PickyObject(IUnknown* inner, bool offerShellLink, bool* released)
        : m_inner(inner), m_offerShellLink(offerShellLink), m_released(released) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown)) {
            AddRef();
            *object = static_cast<IUnknown*>(this);
            return S_OK;
        }
        if (m_offerShellLink && IsEqualIID(iid, IID_IShellLinkA)) {
            return m_inner->QueryInterface(iid, object);
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0) {
            *m_released = true;
            m_inner->Release();
            delete this;
        }
        return left;
    }

private:
    ~PickyObject() = default;
    IUnknown* m_inner;
    bool m_offerShellLink;
    bool* m_released;
    ULONG m_refs = 1;
};
#pragma GCC diagnostic pop

TEST_F(ShortcutJob, MissingInterfaceRaisesIntfCastError) {
    for (const bool offerShellLink : {false, true}) {
        auto localCounts = std::make_shared<OleCounts>();
        bool released = false;
        shell::OleCalls calls = countingOleCalls(localCounts);
        calls.createInstance = [&](REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                   LPVOID* object) {
            IUnknown* inner = nullptr;
            const HRESULT hr =
                CoCreateInstance(clsid, outer, context, iid, reinterpret_cast<void**>(&inner));
            if (FAILED(hr)) {
                return hr;
            }
            *object = new PickyObject(inner, offerShellLink, &released);
            return S_OK;
        };
        const auto picky = shell::makeWindowsDesktop(calls);
        const std::string link = temp / "Sumbrook.lnk";
        try {
            shell::CreateDesktopShortcut(*picky, "C:\\x.exe", " ", link, "Sumbrook");
            ADD_FAILURE() << "no error";
        } catch (const EIntfCastError& e) {
            EXPECT_EQ(e.message(), "Interface not supported");
        }
        EXPECT_TRUE(released) << "the object was leaked";
        EXPECT_EQ(localCounts->initialize, 1);
        EXPECT_EQ(localCounts->uninitialize, 1);
        EXPECT_FALSE(isFile(link));
    }
}

TEST(OleSession, FailedInitialisationIsNotBalanced) {
    // In a multithreaded apartment OleInitialize fails; uninitialising anyway would take
    // that apartment down under whoever made it.
    auto counts = std::make_shared<OleCounts>();
    TempFolder temp;
    const std::string link = temp / "Sumbrook.lnk";
    bool written = false;
    std::thread([&] {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        const auto desktop = shell::makeWindowsDesktop(countingOleCalls(counts));
        try {
            shell::CreateDesktopShortcut(*desktop, "C:\\windows\\notepad.exe", " ", link,
                                         "Sumbrook");
            written = true;
        } catch (const Exception& e) {
            ADD_FAILURE() << e.message();
        }
        // Still usable, so still initialised: the job left the apartment alone.
        IUnknown* object = nullptr;
        EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                   reinterpret_cast<void**>(&object)),
                  S_OK);
        if (object != nullptr) {
            object->Release();
        }
        CoUninitialize();
    }).join();
    EXPECT_TRUE(written);
    EXPECT_EQ(counts->initialize, 1);
    EXPECT_TRUE(FAILED(counts->lastInitialize));
    EXPECT_EQ(counts->uninitialize, 0);
    EXPECT_TRUE(isFile(link));
}

} // namespace
