#pragma once
// A temporary home for tests that reach the user's desktop folder through the XDG user
// directories: <home>/config/user-dirs.dirs names the desktop folder, and XDG_CONFIG_HOME
// points at <home>/config while the helper lives. The destructor puts the variable back
// as it was (or unsets it) and removes the home, also when a failed check leaves the test
// early. Needs Qt Core, which every test that uses it links.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

namespace sumbrook::testing {

class TemporaryXdgDesktop final {
public:
    // The desktop folder is <home>/<desktopName>; it is named, not created.
    explicit TemporaryXdgDesktop(const QString& desktopName = QStringLiteral("桌面"))
        : m_hadConfigHome(qEnvironmentVariableIsSet(kVariable)),
          m_oldConfigHome(qgetenv(kVariable)) {
        m_valid = m_home.isValid() && QDir().mkpath(configFolder()) &&
                  setDesktop(m_home.filePath(desktopName));
        if (m_valid) {
            qputenv(kVariable, QFile::encodeName(configFolder()));
        }
    }
    ~TemporaryXdgDesktop() {
        if (m_hadConfigHome) {
            qputenv(kVariable, m_oldConfigHome);
        } else {
            qunsetenv(kVariable);
        }
    }
    Q_DISABLE_COPY_MOVE(TemporaryXdgDesktop)

    // False when the home or its user-dirs.dirs could not be made.
    bool isValid() const { return m_valid; }
    QString home() const { return m_home.path(); }
    QString filePath(const QString& name) const { return m_home.filePath(name); }
    // The folder user-dirs.dirs names as the desktop.
    QString desktop() const { return m_desktop; }

    // Names another folder as the desktop; false when user-dirs.dirs cannot be written.
    bool setDesktop(const QString& folder) {
        QFile dirs(QDir(configFolder()).filePath(QStringLiteral("user-dirs.dirs")));
        const QByteArray line = "XDG_DESKTOP_DIR=\"" + folder.toUtf8() + "\"\n";
        if (!dirs.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            dirs.write(line) != line.size()) {
            return false;
        }
        m_desktop = folder;
        return true;
    }

private:
    static constexpr char kVariable[] = "XDG_CONFIG_HOME";

    QString configFolder() const { return m_home.filePath(QStringLiteral("config")); }

    bool m_hadConfigHome;
    QByteArray m_oldConfigHome;
    QTemporaryDir m_home;
    QString m_desktop;
    bool m_valid = false;
};

} // namespace sumbrook::testing
