#pragma once
// A clickable link: opens its target through the desktop shell and shows by its colour
// that it has been followed.

#include "widgets/drawn_label.h"

#include <QColor>
#include <QString>

namespace sumbrook {

namespace shell {
class LinkOpener;
}

class TUrlLabel final : public TDrawnLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TUrlLabel)

public:
    // The opener must outlive the label (the real one comes from the shell layer).
    explicit TUrlLabel(shell::LinkOpener& opener, QWidget* parent = nullptr);

    // The target; when it holds nothing but blanks (characters up to the space) the
    // caption is opened instead.
    QString url() const { return m_url; }
    void setUrl(const QString& url) { m_url = url; }

    // Followed once the shell has opened the target; the text is then purple, before that
    // in the highlight colour.
    bool visited() const { return m_visited; }
    void setVisited(bool visited);

protected:
    // Opens the target; a failed ".htm" target offers the program chooser.
    void click() override;
    QAccessible::Role accessibleRole() const override { return QAccessible::Link; }

private:
    void applyLinkColor();

    shell::LinkOpener* m_opener;
    QString m_url;
    QColor m_unvisitedColor;
    bool m_visited = false;
};

} // namespace sumbrook
