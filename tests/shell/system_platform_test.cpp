#include "shell/system_platform.h"

#include "engine/exceptions.h"
#include "shell/platform.h"
#include "shell/shortcut.h"
#include "tests/support/temporary_xdg_desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace shell = sumbrook::shell;
using sumbrook::Exception;
using sumbrook::testing::TemporaryXdgDesktop;

// Points the user's desktop (through user-dirs.dirs) into a private folder.
class SystemDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_xdg.isValid());
        m_root = fs::u8path(m_xdg.home().toStdString());
    }

    void setDesktop(const fs::path& folder) {
        ASSERT_TRUE(m_xdg.setDesktop(QString::fromStdString(folder.u8string())));
    }

    std::vector<fs::path> everything() const {
        return {fs::recursive_directory_iterator(m_root), fs::recursive_directory_iterator()};
    }

    TemporaryXdgDesktop m_xdg;
    fs::path m_root;
};

// The helper points the desktop into its home and puts XDG_CONFIG_HOME back as it was, set
// or not, however its scope is left.
TEST(TemporaryXdgDesktopTest, PointsTheDesktopThereAndPutsTheSettingBack) {
    const TemporaryXdgDesktop outer; // restores the process's own setting at the end
    ASSERT_TRUE(outer.isValid());
    for (const char* before : {"/elsewhere/config", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(before != nullptr ? before : "unset");
        if (before != nullptr) {
            qputenv("XDG_CONFIG_HOME", before);
        } else {
            qunsetenv("XDG_CONFIG_HOME");
        }
        // Leaves its scope early, as a failed ASSERT does.
        const auto desktopWhileAlive = [] {
            const TemporaryXdgDesktop xdg;
            if (xdg.isValid()) {
                return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) ==
                       xdg.desktop();
            }
            return false;
        };
        EXPECT_TRUE(desktopWhileAlive());
        EXPECT_EQ(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"), before != nullptr);
        EXPECT_EQ(qgetenv("XDG_CONFIG_HOME"), QByteArray(before));
    }
}

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

// A folder of programs that stands in for PATH while it lives; with an xdg-open that
// writes its argument to "args" beside it, sleeps the seconds in FAKE_OPENER_SLEEP and
// exits with the status in FAKE_OPENER_EXIT.
class FakePath {
public:
    explicit FakePath(bool withOpener) : m_oldPath(qgetenv("PATH")) {
        if (withOpener) {
            const QString script = m_folder.filePath(QStringLiteral("xdg-open"));
            QFile file(script);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$(dirname \"$0\")/args\"\n"
                       "sleep \"${FAKE_OPENER_SLEEP:-0}\"\nexit \"${FAKE_OPENER_EXIT:-0}\"\n");
            file.close();
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(m_folder.path()) + ":/bin:/usr/bin");
    }
    ~FakePath() { qputenv("PATH", m_oldPath); }
    FakePath(const FakePath&) = delete;
    FakePath& operator=(const FakePath&) = delete;

    QString args() const {
        QFile file(m_folder.filePath(QStringLiteral("args")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private:
    QTemporaryDir m_folder;
    QByteArray m_oldPath;
};

// The answers open() gives, as they come; waits up to 10 s for the first.
struct Answers {
    shell::LinkOpener::Done done() {
        return [this](bool opened) { given.push_back(opened); };
    }
    bool wait() {
        QElapsedTimer timer;
        timer.start();
        while (given.empty() && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return !given.empty();
    }
    std::vector<bool> given;
};

// The desktop's opener is run with the target and its exit status is the answer, given
// only once it has ended: a browser it keeps in the foreground must not block the window.
struct OpenerCase {
    const char* target;
    int exitStatus;
    const char* passed; // the argument xdg-open receives
};

class DesktopOpenerTest : public ::testing::TestWithParam<OpenerCase> {};

TEST_P(DesktopOpenerTest, AnswersWithTheOpenersExitStatus) {
    const OpenerCase& c = GetParam();
    FakePath path(true);
    qputenv("FAKE_OPENER_SLEEP", "0.3");
    qputenv("FAKE_OPENER_EXIT", QByteArray::number(c.exitStatus));
    const auto opener = shell::makeSystemLinkOpener();
    Answers answers;

    opener->open(c.target, answers.done());

    EXPECT_TRUE(answers.given.empty()) << "answered before the opener ended";
    ASSERT_TRUE(answers.wait());
    EXPECT_EQ(answers.given, std::vector<bool>{c.exitStatus == 0});
    EXPECT_EQ(path.args().toStdString(), std::string(c.passed) + "\n");
    qunsetenv("FAKE_OPENER_SLEEP");
    qunsetenv("FAKE_OPENER_EXIT");
}

INSTANTIATE_TEST_SUITE_P(
    ExitStatus, DesktopOpenerTest,
    ::testing::Values(OpenerCase{"https://example.org/a?b=1", 0, "https://example.org/a?b=1"},
                      OpenerCase{"https://example.org/", 3, "https://example.org/"},
                      OpenerCase{"https://example.org/", 4, "https://example.org/"},
                      OpenerCase{"/tmp/说明.htm", 2, "file:///tmp/%E8%AF%B4%E6%98%8E.htm"},
                      OpenerCase{"www.example.org", 0, "http://www.example.org"}));

TEST(DesktopOpener, NothingToOpenIsAnsweredAtOnce) {
    FakePath path(true);
    const auto opener = shell::makeSystemLinkOpener();
    Answers answers;
    opener->open("", answers.done());
    EXPECT_EQ(answers.given, std::vector<bool>{false});
    EXPECT_EQ(path.args(), QString());
}

// Without xdg-open the target goes to whatever Qt finds; here the URL handlers.
TEST(SystemLinkOpener, HandsTheUrlToTheDesktop) {
    FakePath path(false);
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    const auto opener = shell::makeSystemLinkOpener();
    Answers answers;

    opener->open("https://example.org/", answers.done());
    opener->open("/tmp/说明.htm", answers.done());
    opener->open("", answers.done());
    EXPECT_EQ(answers.given, (std::vector<bool>{true, true, false}));
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
