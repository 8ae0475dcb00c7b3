#include "shell/shell_link_posix.h"

#include "engine/exceptions.h"
#include "shell/shortcut.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;
namespace shell = sumbrook::shell;
using sumbrook::Exception;

// The real writer behind a desktop that only supplies it.
class WriterDesktop final : public shell::Desktop {
public:
    std::string desktopFolder() override { return {}; }
    std::string programPath() override { return {}; }
    std::unique_ptr<shell::ShellLink> createShellLink() override {
        return shell::makePosixShellLink();
    }
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class PosixLinkWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "sumbrook-shell-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        fs::create_directories(programFolder());
        std::ofstream(target()) << "#!/bin/sh\n";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    fs::path programFolder() const { return m_root / "数学" / "程序"; }
    std::string target() const { return (programFolder() / "sumbrook").string(); }
    std::string linkIn(const fs::path& folder) const { return (folder / "Sumbrook.lnk").string(); }

    void write(const std::string& linkPath) {
        shell::CreateDesktopShortcut(m_desktop, target(), shell::kShortcutArguments, linkPath,
                                     shell::kShortcutDescription);
    }

    std::size_t entriesIn(const fs::path& folder) const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path m_root;
    WriterDesktop m_desktop;
};

// lnkinfo prints "\tName\t\t: value"; values keep their spaces, which matters for " ".
std::map<std::string, std::string> lnkinfoFields(const std::string& linkPath, int& status) {
    std::map<std::string, std::string> fields;
    const std::string command = "lnkinfo '" + linkPath + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return fields;
    }
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        std::string line(buffer);
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
        }
        const std::size_t colon = line.find(": ");
        if (colon == std::string::npos) {
            continue;
        }
        std::string key = line.substr(0, colon);
        const std::size_t first = key.find_first_not_of('\t');
        const std::size_t last = key.find_last_not_of("\t ");
        if (first == std::string::npos) {
            continue;
        }
        key = key.substr(first, last - first + 1);
        fields[key] = line.substr(colon + 2);
    }
    status = ::pclose(pipe);
    return fields;
}

TEST_F(PosixLinkWriterTest, ReadsBackThroughLnkinfo) {
    if (std::system("command -v lnkinfo >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "lnkinfo (liblnk-utils) is not installed";
    }
    const fs::path desktop = m_root / "桌面";
    fs::create_directories(desktop);
    const std::string link = linkIn(desktop);
    write(link);

    int status = 0;
    auto fields = lnkinfoFields(link, status);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(fields["Description"], "Sumbrook");
    EXPECT_EQ(fields["Command line arguments"], " ");
    EXPECT_EQ(fields["Working directory"], programFolder().string() + "/");
    EXPECT_EQ(fields["Local path"], target());
    EXPECT_EQ(fields["Drive type"], "Fixed (3)");
}

// The non-Unicode copy of the target path, as readers that use it find it: LinkInfo
// follows the header directly (no item list is written), its local base path at +16.
std::string ansiLocalBasePath(const std::string& link) {
    const std::string bytes = readFile(link);
    const auto at32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (int k = 3; k >= 0; --k) {
            v = (v << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(k)));
        }
        return static_cast<std::size_t>(v);
    };
    const std::size_t linkInfo = 0x4C;
    const std::size_t start = linkInfo + at32(linkInfo + 16);
    return std::string(bytes.c_str() + start);
}

struct AnsiPathCase {
    const char* name;
    const char* folder; // the program's folder name, UTF-8
    const char* ansi;   // that name in code page 936
};

class AnsiPathTest : public PosixLinkWriterTest,
                     public ::testing::WithParamInterface<AnsiPathCase> {};

TEST_P(AnsiPathTest, NonUnicodePathIsInTheProgramsCodePage) {
    const fs::path folder = m_root / GetParam().folder;
    fs::create_directories(folder);
    const std::string program = (folder / "sumbrook").string();
    const std::string link = linkIn(m_root);
    shell::CreateDesktopShortcut(m_desktop, program, " ", link, shell::kShortcutDescription);
    EXPECT_EQ(ansiLocalBasePath(link), m_root.string() + "/" + GetParam().ansi + "/sumbrook");
}

INSTANTIATE_TEST_SUITE_P(
    Folders, AnsiPathTest,
    ::testing::Values(AnsiPathCase{"Ascii", "maths", "maths"},
                      AnsiPathCase{"Chinese", "数学", "\xCA\xFD\xD1\xA7"},
                      // 乗's second byte in code page 936 is the backslash's code.
                      AnsiPathCase{"TrailByteIsBackslash", "乗", "\x81\x5C"},
                      AnsiPathCase{"OutsideTheCodePage", "😀数", "?\xCA\xFD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PosixLinkWriterTest, WritingTwiceGivesTheSameFile) {
    const std::string link = linkIn(m_root);
    write(link);
    const std::string first = readFile(link);
    write(link);

    EXPECT_FALSE(first.empty());
    EXPECT_EQ(readFile(link), first);
    // Only the program's folder and the link: no temporary file stays behind.
    EXPECT_EQ(entriesIn(m_root), 2u);
}

struct UnwritableCase {
    const char* name;
    const char* linkRelative; // under the test folder
    int error;
};

void PrintTo(const UnwritableCase& c, std::ostream* os) {
    *os << c.name;
}

class UnwritableLinkTest : public PosixLinkWriterTest,
                           public ::testing::WithParamInterface<UnwritableCase> {};

// Running as root, permission bits stop nothing; these paths fail for anyone.
TEST_P(UnwritableLinkTest, FailsWithReasonAndPathAndLeavesNothing) {
    fs::create_directories(m_root / "existing" / "Sumbrook.lnk");
    std::ofstream(m_root / "plain") << "x";
    const std::size_t before = entriesIn(m_root);
    const std::string link = (m_root / GetParam().linkRelative).string();

    bool reported = false;
    try {
        write(link);
    } catch (const Exception& e) {
        reported = true;
        EXPECT_NE(e.message().find(link), std::string::npos) << e.message();
        const std::string reason = std::generic_category().message(GetParam().error);
        EXPECT_NE(e.message().find(reason), std::string::npos) << e.message();
    }
    EXPECT_TRUE(reported) << "a save to " << link << " was reported as done";
    EXPECT_EQ(entriesIn(m_root), before);
    EXPECT_EQ(entriesIn(m_root / "existing"), 1u);
    EXPECT_TRUE(fs::is_directory(m_root / "existing" / "Sumbrook.lnk"));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, UnwritableLinkTest,
    ::testing::Values(UnwritableCase{"LinkIsAFolder", "existing/Sumbrook.lnk", EISDIR},
                      UnwritableCase{"FolderMissing", "missing/Sumbrook.lnk", ENOENT},
                      UnwritableCase{"FolderIsAFile", "plain/Sumbrook.lnk", ENOTDIR}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PosixLinkWriterTest, RefusesTextsItCannotRecordFaithfully) {
    const std::string link = linkIn(m_root);
    const std::size_t before = entriesIn(m_root);
    const std::string bad[] = {"/opt/\xE6\x95", "/opt/\xC0\xAF", std::string("/opt/a\0b", 8)};
    for (const std::string& path : bad) {
        EXPECT_THROW(
            shell::CreateDesktopShortcut(m_desktop, path, " ", link, shell::kShortcutDescription),
            Exception);
    }
    EXPECT_THROW(shell::CreateDesktopShortcut(m_desktop, "", " ", link, "S"), Exception);
    EXPECT_EQ(entriesIn(m_root), before);
}

} // namespace
