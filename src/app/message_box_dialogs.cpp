#include "app/message_box_dialogs.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QString>

#include "app/help.h"

namespace app {
namespace {

QString toQString(const std::string& utf8) { return QString::fromStdString(utf8); }

// A Yes/No box that tells closing it apart from No: its title-bar button and
// Escape close it without an answer.
class QuestionBox : public QMessageBox {
 public:
  QuestionBox(const QString& text, QWidget* parent)
      : QMessageBox(QMessageBox::Question, kApplicationTitle, text, QMessageBox::Yes | QMessageBox::No,
                    parent) {
    setDefaultButton(QMessageBox::Yes);
  }

  run::Answer ask() {
    exec();
    if (m_closed) return run::Answer::Closed;
    return clickedButton() == button(QMessageBox::Yes) ? run::Answer::Yes : run::Answer::No;
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::Cancel)) {
      close();
      return;
    }
    QMessageBox::keyPressEvent(event);
  }

  void closeEvent(QCloseEvent* event) override {
    const bool chosen = clickedButton() != nullptr;
    // The message box takes a close for its No button; it is not one here.
    QMessageBox::closeEvent(event);
    m_closed = !chosen && event->isAccepted();
  }

 private:
  bool m_closed = false;
};

}  // namespace

void MessageBoxDialogs::message(const std::string& text) {
  QMessageBox::information(m_parent, kApplicationTitle, toQString(text));
}

run::Answer MessageBoxDialogs::askYesNo(const std::string& text, int helpContext) {
  QuestionBox box(toQString(text), m_parent);
  if (helpContext != run::kNoHelpContext) {
    setHelpContext(&box, helpContext);
    installHelpKey(&box, m_help);
  }
  return box.ask();
}

bool MessageBoxDialogs::askOkCancel(const std::string& caption, const std::string& text) {
  return QMessageBox::warning(m_parent, toQString(caption), toQString(text),
                              QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

void MessageBoxDialogs::error(const std::string& text) {
  QMessageBox::critical(m_parent, kApplicationTitle, toQString(text));
}

}  // namespace app
