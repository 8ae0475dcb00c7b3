#include "widgets/announcer.h"

#include "widgets/announcer_notice.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace sumbrook {
namespace {

// The status bar's one child; it exists for the screen reader only.
class AnnouncerNotification final : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;
};

QAccessibleInterface* announcerAccessible(const QString& /*className*/, QObject* object) {
    if (auto* bar = qobject_cast<Announcer*>(object))
        return new QAccessibleWidget(bar, QAccessible::StatusBar);
    if (auto* note = qobject_cast<AnnouncerNotification*>(object))
        return new QAccessibleWidget(note, QAccessible::Notification);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent)
    : QWidget(parent), m_notification(new AnnouncerNotification(this)) {
    static const bool installed = [] {
        QAccessible::installFactory(announcerAccessible);
        return true;
    }();
    (void)installed;
    setObjectName(QStringLiteral("announcer"));
    m_notification->setObjectName(QStringLiteral("announcement"));
    // No size, no focus, nothing drawn: sighted users never meet it.
    setGeometry(0, 0, 0, 0);
    m_notification->setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    m_notification->setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_notification->hide();
}

void Announcer::announce(const QString& text) {
    // Readers speak a notification when it is shown, so it is shown anew each time.
    m_notification->hide();
    m_notification->setAccessibleName(text);
    m_notification->show();
    notifySystemReader(parentWidget(), text);
    ++m_count;
}

QString Announcer::lastAnnouncement() const {
    return m_notification->accessibleName();
}

} // namespace sumbrook

#include "announcer.moc"
