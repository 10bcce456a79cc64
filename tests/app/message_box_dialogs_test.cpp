// The real message boxes: caption, text, buttons and the answer each button
// gives; a Yes/No question closed without choosing, and F1 over it; and the
// class-hour check window. A timer finds the open box or
// window and presses a button in it.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "app/message_box_dialogs.h"
#include "app/window_harness.h"
#include "support/dbase/table.h"
#include "toolkit/temp_folder.h"

namespace {

struct SeenBox {
  QString caption;
  QString text;
  QMessageBox::StandardButtons buttons;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Presses `press` in the next modal box and remembers what the box showed.
void answerNextBox(QMessageBox::StandardButton press, SeenBox& seen) {
  QTimer::singleShot(0, [press, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    seen = {box->windowTitle(), box->text(), box->standardButtons(), box->icon()};
    box->button(press)->click();
  });
}

// Asks through the dialogs; the answer as the user chose it ("" after a
// plain message).
using Ask = std::function<QString(app::MessageBoxDialogs&)>;

QString named(run::Answer answer) {
  switch (answer) {
    case run::Answer::Yes:
      return "Yes";
    case run::Answer::No:
      return "No";
    case run::Answer::Closed:
      return "closed";
  }
  return {};
}

}  // namespace

Q_DECLARE_METATYPE(Ask)

class MessageBoxDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void boxesShowTheirCaptionTextAndButtons_data() {
    QTest::addColumn<Ask>("ask");
    QTest::addColumn<int>("press");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("answer");
    const QString text = QString::fromUtf8("¿Quiere recuperar?");
    const std::string utf8 = text.toStdString();
    const Ask message = [utf8](auto& d) {
      d.message(utf8);
      return QString();
    };
    const Ask error = [utf8](auto& d) {
      d.error(utf8);
      return QString();
    };
    const Ask yesNo = [utf8](auto& d) { return named(d.askYesNo(utf8, run::kNoHelpContext)); };
    const Ask okCancel = [utf8](auto& d) {
      return QString(d.askOkCancel("Recuperación", utf8) ? "OK" : "Cancel");
    };
    const QString title = "TransOrvalDAE";
    const QString recovery = QString::fromUtf8("Recuperación");
    const int yesAndNo = QMessageBox::Yes | QMessageBox::No;
    const int okAndCancel = QMessageBox::Ok | QMessageBox::Cancel;
    QTest::newRow("information") << message << int(QMessageBox::Ok) << title << int(QMessageBox::Ok)
                                 << int(QMessageBox::Information) << "";
    QTest::newRow("error") << error << int(QMessageBox::Ok) << title << int(QMessageBox::Ok)
                           << int(QMessageBox::Critical) << "";
    QTest::newRow("yes") << yesNo << int(QMessageBox::Yes) << title << yesAndNo << int(QMessageBox::Question)
                         << "Yes";
    QTest::newRow("no") << yesNo << int(QMessageBox::No) << title << yesAndNo << int(QMessageBox::Question)
                        << "No";
    QTest::newRow("OK") << okCancel << int(QMessageBox::Ok) << recovery << okAndCancel
                        << int(QMessageBox::Warning) << "OK";
    QTest::newRow("Cancel") << okCancel << int(QMessageBox::Cancel) << recovery << okAndCancel
                            << int(QMessageBox::Warning) << "Cancel";
  }
  void boxesShowTheirCaptionTextAndButtons() {
    QFETCH(Ask, ask);
    QFETCH(int, press);
    QFETCH(QString, caption);
    QFETCH(int, buttons);
    QFETCH(int, icon);
    QFETCH(QString, answer);
    app::MessageBoxDialogs dialogs;
    SeenBox seen;
    answerNextBox(QMessageBox::StandardButton(press), seen);
    QCOMPARE(ask(dialogs), answer);
    QCOMPARE(seen.caption, caption);
    QCOMPARE(seen.text, QString::fromUtf8("¿Quiere recuperar?"));
    QCOMPARE(int(seen.buttons), buttons);
    QCOMPARE(int(seen.icon), icon);
  }

