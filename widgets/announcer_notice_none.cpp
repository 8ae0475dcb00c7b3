#include "widgets/announcer_notice.h"

// The AT-SPI bridge reads the announcer's notification when it is shown; a value change
// on a control without a value would only log a warning there.
namespace sumbrook {

void notifySystemReader(QWidget* /*target*/, const QString& /*text*/) {}

} // namespace sumbrook
