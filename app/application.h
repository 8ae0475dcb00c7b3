#pragma once

#include <QApplication>

namespace sumbrook {

// The application object: its notify is the general error report for anything that
// leaves an event handler; the program then goes on with the next event.
class Application final : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace sumbrook
