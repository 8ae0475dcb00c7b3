#include "about/about_window.h"

#include "about/about_texts.h"
#include "about/jpeg_picture.h"
#include "about/picture_box.h"
#include "assets/assets.h"
#include "engine/exceptions.h"
#include "widgets/drawn_label.h"
#include "widgets/url_label.h"

#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QScreen>

namespace sumbrook {

namespace {

// "QT_LOGGING_RULES=sumbrook.about.info=true" tells how the picture was decoded.
Q_LOGGING_CATEGORY(lcAbout, "sumbrook.about", QtWarningMsg)

namespace T = about_texts;

// Left, top, width, height in 96-dpi pixels within the parent's client area.
constexpr QSize kClientSize{241, 481};
constexpr QRect kGrp1Bounds{0, 0, 241, 481};   // grp1: the frame around everything
constexpr QRect kImg1Bounds{4, 8, 234, 278};   // img1: the picture
constexpr QRect kLbl1Bounds{0, 288, 241, 137}; // lbl1: the help text
constexpr QRect kLbl4Bounds{0, 429, 241, 13};  // lbl4: the link to the program's page

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

QFont pixelFont(const char* family, int pixels) {
    QFont font(u8(family));
    font.setPixelSize(pixels);
    return font;
}

} // namespace

QPoint centredOver(const QRect& mainFrame, const QSize& aboutFrame) {
    // Halves truncated toward zero, as C++ division does, for odd and negative
    // differences alike.
    return {mainFrame.left() + (mainFrame.width() - aboutFrame.width()) / 2,
            mainFrame.top() + (mainFrame.height() - aboutFrame.height()) / 2};
}

} // namespace sumbrook

using namespace sumbrook;

TForm2::TForm2(QWidget* mainWindow, const QString& helpText, shell::LinkOpener& opener)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_mainWindow(mainWindow), grp1(new QGroupBox(this)), img1(new TPictureBox(grp1)),
      lbl1(new TDrawnLabel(grp1)), lbl4(new TUrlLabel(opener, grp1)) {
    assets::ensureResources();
    // Only the main window's closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(u8(T::kCaption));
    setWindowIcon(assets::windowIcon());
    setFont(pixelFont(T::kDefaultFace, 11));
    setFixedSize(kClientSize);

    grp1->setObjectName(QStringLiteral("grp1"));
    grp1->setGeometry(kGrp1Bounds);

    img1->setObjectName(QStringLiteral("img1"));
    img1->setGeometry(kImg1Bounds);
    img1->setAccessibleName(u8(T::kPictureName));

    lbl1->setObjectName(QStringLiteral("lbl1"));
    lbl1->setAutoSize(false);
    lbl1->setGeometry(kLbl1Bounds);
    lbl1->setFont(pixelFont(T::kYaHei, 12));
    lbl1->setFontColor(palette().color(QPalette::Active, QPalette::WindowText));
    lbl1->setAlignment(Qt::AlignHCenter);
    lbl1->setTransparent(true);

    lbl4->setObjectName(QStringLiteral("lbl4"));
    lbl4->setAutoSize(false);
    lbl4->setGeometry(kLbl4Bounds);
    lbl4->setFont(pixelFont(T::kTahoma, 11));
    lbl4->setAlignment(Qt::AlignHCenter);
    lbl4->setTransparent(true);

    FormCreate(helpText);
}

TForm2::~TForm2() = default;

void TForm2::FormCreate(const QString& helpText) {
    lbl1->setCaption(helpText);
    lbl4->setCaption(u8(T::kLinkCaption));
    lbl4->setUrl(u8(T::kUpdatePageUrl));
}

void TForm2::loadPicture() {
    const QScreen* screen =
        m_mainWindow != nullptr ? m_mainWindow->screen() : QGuiApplication::primaryScreen();
    const int depth = screen != nullptr ? screen->depth() : 24;
    // On a dense screen the picture drawn at twice the size, so that it is as sharp as the
    // text around it.
    const assets::AboutPictureFile chosen =
        assets::aboutPictureFor(screen != nullptr ? screen->devicePixelRatio() : 1.0);
    QFile file(QString::fromUtf8(chosen.path));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("The About picture is missing from the program's resources");
        return;
    }
    const PictureColors colors = pictureColorsForDepth(depth);
    qCInfo(lcAbout, "decoding %s in %s (screen depth %d)", chosen.path,
           colors == PictureColors::Palette236 ? "236 colours" : "24-bit colour", depth);
    // A damaged picture leaves the box empty; the window itself still works.
    try {
        QImage picture = decodeJpeg(file.readAll(), colors);
        picture.setDevicePixelRatio(chosen.devicePixelRatio);
        img1->setPicture(picture);
    } catch (const Exception& error) {
        qWarning("%s", error.what());
    }
}

void TForm2::showAbout() {
    // The picture is decoded when it is first needed, so start-up does not pay for it.
    if (!m_pictureLoaded) {
        m_pictureLoaded = true;
        loadPicture();
    }
    if (!m_placed && m_mainWindow != nullptr) {
        // Before its first show this window has no frame yet; it gets the same kind of
        // frame as the main window, so that one's frame stands in for it.
        const QSize mainFrame = m_mainWindow->frameGeometry().size() - m_mainWindow->size();
        move(centredOver(m_mainWindow->frameGeometry(), size() + mainFrame));
    }
    m_placed = true;
    // A window manager may offer a minimise button despite the hints; a minimised window
    // is brought back too, where it was.
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TForm2::keyPressEvent(QKeyEvent* event) {
    FormKeyPress(event);
}

void TForm2::FormKeyPress(QKeyEvent* event) {
    // Esc, or any key that types character 27.
    if (event->key() == Qt::Key_Escape || event->text() == QString(QChar(27))) {
        event->accept();
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}
