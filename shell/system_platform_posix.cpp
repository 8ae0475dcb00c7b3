#include "shell/system_platform.h"

#include "engine/exceptions.h"
#include "shell/platform.h"
#include "shell/shell_link_posix.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace sumbrook::shell {
namespace {

bool startsWithScheme(const std::string& target) {
    // RFC 3986: ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ) ":"
    const auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (target.empty() || !isAlpha(target[0])) {
        return false;
    }
    std::size_t i = 1;
    while (i < target.size() && (isAlpha(target[i]) || (target[i] >= '0' && target[i] <= '9') ||
                                 target[i] == '+' || target[i] == '-' || target[i] == '.')) {
        ++i;
    }
    return i >= 2 && i < target.size() && target[i] == ':';
}

// The desktop's opener, xdg-open, reports by its exit status whether the target could be
// opened; QDesktopServices reports success as soon as it has started it. The exit is
// awaited without blocking: xdg-open may run a browser in the foreground.
class QtLinkOpener final : public LinkOpener {
public:
    void open(const std::string& target, Done done) override {
        const QUrl url = urlForLinkTarget(target);
        if (!url.isValid()) {
            done(false);
            return;
        }
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty()) {
            // No desktop opener: whatever Qt finds (a browser named in the environment).
            done(QDesktopServices::openUrl(url));
            return;
        }
        // Owned here, so that an opener still running at exit is not left behind.
        auto* process = new QProcess(&m_processes);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->setStandardInputFile(QProcess::nullDevice());
        QObject::connect(process, &QProcess::finished, process,
                         [process, done](int code, QProcess::ExitStatus status) {
                             process->deleteLater();
                             done(status == QProcess::NormalExit && code == 0);
                         });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [process, done](QProcess::ProcessError error) {
                             if (error != QProcess::FailedToStart)
                                 return; // a crash ends in finished() as well
                             process->deleteLater();
                             done(false);
                         });
        process->start(opener, {url.toString(QUrl::FullyEncoded)});
    }
    bool runHtmProgramChooser() override { return false; }

private:
    QObject m_processes;
};

class PosixDesktop final : public Desktop {
public:
    std::string desktopFolder() override {
        // Follows the user's user-dirs.dirs, falling back to ~/Desktop.
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        if (folder.isEmpty()) {
            throw Exception("找不到桌面文件夹");
        }
        if (!QFileInfo(folder).isDir()) {
            throw Exception("桌面文件夹“" + QDir::toNativeSeparators(folder).toStdString() +
                            "”不存在");
        }
        return QDir::toNativeSeparators(folder).toStdString();
    }

    std::string programPath() override {
        const QString path = QCoreApplication::applicationFilePath();
        if (path.isEmpty()) {
            throw Exception("找不到程序文件的路径");
        }
        return QDir::toNativeSeparators(path).toStdString();
    }

    std::unique_ptr<ShellLink> createShellLink() override { return makePosixShellLink(); }
};

} // namespace

QUrl urlForLinkTarget(const std::string& target) {
    if (target.empty()) {
        return {};
    }
    const QString text = QString::fromStdString(target);
    if (startsWithScheme(target)) {
        return QUrl(text, QUrl::StrictMode);
    }
    if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
        return QUrl(QLatin1String("http://") + text, QUrl::StrictMode);
    }
    return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

std::unique_ptr<LinkOpener> makeSystemLinkOpener() {
    return std::make_unique<QtLinkOpener>();
}

std::unique_ptr<Desktop> makeSystemDesktop() {
    return std::make_unique<PosixDesktop>();
}

} // namespace sumbrook::shell
