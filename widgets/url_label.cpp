#include "widgets/url_label.h"

#include "shell/platform.h"
#include "widgets/cursor_table.h"

#include <QPointer>

namespace sumbrook {

namespace {

// The colour of a followed link: purple.
constexpr QRgb kVisitedColor = qRgb(128, 0, 128);

// True when text holds nothing but characters up to the space (controls and blanks).
bool isBlank(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() > u' ') {
            return false;
        }
    }
    return true;
}

// True when target ends in the extension ".htm", in any letter case.
bool hasHtmExtension(const QString& target) {
    // The extension starts at the last '.', '\' or ':' and only if that one is a '.'.
    qsizetype start = -1;
    for (qsizetype i = target.size() - 1; i >= 0; --i) {
        const QChar c = target.at(i);
        if (c == QLatin1Char('.') || c == QLatin1Char('\\') || c == QLatin1Char(':')) {
            start = i;
            break;
        }
    }
    if (start < 0 || target.at(start) != QLatin1Char('.')) {
        return false;
    }
    // Compared with its ASCII letters upper-cased, as the shell compares extensions.
    const QStringView extension = QStringView(target).mid(start);
    const QLatin1String htm(".HTM");
    if (extension.size() != htm.size()) {
        return false;
    }
    for (qsizetype i = 0; i < extension.size(); ++i) {
        char16_t c = extension.at(i).unicode();
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
        if (c != static_cast<char16_t>(htm.at(i).unicode())) {
            return false;
        }
    }
    return true;
}

} // namespace

TUrlLabel::TUrlLabel(shell::LinkOpener& opener, QWidget* parent)
    : TDrawnLabel(parent), m_opener(&opener) {
    // Each link label registers the hand again, so the table holds the current one.
    registerHandCursor();
    setCursorNumber(kHandCursorNumber);
    m_unvisitedColor = palette().color(QPalette::Active, QPalette::Highlight);
    setFontColor(m_unvisitedColor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
}

void TUrlLabel::setVisited(bool visited) {
    if (visited == m_visited) {
        return;
    }
    m_visited = visited;
    applyLinkColor();
    update();
}

void TUrlLabel::applyLinkColor() {
    setFontColor(m_visited ? QColor(kVisitedColor) : m_unvisitedColor);
}

void TUrlLabel::click() {
    TDrawnLabel::click();
    // The address goes to the shell exactly as stored, blanks and all.
    const QString target = isBlank(m_url) ? caption() : m_url;
    if (isBlank(target)) {
        return;
    }
    // The answer may come later, from the event loop; the label may be gone by then.
    QPointer<TUrlLabel> self(this);
    m_opener->open(target.toStdString(), [self, target](bool opened) {
        if (self.isNull()) {
            return;
        }
        if (opened) {
            self->setVisited(true);
        } else if (hasHtmExtension(target)) {
            self->m_opener->runHtmProgramChooser();
        }
    });
}

} // namespace sumbrook
