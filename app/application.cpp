#include "app/application.h"

#include "main_window/error_report.h"

namespace sumbrook {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Sumbrook"));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ui::reportCurrentException();
        return false;
    }
}

} // namespace sumbrook
