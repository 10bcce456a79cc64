// The real message boxes: caption, text, buttons and the answer each button
// gives; and the class-hour check window. A timer finds the open box or
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

#include "app/message_box_dialogs.h"
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

using Ask = std::function<bool(app::MessageBoxDialogs&)>;

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
    QTest::addColumn<bool>("answer");
    const QString text = QString::fromUtf8("¿Quiere recuperar?");
    const std::string utf8 = text.toStdString();
    QTest::newRow("information") << Ask([utf8](auto& d) {
      d.message(utf8);
      return true;
    }) << int(QMessageBox::Ok) << "TransOrvalDAE"
                                 << int(QMessageBox::Ok) << int(QMessageBox::Information) << true;
    QTest::newRow("error") << Ask([utf8](auto& d) {
      d.error(utf8);
      return true;
    }) << int(QMessageBox::Ok)
                           << "TransOrvalDAE" << int(QMessageBox::Ok) << int(QMessageBox::Critical) << true;
    QTest::newRow("yes") << Ask([utf8](auto& d) { return d.askYesNo(utf8); }) << int(QMessageBox::Yes)
                         << "TransOrvalDAE" << int(QMessageBox::Yes | QMessageBox::No)
                         << int(QMessageBox::Question) << true;
    QTest::newRow("no") << Ask([utf8](auto& d) { return d.askYesNo(utf8); }) << int(QMessageBox::No)
                        << "TransOrvalDAE" << int(QMessageBox::Yes | QMessageBox::No)
                        << int(QMessageBox::Question) << false;
    QTest::newRow("OK") << Ask([utf8](auto& d) { return d.askOkCancel("Recuperación", utf8); })
                        << int(QMessageBox::Ok) << QString::fromUtf8("Recuperación")
                        << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Warning) << true;
    QTest::newRow("Cancel") << Ask([utf8](auto& d) { return d.askOkCancel("Recuperación", utf8); })
                            << int(QMessageBox::Cancel) << QString::fromUtf8("Recuperación")
                            << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Warning)
                            << false;
  }
  void boxesShowTheirCaptionTextAndButtons() {
    QFETCH(Ask, ask);
    QFETCH(int, press);
    QFETCH(QString, caption);
    QFETCH(int, buttons);
    QFETCH(int, icon);
    QFETCH(bool, answer);
    app::MessageBoxDialogs dialogs;
    SeenBox seen;
    answerNextBox(QMessageBox::StandardButton(press), seen);
    QCOMPARE(ask(dialogs), answer);
    QCOMPARE(seen.caption, caption);
    QCOMPARE(seen.text, QString::fromUtf8("¿Quiere recuperar?"));
    QCOMPARE(int(seen.buttons), buttons);
    QCOMPARE(int(seen.icon), icon);
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
