// The look shared by every window of the converter: the window font (8-point
// MS Sans Serif, or the nearest family installed), the 12-point Arial headings,
// the named label colours, and small factories that create a control under its
// window name at its pixel bounds. The windows are laid out in pixels, so the
// fonts are sized in pixels too and the layout does not move with the screen's
// resolution.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QTableView;
class QWidget;

namespace app::gui {

// The named colours of the window framework.
inline const QColor kBlue{0x00, 0x00, 0xFF};
inline const QColor kRed{0xFF, 0x00, 0x00};
inline const QColor kGreen{0x00, 0x80, 0x00};
inline const QColor kMaroon{0x80, 0x00, 0x00};

QFont windowFont();
// 12-point Arial bold.
QFont headingFont();

struct LabelStyle {
  QColor colour = Qt::black;
  bool bold = false;
  bool underline = false;
};

// Makes every row of view the font's height and 4 pixels. Below the style's
// smallest header section (the Windows style's margins make it the font's
// height and 8) rows would be taller than the window was drawn for.
void fitRowsToFont(QTableView* view);

// A label sized to its text, its top-left corner at `at`.
QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QPoint at, LabelStyle style = {});
// A word-wrapped label with fixed bounds.
QLabel* addWrappedLabel(QWidget* parent, const char* name, const QString& text, QRect bounds,
                        LabelStyle style = {});

enum class ButtonGlyph { None, Ok, Close };
QPushButton* addButton(QWidget* parent, const char* name, const QString& text, QRect bounds,
                       ButtonGlyph glyph = ButtonGlyph::None);

// Makes button the default button of panel: Enter that no control of the
// panel takes for itself (a grid's editor keeps its Enter) presses it, or the
// panel's push button that has the focus, as in a dialog. While button is
// hidden or disabled, Enter goes on to the panel's parent.
void makeDefaultButton(QPushButton* button, QWidget* panel);

}  // namespace app::gui
