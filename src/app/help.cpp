#include "app/help.h"

#include <QApplication>
#include <QShortcut>
#include <QWidget>

namespace app {
namespace {

constexpr char kContextProperty[] = "helpContext";

}  // namespace

void setHelpContext(QWidget* widget, int context) { widget->setProperty(kContextProperty, context); }

int helpContextOf(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget()) {
    const QVariant context = widget->property(kContextProperty);
    if (context.isValid()) return context.toInt();
  }
  return 0;
}

void installHelpKey(QWidget* window, HelpService* help) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, window, [window, help] {
    if (!help) return;
    const QWidget* focused = QApplication::focusWidget();
    help->showTopic(helpContextOf(focused ? focused : window));
  });
}

}  // namespace app
