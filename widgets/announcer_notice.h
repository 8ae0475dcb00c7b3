#pragma once
// The platform's extra path for an announcement: a notification raised on a control that
// has a window and a size. Does nothing where screen readers hear the announcer itself.

class QString;
class QWidget;

namespace sumbrook {

void notifySystemReader(QWidget* target, const QString& text);

} // namespace sumbrook
