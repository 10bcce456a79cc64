#include "app/message_box_dialogs.h"

#include <QMessageBox>
#include <QString>

namespace app {
namespace {

QString toQString(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

void MessageBoxDialogs::message(const std::string& text) {
  QMessageBox::information(m_parent, kApplicationTitle, toQString(text));
}

bool MessageBoxDialogs::askYesNo(const std::string& text) {
  return QMessageBox::question(m_parent, kApplicationTitle, toQString(text),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool MessageBoxDialogs::askOkCancel(const std::string& caption, const std::string& text) {
  return QMessageBox::warning(m_parent, toQString(caption), toQString(text),
                              QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

void MessageBoxDialogs::error(const std::string& text) {
  QMessageBox::critical(m_parent, kApplicationTitle, toQString(text));
}

}  // namespace app
