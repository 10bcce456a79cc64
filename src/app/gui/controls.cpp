#include "app/gui/controls.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QWidget>

namespace app::gui {
namespace {

// 8 points and 12 points at the 96 dots per inch the layout was drawn for.
constexpr int kWindowFontPixels = 11;
constexpr int kHeadingFontPixels = 16;

// Presses a panel's default button on the Enter that reaches the panel.
class DefaultButtonKey : public QObject {
 public:
  DefaultButtonKey(QPushButton* button, QWidget* panel) : QObject(panel), m_button(button), m_panel(panel) {
    panel->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != m_panel || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                       (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!enter) return false;
    auto* pressed = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (!pressed || !m_panel->isAncestorOf(pressed)) pressed = m_button;
    if (!pressed->isVisible() || !pressed->isEnabled()) return false;
    pressed->click();
    return true;
  }

 private:
  QPushButton* m_button;
  QWidget* m_panel;
};

void applyStyle(QLabel* label, LabelStyle style) {
  QFont font = label->font();
  font.setBold(style.bold);
  font.setUnderline(style.underline);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, style.colour);
  label->setPalette(palette);
}

}  // namespace

QFont windowFont() {
  QFont font;
  // MS Sans Serif is a bitmap font on Windows, which Qt leaves out: Arial
  // there, ahead of Liberation Sans (which many Windows machines have too);
  // Liberation Sans, with Arial's metrics, on Linux.
  font.setFamilies({"MS Sans Serif", "Arial", "Liberation Sans", "DejaVu Sans"});
  font.setPixelSize(kWindowFontPixels);
  return font;
}

QFont headingFont() {
  QFont font;
  font.setFamilies({"Arial", "Liberation Sans", "DejaVu Sans"});
  font.setPixelSize(kHeadingFontPixels);
  font.setBold(true);
  return font;
}

void fitRowsToFont(QTableView* view) {
  const int height = view->fontMetrics().height() + 4;
  view->verticalHeader()->setMinimumSectionSize(height);
  view->verticalHeader()->setDefaultSectionSize(height);
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QPoint at, LabelStyle style) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  applyStyle(label, style);
  label->move(at);
  label->adjustSize();
  return label;
}

QLabel* addWrappedLabel(QWidget* parent, const char* name, const QString& text, QRect bounds,
                        LabelStyle style) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  applyStyle(label, style);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setGeometry(bounds);
  return label;
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& text, QRect bounds,
                       ButtonGlyph glyph) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(bounds);
  button->setAutoDefault(false);
  if (glyph == ButtonGlyph::Ok) button->setIcon(button->style()->standardIcon(QStyle::SP_DialogOkButton));
  if (glyph == ButtonGlyph::Close)
    button->setIcon(button->style()->standardIcon(QStyle::SP_DialogCloseButton));
  return button;
}

void makeDefaultButton(QPushButton* button, QWidget* panel) {
  button->setDefault(true);
  new DefaultButtonKey(button, panel);
}

}  // namespace app::gui
