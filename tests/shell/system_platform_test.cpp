#include "shell/system_platform.h"

#include "engine/exceptions.h"
#include "shell/platform.h"
#include "shell/shortcut.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QObject>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace shell = sumbrook::shell;
using sumbrook::Exception;

// Points the user's desktop (through user-dirs.dirs) into a private folder.
class SystemDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "sumbrook-desktop-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        fs::create_directories(m_root / "config");
        ::setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("XDG_CONFIG_HOME");
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    void setDesktop(const fs::path& folder) {
        std::ofstream(m_root / "config" / "user-dirs.dirs")
            << "XDG_DESKTOP_DIR=\"" << folder.string() << "\"\n";
    }

    std::vector<fs::path> everything() const {
        return {fs::recursive_directory_iterator(m_root), fs::recursive_directory_iterator()};
    }

    fs::path m_root;
};

TEST_F(SystemDesktopTest, AMissingOrFileDesktopThrowsNamingItAndWritesNothing) {
    std::ofstream(m_root / "plain") << "x";
    for (const fs::path& folder : {m_root / "没有桌面", m_root / "plain"}) {
        setDesktop(folder);
        const auto before = everything();
        const auto desktop = shell::makeSystemDesktop();
        try {
            shell::CreateProgramShortcut(*desktop);
            ADD_FAILURE() << "a shortcut was made in " << folder;
        } catch (const Exception& e) {
            EXPECT_NE(e.message().find(folder.string()), std::string::npos) << e.message();
        }
        EXPECT_EQ(everything(), before);
    }
}

TEST_F(SystemDesktopTest, TheShortcutToThisProgramLandsOnTheDesktop) {
    const fs::path folder = m_root / "桌面";
    fs::create_directories(folder);
    setDesktop(folder);
    const auto desktop = shell::makeSystemDesktop();

    EXPECT_EQ(desktop->desktopFolder(), folder.string());
    EXPECT_EQ(desktop->programPath(), QCoreApplication::applicationFilePath().toStdString());
    const std::string written = shell::CreateProgramShortcut(*desktop);

    EXPECT_EQ(written, (folder / "Sumbrook.lnk").string());
    std::ifstream in(written, std::ios::binary);
    const std::string content(std::istreambuf_iterator<char>(in), {});
    const std::string program = desktop->programPath();
    // The local path is stored as it is, NUL-terminated, inside the link.
    EXPECT_NE(content.find(program + std::string(1, '\0')), std::string::npos);
}

struct UrlCase {
    const char* target;
    const char* url; // nullptr: a local file, made absolute
};

void PrintTo(const UrlCase& c, std::ostream* os) {
    *os << '"' << c.target << '"';
}

class UrlForTargetTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(UrlForTargetTest, WebAddressesStayLocalFilesBecomeFileUrls) {
    const QUrl url = shell::urlForLinkTarget(GetParam().target);
    ASSERT_TRUE(url.isValid());
    if (GetParam().url != nullptr) {
        EXPECT_EQ(url.toString().toStdString(), GetParam().url);
    } else {
        EXPECT_TRUE(url.isLocalFile());
        const fs::path expected = fs::absolute(fs::u8path(GetParam().target));
        EXPECT_EQ(url.toLocalFile().toStdString(), expected.lexically_normal().string());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, UrlForTargetTest,
    ::testing::Values(UrlCase{"https://example.org/a?b=1", "https://example.org/a?b=1"},
                      UrlCase{"mailto:kid@example.org", "mailto:kid@example.org"},
                      UrlCase{"www.example.org", "http://www.example.org"},
                      UrlCase{"/usr/share/doc/说明.htm", nullptr},
                      UrlCase{"help/说明 1.htm", nullptr},
                      // One letter and a colon is a drive, never a scheme.
                      UrlCase{"C:/help.htm", nullptr}));

TEST(UrlForTarget, NothingToOpenIsInvalid) {
    EXPECT_FALSE(shell::urlForLinkTarget("").isValid());
}

// Stands in for the desktop's browser and file handler.
class UrlRecorder : public QObject {
    Q_OBJECT
public Q_SLOTS:
    void open(const QUrl& url) { opened.push_back(url); }

public:
    std::vector<QUrl> opened;
};

TEST(SystemLinkOpener, HandsTheUrlToTheDesktop) {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    const auto opener = shell::makeSystemLinkOpener();

    EXPECT_TRUE(opener->open("https://example.org/"));
    EXPECT_TRUE(opener->open("/tmp/说明.htm"));
    EXPECT_FALSE(opener->open(""));
    EXPECT_FALSE(opener->runHtmProgramChooser());

    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(recorder.opened.size(), 2u);
    EXPECT_EQ(recorder.opened[0], QUrl(QStringLiteral("https://example.org/")));
    EXPECT_EQ(recorder.opened[1], QUrl::fromLocalFile(QStringLiteral("/tmp/说明.htm")));
}

} // namespace

int main(int argc, char** argv) {
    // programPath and the URL handlers need the application object.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "system_platform_test.moc"
