#include "app/modal_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <utility>

namespace app_test {
namespace {

// Often enough for a test to run at once, seldom enough not to spin.
constexpr int kLookEveryMs = 5;

QMessageBox* asBox(QWidget* window) {
  auto* box = qobject_cast<QMessageBox*>(window);
  if (!box) qFatal("expected a message box, found %s", qPrintable(window->objectName()));
  return box;
}

void takeText(QWidget* window, QString* text) {
  if (text) *text = asBox(window)->text();
}

}  // namespace

ModalScript::ModalScript(std::vector<Step> steps) : m_steps(steps.begin(), steps.end()) {
  connect(&m_timer, &QTimer::timeout, this, &ModalScript::look);
  m_timer.start(kLookEveryMs);
}

void ModalScript::look() {
  QWidget* window = QApplication::activeModalWidget();
  if (m_steps.empty() || !window || !window->isVisible()) return;
  for (const QPointer<QWidget>& answered : m_answered) {
    if (answered == window) return;
  }
  m_answered.emplace_back(window);
  // Run apart from this timer, which does not fire again while it runs: the
  // step may open the next window.
  QTimer::singleShot(0, window, [step = std::move(m_steps.front()), window] { step(window); });
  m_steps.pop_front();
}

ModalScript::Step pressInBox(int button, QString* text) {
  return [button, text](QWidget* window) {
    takeText(window, text);
    asBox(window)->button(QMessageBox::StandardButton(button))->click();
  };
}

ModalScript::Step closeWindow(QString* text) {
  return [text](QWidget* window) {
    takeText(window, text);
    window->close();
  };
}

ModalScript::Step pressKey(Qt::Key key, QString* text) {
  return [key, text](QWidget* window) {
    takeText(window, text);
    // The window's own keys (F1) work while it is the active window.
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
      qFatal("%s did not become active", qPrintable(window->objectName()));
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, key);
  };
}

ModalScript::Step clickIn(const char* buttonName) {
  return [buttonName](QWidget* window) {
    auto* button = window->findChild<QAbstractButton*>(buttonName);
    if (!button) qFatal("no button %s in %s", buttonName, qPrintable(window->objectName()));
    button->click();
  };
}

}  // namespace app_test
