#pragma once
// Hands short texts to a screen reader without taking the focus and without drawing
// anything: an accessible notification inside an accessible status bar. A notification
// that is shown anew is read out by screen readers that support no announcements of
// their own (Orca 43 with Qt 6.4); inside a status bar it is read without the word
// "notification" before it. Each announce() interrupts whatever the reader was saying,
// so a caller says everything one action brings in one announcement.
// On Windows the text is also raised as a value change of the announcer's parent, which
// the system's UI Automation bridge turns into a notification that Narrator and NVDA
// speak (they ignore notifications of an element without a size, as the announcer is).

#include <QWidget>

namespace sumbrook {

class Announcer final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Announcer)

public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& text);
    // The text most recently announced, and how many announcements were made.
    QString lastAnnouncement() const;
    int count() const { return m_count; }

private:
    QWidget* m_notification;
    int m_count = 0;
};

} // namespace sumbrook
