#pragma once
// Records the error reports and confirmations instead of opening modal boxes.

#include "main_window/error_report.h"

#include <QStringList>

namespace sumbrook::testing {

class RecordingReporter final : public ui::Reporter {
public:
    RecordingReporter() : m_previous(ui::setReporter(this)) {}
    ~RecordingReporter() override { ui::setReporter(m_previous); }

    void showError(const QString& message) override { errors << message; }
    void showMessage(const QString& text) override { messages << text; }

    QStringList errors;
    QStringList messages;

private:
    ui::Reporter* m_previous;
};

} // namespace sumbrook::testing
