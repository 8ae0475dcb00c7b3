#pragma once
// The About window: the picture, the help text and the link to the program's page.
// Created hidden at start-up; showAbout() shows it; Esc or the close box hides it again.

#include <QPointer>
#include <QWidget>

class QGroupBox;
class QKeyEvent;
class QString;

namespace sumbrook {

namespace shell {
class LinkOpener;
}
class TDrawnLabel;
class TPictureBox;
class TUrlLabel;

// Top-left of a window of outer size aboutFrame centred over the outer rectangle
// mainFrame, halves truncated toward zero; not pulled back onto the screen.
QPoint centredOver(const QRect& mainFrame, const QSize& aboutFrame);

} // namespace sumbrook

// At global scope, like the main window's TForm1.
class TForm2 final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm2)

public:
    // mainWindow only places the window the first time it is shown; it is not the Qt
    // parent, so the About window is a top-level of its own that floats above every
    // window. helpText is copied. opener must outlive the window.
    explicit TForm2(QWidget* mainWindow, const QString& helpText,
                    sumbrook::shell::LinkOpener& opener);
    ~TForm2() override;

    // Shows the window (centred over the main window the first time, where it was left
    // afterwards) and brings it to the front.
    void showAbout();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Fills in the texts once the controls stand.
    void FormCreate(const QString& helpText);
    // The key handler: Esc hides the window.
    void FormKeyPress(QKeyEvent* event);
    void loadPicture();

    QPointer<QWidget> m_mainWindow;
    bool m_placed = false;
    bool m_pictureLoaded = false;
    QGroupBox* grp1;
    sumbrook::TPictureBox* img1;
    sumbrook::TDrawnLabel* lbl1;
    sumbrook::TUrlLabel* lbl4;
};
