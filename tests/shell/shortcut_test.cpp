#include "shell/shortcut.h"

#include "engine/exceptions.h"
#include "tests/shell/fake_desktop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

using sumbrook::Exception;
using sumbrook::testing::FakeDesktop;
namespace shell = sumbrook::shell;

struct LinkPathCase {
    const char* desktop;
    const char* expected;
};

// Named by their input, so test names stay readable and stable.
void PrintTo(const LinkPathCase& c, std::ostream* os) {
    *os << '"' << c.desktop << '"';
}

class LinkFilePathTest : public ::testing::TestWithParam<LinkPathCase> {};

TEST_P(LinkFilePathTest, AppendsOneSeparatorAndTheName) {
    EXPECT_EQ(shell::LinkFilePath(GetParam().desktop), GetParam().expected);
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    Windows, LinkFilePathTest,
    ::testing::Values(
        LinkPathCase{"X:\\", "X:\\Sumbrook.lnk"}, LinkPathCase{"C:", "C:\\Sumbrook.lnk"},
        LinkPathCase{"C:\\Users\\kid\\Desktop", "C:\\Users\\kid\\Desktop\\Sumbrook.lnk"},
        LinkPathCase{"C:\\Users\\kid\\Desktop\\", "C:\\Users\\kid\\Desktop\\Sumbrook.lnk"},
        LinkPathCase{"\\\\server\\share", "\\\\server\\share\\Sumbrook.lnk"}));
#else
INSTANTIATE_TEST_SUITE_P(
    Posix, LinkFilePathTest,
    ::testing::Values(LinkPathCase{"/", "/Sumbrook.lnk"}, LinkPathCase{"/a", "/a/Sumbrook.lnk"},
                      LinkPathCase{"/ab/", "/ab/Sumbrook.lnk"},
                      LinkPathCase{"/home/kid/Desktop", "/home/kid/Desktop/Sumbrook.lnk"},
                      LinkPathCase{"/home/kid/Desktop/", "/home/kid/Desktop/Sumbrook.lnk"},
                      LinkPathCase{"/home/kid/桌面", "/home/kid/桌面/Sumbrook.lnk"},
                      // A backslash is an ordinary character in a POSIX name.
                      LinkPathCase{"X:\\", "X:\\/Sumbrook.lnk"}));
#endif

TEST(LinkFilePath, RefusesAnEmptyFolder) {
    EXPECT_THROW(shell::LinkFilePath(""), Exception);
}

struct FolderCase {
    const char* target;
    const char* folder;
};

void PrintTo(const FolderCase& c, std::ostream* os) {
    *os << '"' << c.target << '"';
}

class WorkingFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(WorkingFolderTest, CutsAfterTheLastSeparator) {
    EXPECT_EQ(shell::WorkingFolderOf(GetParam().target), GetParam().folder);
}

const FolderCase kFolderCases[] = {
    {"C:\\Program Files\\Sumbrook\\sumbrook.exe", "C:\\Program Files\\Sumbrook\\"},
    {"C:sumbrook.exe", "C:"},
    {"sumbrook", ""},
    {"", ""},
#ifndef _WIN32
    {"/opt/数学/sumbrook", "/opt/数学/"},
    {"/sumbrook", "/"},
    {"/opt/v1.2/", "/opt/v1.2/"},
    {"/opt/a\\b/sumbrook", "/opt/a\\b/"},
#endif
};

INSTANTIATE_TEST_SUITE_P(Paths, WorkingFolderTest, ::testing::ValuesIn(kFolderCases));

// The guard decides before anything else happens: a refused path must not reach the
// desktop at all, an accepted one must be saved exactly there.
struct GuardCase {
    const char* linkPath;
    const char* extension;
    bool accepted;
};

void PrintTo(const GuardCase& c, std::ostream* os) {
    *os << '"' << c.linkPath << '"';
}

class ExtensionGuardTest : public ::testing::TestWithParam<GuardCase> {};

TEST_P(ExtensionGuardTest, AcceptsOnlyLnkAndRefusesBeforeCreatingAnything) {
    const GuardCase& c = GetParam();
    EXPECT_EQ(shell::PathExtension(c.linkPath), c.extension);
    EXPECT_EQ(shell::HasLinkExtension(c.linkPath), c.accepted);

    FakeDesktop desktop;
    if (c.accepted) {
        shell::CreateDesktopShortcut(desktop, "/opt/sumbrook", " ", c.linkPath, "Sumbrook");
        EXPECT_NE(
            std::find(desktop.log->begin(), desktop.log->end(), std::string("Save ") + c.linkPath),
            desktop.log->end());
    } else {
        try {
            shell::CreateDesktopShortcut(desktop, "/opt/sumbrook", " ", c.linkPath, "Sumbrook");
            ADD_FAILURE() << "accepted " << c.linkPath;
        } catch (const Exception& e) {
            EXPECT_EQ(e.message(), "快捷方式的扩展名必须是LNK");
        }
        EXPECT_TRUE(desktop.log->empty());
    }
}

