#pragma once
// The general error report and the plain confirmation dialog. Both go through one
// Reporter so that tests can record them instead of blocking on a modal box.

#include <QString>

#include <memory>
#include <utility>

class QMessageBox;

namespace sumbrook::ui {

class Reporter {
public:
    virtual ~Reporter() = default;
    // Stop icon, one OK button, caption the application title.
    virtual void showError(const QString& message) = 0;
    // No icon, one OK button that is both default and cancel button, centred on screen.
    virtual void showMessage(const QString& text) = 0;
};

// The reporter in use: message boxes unless a test installed its own.
Reporter& reporter();
// Installs a replacement (nullptr restores the message boxes); returns the previous one.
Reporter* setReporter(Reporter* replacement);

// The boxes the reporter shows, built but not yet shown.
std::unique_ptr<QMessageBox> makeErrorBox(const QString& message);
std::unique_ptr<QMessageBox> makeConfirmationBox(const QString& text);

// The title that message boxes and dialogs carry.
QString applicationTitle();

// Appends a full stop when the last character sorts after '.' (an ASCII character above
// it, or any non-ASCII character), as the error report shows messages.
QString withFullStop(const QString& message);

// Reports the exception being handled (call from a catch block); EAbort shows nothing.
void reportCurrentException();

// Runs a handler; an exception leaving it is reported and the program goes on.
template <class Handler> void guarded(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        reportCurrentException();
    }
}

} // namespace sumbrook::ui
