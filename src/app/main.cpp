// TransOrvalDAE: the window front end. Starts the application with its title
// and the help viewer on the help pages beside the executable, creates the
// main window, which reads the command line, and runs until the main window
// closes.
#include <QApplication>
#include <QDir>

#include "app/help_viewer.h"
#include "app/main_window.h"
#include "app/message_box_dialogs.h"
#include "app/window_dialogs.h"
#include "run/session.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(app::kApplicationTitle);
  // The name the task bar and the window switcher show: the platform adds it
  // to every window's caption ("... — TransOrvalDAE").
  QApplication::setApplicationDisplayName(app::kApplicationTitle);
  // The main window may be embedded in the host's window, which does not
  // count as the application's last window: its closing ends the program.
  QApplication::setQuitOnLastWindowClosed(false);

  app::HelpViewer help(app::helpFolder());
  run::Session session;
  app::MessageBoxDialogs dialogs;
  dialogs.setHelp(&help);
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  app::MainWindow window(session, dialogs,
                         {arguments, QApplication::applicationDirPath(), QDir::currentPath(), &help});
  dialogs.setParentWindow(&window);
  QObject::connect(&window, &app::MainWindow::closed, &application, &QApplication::quit,
                   Qt::QueuedConnection);
  window.show();
  return QApplication::exec();
}