const GuardCase kGuardCases[] = {
    {"/home/kid/Desktop/Sumbrook.lnk", ".lnk", true},
    {"C:\\Users\\kid\\Desktop\\Sumbrook.LNK", ".LNK", true},
    {"Sumbrook.Lnk", ".Lnk", true},
    {"D:.lnk", ".lnk", true},
    {"/x/快捷方式.lnk", ".lnk", true},
    {"/x/Sumbrook.lnk.txt", ".txt", false},
    {"/x/Sumbrook.lnkx", ".lnkx", false},
    {"/x/Sumbrook.lnk ", ".lnk ", false},
    {"/x/Sumbrook.ｌｎｋ", ".ｌｎｋ", false},
    {"C:\\x.lnk\\Sumbrook", "", false},
    {"C:\\x\\Sumbrook", "", false},
    {"", "", false},
#ifndef _WIN32
    {"/x.lnk/Sumbrook", "", false},
    {"/home/kid/Sumbrook", "", false},
#endif
};

INSTANTIATE_TEST_SUITE_P(Paths, ExtensionGuardTest, ::testing::ValuesIn(kGuardCases));

// Code page 936: lead bytes 0x81-0xFE; the second byte may be 0x5C ('\').
bool gbkLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

TEST(DoubleByteText, TrailingBackslashByteIsNotASeparator) {
    // "C:\prog\" then the character 0x95 0x5C, then ".exe".
    const std::string target = "C:\\prog\\\x95\x5C.exe";
    EXPECT_EQ(shell::WorkingFolderOf(target, gbkLeadByte), "C:\\prog\\");
    EXPECT_EQ(shell::PathExtension(target, gbkLeadByte), ".exe");

    const std::string folderWithDot = "C:\\v1.2\x95\x5Cname";
    EXPECT_EQ(shell::PathExtension(folderWithDot, gbkLeadByte), ".2\x95\x5Cname");
    EXPECT_EQ(shell::PathExtension(folderWithDot), "");

    // A lead byte at the very end stands alone.
    EXPECT_EQ(shell::WorkingFolderOf("C:\\a\\b\x95", gbkLeadByte), "C:\\a\\");
}

TEST(CreateDesktopShortcut, SetsEverythingInOrderInsideOneSession) {
#ifdef _WIN32
    const std::string folder = "C:\\Users\\kid\\桌面", program = "C:\\数学\\sumbrook.exe",
                      programFolder = "C:\\数学\\";
#else
    const std::string folder = "/home/kid/桌面", program = "/opt/数学/sumbrook",
                      programFolder = "/opt/数学/";
#endif
    FakeDesktop desktop;
    desktop.folder = folder;
    desktop.program = program;

    const std::string written = shell::CreateProgramShortcut(desktop);

    EXPECT_EQ(written, shell::LinkFilePath(folder));
    const std::vector<std::string> expected = {
        "beginSession",
        "createShellLink",
        "SetPath " + program,
        "SetArguments  ",
        "SetWorkingDirectory " + programFolder,
        "SetDescription Sumbrook",
        "Save " + written,
        "releaseLink", // the object goes before the session that carries it
        "endSession",
    };
    EXPECT_EQ(*desktop.log, expected);
}

TEST(CreateDesktopShortcut, AFailedSaveIsReportedAndTheSessionStillEnds) {
    FakeDesktop desktop;
    desktop.saveError = "disk full";
    EXPECT_THROW(
        shell::CreateDesktopShortcut(desktop, "/opt/sumbrook", " ", "/d/Sumbrook.lnk", "S"),
        Exception);
    ASSERT_GE(desktop.log->size(), 2u);
    EXPECT_EQ(desktop.log->back(), "endSession");
    EXPECT_EQ((*desktop.log)[desktop.log->size() - 2], "releaseLink");
}

TEST(CreateDesktopShortcut, NoShellLinkObjectIsAnInterfaceError) {
    FakeDesktop desktop;
    desktop.noLink = true;
    EXPECT_THROW(
        shell::CreateDesktopShortcut(desktop, "/opt/sumbrook", " ", "/d/Sumbrook.lnk", "S"),
        sumbrook::EIntfCastError);
    EXPECT_EQ(desktop.log->back(), "endSession");
}

} // namespace
