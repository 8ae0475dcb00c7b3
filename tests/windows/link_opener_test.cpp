// Opening a link's target through the shell: success is what the shell reports.
#include "shell/platform.h"
#include "tests/windows/windows_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace shell = sumbrook::shell;
using sumbrook::testing::isFile;
using sumbrook::testing::TempFolder;
using sumbrook::testing::toUtf8;

std::string systemProgram(const wchar_t* name) {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH + 1);
    return toUtf8(std::wstring(folder, n) + L"\\" + name);
}

TEST(WindowsLinkOpener, OpensAnExistingProgram) {
    // A console program that prints a line and ends: nothing is left waiting.
    const std::string target = systemProgram(L"hostname.exe");
    ASSERT_TRUE(isFile(target)) << target;
    EXPECT_TRUE(shell::makeSystemLinkOpener()->open(target));
}

TEST(WindowsLinkOpener, ReportsFailureWithoutAsking) {
    TempFolder temp;
    const auto opener = shell::makeSystemLinkOpener();
    // No dialog of the shell's own may appear: under wine without a display it would
    // hang this test, on Windows it would wait for a click.
    EXPECT_FALSE(opener->open(temp / "missing.htm"));
    EXPECT_FALSE(opener->open(temp / "missing"));
    // A character the ANSI code page cannot carry: the shell could only get a '?'.
    EXPECT_FALSE(opener->open(systemProgram(L"hostname.exe") + "ก"));
}

} // namespace
