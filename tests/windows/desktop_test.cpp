// The Windows desktop: where the shortcut goes, what it points at, and the menu command's
// whole job on the (private) user's desktop.
#include "engine/exceptions.h"
#include "shell/desktop_win.h"
#include "shell/shortcut.h"
#include "tests/windows/windows_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using sumbrook::Exception;
using sumbrook::testing::countingOleCalls;
using sumbrook::testing::isFile;
using sumbrook::testing::isFolder;
using sumbrook::testing::leaveForLnkinfo;
using sumbrook::testing::LinkContents;
using sumbrook::testing::OleCounts;
using sumbrook::testing::readLink;
using sumbrook::testing::toUtf8;
using sumbrook::testing::toWide;
namespace shell = sumbrook::shell;

std::string desktopDirectoryW() {
    wchar_t path[MAX_PATH + 1] = {};
    if (FAILED(
            SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return toUtf8(path);
}

TEST(WindowsDesktop, FolderIsTheUsersDesktopDirectory) {
    const auto desktop = shell::makeWindowsDesktop();
    const std::string folder = desktop->desktopFolder();
    EXPECT_EQ(folder, desktopDirectoryW());
    EXPECT_TRUE(isFolder(folder)) << folder;
}

TEST(WindowsDesktop, ProgramPathIsThisProgram) {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    ASSERT_GT(n, 0u);
    const auto desktop = shell::makeWindowsDesktop();
    EXPECT_EQ(desktop->programPath(), toUtf8(std::wstring(path, n)));
    EXPECT_TRUE(isFile(desktop->programPath()));
}

TEST(WindowsDesktop, ProgramShortcutLandsOnTheDesktopTwice) {
    SUMBROOK_REQUIRE_PRIVATE_WINEPREFIX();
    auto counts = std::make_shared<OleCounts>();
    const auto desktop = shell::makeWindowsDesktop(countingOleCalls(counts));
    const std::string expected = desktop->desktopFolder() + "\\Sumbrook.lnk";
    DeleteFileW(toWide(expected).c_str());

    // The menu command may be chosen again: the same file is written over.
    EXPECT_EQ(shell::CreateProgramShortcut(*desktop), expected);
    EXPECT_EQ(shell::CreateProgramShortcut(*desktop), expected);

    EXPECT_EQ(counts->initialize, 2);
    EXPECT_EQ(counts->uninitialize, 2);
    ASSERT_TRUE(isFile(expected));
    const LinkContents read = readLink(expected);
    const std::string program = desktop->programPath();
    const std::string folder = program.substr(0, program.rfind('\\') + 1);
    EXPECT_EQ(read.path, program);
    EXPECT_EQ(read.workingDirectory, folder);
    EXPECT_EQ(read.arguments, " ");
    EXPECT_EQ(read.description, "Sumbrook");
    leaveForLnkinfo("desktop", expected, {program, " ", folder, "Sumbrook"});
    EXPECT_TRUE(DeleteFileW(toWide(expected).c_str()));
}

// Moves the desktop folder aside for one test and back afterwards.
class DesktopMovedAside {
public:
    explicit DesktopMovedAside(std::string folder)
        : m_folder(std::move(folder)), m_aside(m_folder + ".aside") {
        m_moved = MoveFileW(toWide(m_folder).c_str(), toWide(m_aside).c_str()) != FALSE;
    }
    ~DesktopMovedAside() {
        if (m_moved) {
            MoveFileW(toWide(m_aside).c_str(), toWide(m_folder).c_str());
        }
    }
    DesktopMovedAside(const DesktopMovedAside&) = delete;
    DesktopMovedAside& operator=(const DesktopMovedAside&) = delete;
    bool moved() const { return m_moved; }

private:
    std::string m_folder;
    std::string m_aside;
    bool m_moved = false;
};

TEST(WindowsDesktop, MissingFolderIsReportedAndNothingIsWritten) {
    SUMBROOK_REQUIRE_PRIVATE_WINEPREFIX();
    auto counts = std::make_shared<OleCounts>();
    const auto desktop = shell::makeWindowsDesktop(countingOleCalls(counts));
    const std::string folder = desktop->desktopFolder();
    {
        DesktopMovedAside aside(folder);
        ASSERT_TRUE(aside.moved()) << "cannot move " << folder << " aside";
        try {
            shell::CreateProgramShortcut(*desktop);
            ADD_FAILURE() << "a missing desktop folder went unnoticed";
        } catch (const Exception& e) {
            EXPECT_EQ(e.message(), "桌面文件夹“" + folder + "”不存在");
        }
        EXPECT_FALSE(isFolder(folder)) << "something made the folder again";
    }
    EXPECT_EQ(counts->initialize, 0) << "the job went on after the folder was found missing";
    EXPECT_EQ(counts->createInstance, 0);
    ASSERT_TRUE(isFolder(folder)) << "the desktop folder was not put back";
}

} // namespace
