#pragma once
// The main window's kinds of control, each made in one call that carries its name, bounds,
// font, colour and first text, so that the window's layout reads as a table, one control
// a line. Bounds are 96-dpi pixels in the parent's client area; Qt's high-DPI scaling
// enlarges them on dense screens.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <string>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace sumbrook::controls {

QString u8(const char* text);
// The program's texts break lines with '\r'; a label draws a lone '\r' as a blank, so the
// break becomes '\n' on the way in and '\r' again on the way out.
QString forDisplay(const std::string& text);
std::string fromDisplay(const QString& text);

// The face to name for face: itself where it is installed, the CJK face where not. A
// missing face reached through a substitute costs a search through every fallback for
// each script it draws; naming the installed face draws the same glyphs without it.
QString installedFace(const char* face);
// "微软雅黑" (or the face drawing it) at a pixel size.
QFont yaHei(int pixelSize);
// Where the faces the window names are missing, a CJK face draws every text it shows.
void installFontSubstitutes();

inline const QColor kMaroon{128, 0, 0};
inline const QColor kRed{255, 0, 0};

enum class Switch { On, Off, Disabled };

QGroupBox* groupBox(QWidget* parent, const char* name, const QRect& bounds, const char* title = "");
// Plain text at the top, in the font and colour given (no colour: the window text's).
QLabel* label(QWidget* parent, const char* name, const QRect& bounds, const QFont& font,
              Qt::Alignment horizontal = Qt::AlignLeft, const QColor& color = QColor(),
              const char* text = "");
// A row of the column sum, or a sign beside one: YaHei 48 px, right-aligned.
QLabel* columnRow(QWidget* parent, const char* name, const QRect& bounds, const char* text);
// The raised rule under the column.
QFrame* rule(QWidget* parent, const char* name, const QRect& bounds);
// An answer box: flat, no input method, no drops; keeps its selection drawn when it loses
// the focus and selects nothing when tabbed into.
QLineEdit* answerBox(QWidget* parent, const char* name, const QRect& bounds, const QFont& font);
// A settings box with its caption left of it, 2 pixels away and centred vertically; the
// caption is returned through captionLabel.
QLineEdit* settingBox(QWidget* parent, const char* name, const QRect& bounds, const char* caption,
                      const char* text, QLabel** captionLabel);
QCheckBox* operationSwitch(QWidget* parent, const char* name, const QRect& bounds, const char* text,
                           Switch state);
QRadioButton* choice(QWidget* parent, const char* name, const QRect& bounds, const char* text,
                     bool selected);
// The diagnostic log: hidden, lying over whatever it is placed on.
QPlainTextEdit* logBox(QWidget* parent, const char* name, const QRect& bounds, const char* text);
QPushButton* pushButton(QWidget* parent, const char* name, const QRect& bounds, const QFont& font,
                        const char* text);

// What a screen reader says of a control; a null name keeps the one its text gives.
void describe(QWidget* control, const char* name, const char* description);

// Draws a label's lines whole: its font shrinks to the largest pixel size, up to its own,
// at which every line fits across and all of them fit down (the smallest, 2 px, when none
// does).
void fitTextToLabel(QLabel* label);
// That pixel size for text drawn with flags in box, font's own size the largest.
int fittingPixelSize(QFont font, const QRect& box, int flags, const QString& text);

} // namespace sumbrook::controls
