// Answers the modal windows that a test's action opens, one step per window
// in the order they appear: each step receives the window (a message box, the
// class-hour check, the coding editor, the help viewer) once it has become
// the active modal window, and closes it or acts in it. A window gets one
// step only, even when it becomes the active one again after a box over it
// has closed. A timer looks for the next window while the windows' own event
// loops run.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <vector>

class QMessageBox;

namespace app_test {

class ModalScript : public QObject {
  Q_OBJECT

 public:
  using Step = std::function<void(QWidget* window)>;

  explicit ModalScript(std::vector<Step> steps);
  // Steps that never found their window.
  int stepsLeft() const { return static_cast<int>(m_steps.size()); }

 private:
  void look();

  QTimer m_timer;
  std::deque<Step> m_steps;
  std::vector<QPointer<QWidget>> m_answered;
};

// A step that takes the message box's text (into text) and presses button.
ModalScript::Step pressInBox(int button, QString* text = nullptr);
// A step that clicks the window's button of that name.
ModalScript::Step clickIn(const char* buttonName);
// A step that closes the window as its title-bar button does, taking a
// message box's text into text.
ModalScript::Step closeWindow(QString* text = nullptr);
// A step that makes the window the active one and presses key where its
// focus is, taking a message box's text into text.
ModalScript::Step pressKey(Qt::Key key, QString* text = nullptr);

}  // namespace app_test
