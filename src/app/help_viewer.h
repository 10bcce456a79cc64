// The help viewer: the help pages (HTML files in the help folder beside the
// executable) in a window with the list of contents on the left and the page
// on the right; links between pages are followed. "F1 AYUDA" opens it on the
// contents page, F1 on the page of the focused control's help context. The
// window is modal while it is open, so that it can be read and closed while
// another modal window (the class-hour check, the coding editor) is open.
#pragma once

#include <QDialog>
#include <QString>

#include "app/help.h"

class QListWidget;
class QTextBrowser;

namespace app {

// The help folder beside the executable.
QString helpFolder();

class HelpViewer : public QDialog, public HelpService {
  Q_OBJECT

 public:
  explicit HelpViewer(QString folder, QWidget* parent = nullptr);

  void showContents() override;
  // A context number without a page of its own shows the contents.
  void showTopic(int context) override;

  // The file name of the page shown.
  QString currentPage() const;

 private:
  void showPage(const QString& page);

  QString m_folder;
  QListWidget* m_contents;
  QTextBrowser* m_page;
};

}  // namespace app
