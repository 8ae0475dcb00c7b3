// Opening a link's target through the shell: success is what the shell reports.
#include "shell/platform.h"
#include "tests/windows/windows_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace shell = sumbrook::shell;
using sumbrook::testing::isFile;
using sumbrook::testing::TempFolder;
using sumbrook::testing::toUtf8;

// The shell answers before open() returns, once.
bool opens(shell::LinkOpener& opener, const std::string& target) {
    std::vector<bool> answers;
    opener.open(target, [&answers](bool opened) { answers.push_back(opened); });
    EXPECT_EQ(answers.size(), 1u) << target;
    return !answers.empty() && answers.front();
}

std::string systemProgram(const wchar_t* name) {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH + 1);
    return toUtf8(std::wstring(folder, n) + L"\\" + name);
}

TEST(WindowsLinkOpener, OpensAnExistingProgram) {
    // A console program that prints a line and ends: nothing is left waiting.
    const std::string target = systemProgram(L"hostname.exe");
    ASSERT_TRUE(isFile(target)) << target;
    EXPECT_TRUE(opens(*shell::makeSystemLinkOpener(), target));
}

TEST(WindowsLinkOpener, ReportsFailureWithoutAsking) {
    TempFolder temp;
    const auto opener = shell::makeSystemLinkOpener();
    // No dialog of the shell's own may appear: under wine without a display it would
    // hang this test, on Windows it would wait for a click.
    EXPECT_FALSE(opens(*opener, temp / "missing.htm"));
    EXPECT_FALSE(opens(*opener, temp / "missing"));
    // A character the ANSI code page cannot carry: the shell could only get a '?'.
    EXPECT_FALSE(opens(*opener, systemProgram(L"hostname.exe") + "ก"));
}

} // namespace