  // Closing the box is neither Yes nor No; Enter still chooses Yes, the
  // default button.
  void closingAYesNoQuestionIsAnAnswerOfItsOwn_data() {
    QTest::addColumn<int>("how");
    QTest::addColumn<QString>("answer");
    enum { kTitleBarButton, kEscape, kEnter };
    QTest::newRow("title-bar button") << int(kTitleBarButton) << "closed";
    QTest::newRow("Escape") << int(kEscape) << "closed";
    QTest::newRow("Enter") << int(kEnter) << "Yes";
  }
  void closingAYesNoQuestionIsAnAnswerOfItsOwn() {
    QFETCH(int, how);
    QFETCH(QString, answer);
    QTimer::singleShot(0, [how] {
      QWidget* box = QApplication::activeModalWidget();
      QVERIFY(box);
      QWidget* focused = box->focusWidget() ? box->focusWidget() : box;
      if (how == 0) {
        box->close();
      } else {
        QTest::keyClick(focused, how == 1 ? Qt::Key_Escape : Qt::Key_Return);
      }
    });
    app::MessageBoxDialogs dialogs;
    QCOMPARE(named(dialogs.askYesNo("Text", run::kNoHelpContext)), answer);
  }

  void f1OnAQuestionShowsItsHelpTopic_data() {
    QTest::addColumn<int>("helpContext");
    QTest::addColumn<std::vector<int>>("requests");
    QTest::newRow("the DAE data topic") << run::kDaeDataHelpContext << std::vector<int>{1};
    QTest::newRow("no topic") << run::kNoHelpContext << std::vector<int>{};
  }
  void f1OnAQuestionShowsItsHelpTopic() {
    QFETCH(int, helpContext);
    QFETCH(std::vector<int>, requests);
    app_test::RecordingHelp help;
    app::MessageBoxDialogs dialogs;
    dialogs.setHelp(&help);
    QTimer::singleShot(0, [] {
      QWidget* box = QApplication::activeModalWidget();
      QVERIFY(box);
      // F1 is the box's own key: it works while the box is the active window.
      box->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(box));
      QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_F1);
      box->close();
    });
    QCOMPARE(dialogs.askYesNo("Text", helpContext), run::Answer::Closed);
    QCOMPARE(help.requests, requests);
  }

  void classHourCheckSavesTheCorrectedTimes() {
    test_support::TempFolder folder;
    dbase::Table hours = dbase::recreateTable(
        folder.path(), {"PLANTILLA",
                        {dbase::integerField("HORA"), dbase::characterField("HORAINI", 5),
                         dbase::characterField("HORAFIN", 5)},
                        {{"HORA", "HORA"}}});
    hours.appendRecord({1, std::string("08:00"), std::string("09:00")});
    hours.appendRecord({2, std::string("09:00"), std::string("10:00")});
    hours.close();

    QString caption;
    QTimer::singleShot(0, [&caption] {
      auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(window);
      caption = window->windowTitle();
      auto* grid = window->findChild<QAbstractItemView*>("PlantiHorDBGrid");
      QVERIFY(grid);
      QCOMPARE(grid->model()->rowCount(), 2);
      QVERIFY(!grid->model()->setData(grid->model()->index(1, 0), "7", Qt::EditRole));
      QVERIFY(grid->model()->setData(grid->model()->index(1, 1), "09:05", Qt::EditRole));
      window->findChild<QAbstractButton*>("BitBtn1")->click();
    });
    app::MessageBoxDialogs dialogs;
    dialogs.checkClassHours(hours);
    QCOMPARE(caption, QString("Control de Plantilla Horaria"));
    hours.close();
    hours.open();
    hours.last();
    QCOMPARE(hours.integer("HORA"), 2);
    QCOMPARE(hours.text("HORAINI"), std::string("09:05"));
  }

  void closingTheOkCancelQuestionIsCancel() {
    app::MessageBoxDialogs dialogs;
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    QVERIFY(!dialogs.askOkCancel("Caption", "Text"));
  }
};

QTEST_MAIN(MessageBoxDialogsTest)
#include "message_box_dialogs_test.moc"
