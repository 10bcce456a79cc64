// The help viewer over the help pages: "F1 AYUDA" shows the contents, F1 the
// topic of the focused control's help context, links move the contents list,
// and a missing page says which.
#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <QTextBrowser>

#include <fstream>

#include "app/gui/folder_list.h"
#include "app/help_viewer.h"
#include "app/main_window.h"
#include "app/recording_dialogs.h"
#include "run/session.h"
#include "toolkit/temp_folder.h"

namespace {

// The main window with the real help viewer over the project's help pages.
struct MainWithHelp {
  MainWithHelp() : help(TRANSORVALDAE_HELP_FOLDER) {
    window =
        std::make_unique<app::MainWindow>(session, dialogs,
                                          app::MainWindowSetup{{},
                                                               QString::fromStdString(folder.path().string()),
                                                               QString::fromStdString(folder.path().string()),
                                                               &help});
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) qFatal("the main window was not shown");
  }

  test_support::TempFolder folder;
  run::Session session;
  app_test::RecordingDialogs dialogs;
  app::HelpViewer help;
  std::unique_ptr<app::MainWindow> window;
};

}  // namespace

class HelpViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void helpButtonShowsTheContents() {
    MainWithHelp w;
    w.window->findChild<QAbstractButton*>("Button1")->click();
    QVERIFY(w.help.isVisible());
    QCOMPARE(w.help.currentPage(), QString("indice.html"));
    QCOMPARE(w.help.findChild<QListWidget*>("Contents")->currentItem()->text(), QString("Contenido"));
  }

  void f1OnAControlShowsItsTopic_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::newRow("language box") << "ComboBoxEuskCast"
                                  << "datos_dae.html"
                                  << QString::fromUtf8(
                                         "Idioma de los textos, plantilla horaria y codificación DAE");
    QTest::newRow("folder list") << "Directorios"
                                 << "ventana_principal.html"
                                 << "La ventana principal";
  }
  void f1OnAControlShowsItsTopic() {
    QFETCH(QString, control);
    QFETCH(QString, page);
    QFETCH(QString, title);
    MainWithHelp w;
    auto* widget = w.window->findChild<QWidget*>(control);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_F1);
    QVERIFY(w.help.isVisible());
    QCOMPARE(w.help.currentPage(), page);
    QCOMPARE(w.help.findChild<QListWidget*>("Contents")->currentItem()->text(), title);
    QVERIFY(w.help.findChild<QTextBrowser*>("Page")->toPlainText().contains(title));
  }

  void everyPageOfTheContentsOpens() {
    app::HelpViewer help(TRANSORVALDAE_HELP_FOLDER);
    auto* contents = help.findChild<QListWidget*>("Contents");
    auto* page = help.findChild<QTextBrowser*>("Page");
    QCOMPARE(contents->count(), 8);
    for (int row = 0; row < contents->count(); ++row) {
      QListWidgetItem* item = contents->item(row);
      emit contents->itemClicked(item);
      QCOMPARE(help.currentPage(), item->data(Qt::UserRole).toString());
      // Each page starts with its own title, and has text beyond it.
      QVERIFY2(page->toPlainText().startsWith(item->text()), qPrintable(item->text()));
      QVERIFY(page->toPlainText().size() > 2 * item->text().size());
    }
  }

  void followingALinkMovesTheContentsList() {
    app::HelpViewer help(TRANSORVALDAE_HELP_FOLDER);
    help.showContents();
    auto* page = help.findChild<QTextBrowser*>("Page");
    page->setSource(QUrl("ficheros.html"));
    QCOMPARE(help.currentPage(), QString("ficheros.html"));
    QCOMPARE(help.findChild<QListWidget*>("Contents")->currentItem()->text(),
             QString("Si falta un fichero o una carpeta"));
  }

  void missingPageSaysWhichFile() {
    test_support::TempFolder empty;
    app::HelpViewer help(QString::fromStdString(empty.path().string()));
    help.showTopic(3);
    QVERIFY(help.isVisible());
    const QString text = help.findChild<QTextBrowser*>("Page")->toPlainText();
    QVERIFY2(text.startsWith(QString::fromUtf8("No se encuentra la página de ayuda")), qPrintable(text));
    QVERIFY(text.contains("ventana_principal.html"));
  }
};

QTEST_MAIN(HelpViewerTest)
#include "help_viewer_test.moc"
