#include "widgets/announcer_notice.h"

#include <QAccessible>
#include <QWidget>

// Qt's UI Automation bridge raises nothing for a notification shown or renamed, but turns
// a value change that carries text into UiaRaiseNotificationEvent (resolved at run time,
// so systems before Windows 10 1709 and wine simply get nothing), "most recent wins".
// updateAccessibility does nothing until a UI Automation client has asked for the window.
namespace sumbrook {

void notifySystemReader(QWidget* target, const QString& text) {
    if (target == nullptr || text.isEmpty())
        return;
    QAccessibleValueChangeEvent event(target, text);
    QAccessible::updateAccessibility(&event);
}

} // namespace sumbrook
