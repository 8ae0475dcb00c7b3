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

public:
    // The opener must outlive the label (the real one comes from the shell layer).
    explicit TUrlLabel(shell::LinkOpener& opener, QWidget* parent = nullptr);

    void setLinkOpener(shell::LinkOpener& opener) { m_opener = &opener; }

    // The target; when it is blank the caption is opened instead.
    QString url() const { return m_url; }
    void setUrl(const QString& url) { m_url = url; }

    QColor unvisitedColor() const { return m_unvisitedColor; }
    virtual void setUnvisitedColor(const QColor& color);
    bool visited() const { return m_visited; }
    virtual void setVisited(bool visited);
    QColor visitedColor() const { return m_visitedColor; }
    virtual void setVisitedColor(const QColor& color);

    // Font colour := the visited or the unvisited colour, as the link stands.
    virtual void applyLinkColor();

    // True when text holds nothing but characters of code 32 or below.
    static bool isBlank(const QString& text);
    // True when target ends in the extension ".htm", in any letter case.
    static bool hasHtmExtension(const QString& target);

protected:
    void click() override;

private:
    shell::LinkOpener* m_opener;
    QString m_url;
    QColor m_unvisitedColor;
    bool m_visited = false;
    QColor m_visitedColor{128, 0, 128};
};

} // namespace sumbrook
