// The class-hour check window "Control de Plantilla Horaria": its controls,
// the cream title on the panel, Escape that does not close it, a time typed
// and saved with Enter moving on, the navigator over the hours, and F1 on its
// controls.
#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/class_hours_window.h"
#include "app/gui/data_grid.h"
#include "app/help_viewer.h"
#include "app/recording_dialogs.h"
#include "dae_export/class_hours.h"
#include "support/dbase/table.h"
#include "toolkit/temp_folder.h"

namespace {

// The window over the 20 default hours, shown and active.
struct ClassHours {
  ClassHours() : hours(folder.path(), "PLANTILLA"), help(TRANSORVALDAE_HELP_FOLDER) {
    dae_export::buildClassHours(folder.path());
    window = std::make_unique<app::ClassHoursWindow>(hours, dialogs, &help, nullptr);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) qFatal("the class-hour window was not shown");
    grid = window->findChild<app::gui::DataGrid*>("PlantiHorDBGrid");
  }

  QString at(int row, int column) const { return grid->model()->index(row, column).data().toString(); }
  QString current() const {
    return QString("%1,%2").arg(grid->currentIndex().row()).arg(grid->currentIndex().column());
  }
  // The hour row's times as stored in PLANTILLA.
  std::string stored(int hour, const char* field) const {
    dbase::Table check(folder.path(), "PLANTILLA");
    check.open({.readOnly = true});
    check.selectTag("HORA");
    if (!check.findKey(hour)) qFatal("no hour %d", hour);
    return check.text(field);
  }

  test_support::TempFolder folder;
  dbase::Table hours;
  app_test::RecordingDialogs dialogs;
  app::HelpViewer help;
  std::unique_ptr<app::ClassHoursWindow> window;
  app::gui::DataGrid* grid = nullptr;
};

// Relative luminance of a colour, and the contrast ratio of two, as the
// accessibility guidelines define them.
double luminance(QColor colour) {
  const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}
double contrast(QColor a, QColor b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

class ClassHoursWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheHoursWithItsTexts() {
    ClassHours w;
    QCOMPARE(w.window->windowTitle(), QString("Control de Plantilla Horaria"));
    QCOMPARE(w.window->size(), QSize(595, 305));
    QVERIFY(w.grid);
    QCOMPARE(w.grid->model()->rowCount(), 20);
    QCOMPARE(w.at(0, 1), QString("08:00"));
    QCOMPARE(w.at(19, 2), QString("04:00"));
    QStringList titles;
    for (int column = 0; column < 3; ++column)
      titles << w.grid->model()->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(titles, (QStringList{"HORA", "HORA INICIO CLASE", "HORA FINAL CLASE"}));
    QStringList labels;
    for (const char* name : {"Label1", "Label2", "Label3"})
      labels << w.window->findChild<QLabel*>(name)->text();
    QCOMPARE(labels, (QStringList{
                         QString::fromUtf8("COMPROBACIÓN DE LA PLANTILLA HORARIA DEL CENTRO"),
                         "PLANTILLA HORARIA DEL CENTRO",
                         "Modifique, en caso necesario, las Horas de Inicio y Final de Clase, en la presente "
                         "rejilla. Deben ser iguales que la Plantilla Horaria de su Centro."}));
    // The window opens with the cursor in the grid, on the first time.
    QCOMPARE(QApplication::focusWidget(), w.grid);
    QCOMPARE(w.current(), QString("0,1"));
  }

  // The cream title stands on the panel's own colour, dark enough there to
  // be read (a contrast of 4.5 at least), without a strip of its own.
  void titleIsCreamOnThePanel() {
    ClassHours w;
    auto* title = w.window->findChild<QLabel*>("Label1");
    QCOMPARE(title->palette().color(QPalette::WindowText), QColor(0xFF, 0xF8, 0xDC));
    QVERIFY(title->font().bold() && title->font().underline());
    QVERIFY(!title->autoFillBackground());
    QCOMPARE(title->parentWidget()->objectName(), QString("Panel1"));
    QCOMPARE(title->pos(), QPoint(3, 3));
    title->hide();
    const QImage behind = title->parentWidget()->grab(title->geometry()).toImage();
    title->show();
    QCOMPARE(behind.size(), title->size());
    double lowest = 21;
    for (int y = 0; y < behind.height(); ++y) {
      for (int x = 0; x < behind.width(); ++x) {
        lowest = std::min(lowest, contrast(behind.pixelColor(x, y), QColor(0xFF, 0xF8, 0xDC)));
      }
    }
    QVERIFY2(lowest >= 4.5, qPrintable(QString("contrast %1").arg(lowest)));
  }

  // Escape neither closes the window nor gets past it; in a cell being typed
  // in it only drops what was typed.
  void escapeDoesNotCloseTheWindow() {
    ClassHours w;
    QTest::keyClick(w.grid, Qt::Key_Escape);
    QVERIFY(w.window->isVisible());
    w.grid->setCurrentIndex(w.grid->model()->index(0, 1));
    QTest::keyClick(w.grid, Qt::Key_1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(w.window->isVisible());
    QCOMPARE(w.at(0, 1), QString("08:00"));
    auto* accept = w.window->findChild<QWidget*>("BitBtn1");
    accept->setFocus();
    QTest::keyClick(accept, Qt::Key_Escape);
    QVERIFY(w.window->isVisible());
    QCOMPARE(w.window->result(), 0);
  }

  void typedTimeIsSavedAndEnterMovesOn() {
    ClassHours w;
    w.grid->setCurrentIndex(w.grid->model()->index(2, 1));
    QTest::keyClick(w.grid, Qt::Key_1);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QTest::keyClicks(editor, "0:15");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(w.current(), QString("2,2"));
    QCOMPARE(w.stored(3, "HORAINI"), std::string("10:15"));
    QVERIFY(w.window->isVisible());

    // Enter away from an editor goes on too, from the row's end to the next.
    QTest::keyClick(w.grid, Qt::Key_Return);
    QCOMPARE(w.current(), QString("3,0"));
    // The hour number cannot be changed.
    QTest::keyClick(w.grid, Qt::Key_7);
    QCOMPARE(w.at(3, 0), QString("4"));
    QVERIFY(w.dialogs.shown.empty());
  }

  void acceptSavesTheTimeBeingTyped() {
    ClassHours w;
    w.grid->setCurrentIndex(w.grid->model()->index(0, 2));
    QTest::keyClick(w.grid, Qt::Key_0);
    QTest::keyClicks(QApplication::focusWidget(), "8:55");
    w.window->findChild<QAbstractButton*>("BitBtn1")->click();
    QCOMPARE(w.window->result(), int(QDialog::Accepted));
    QCOMPARE(w.stored(1, "HORAFIN"), std::string("08:55"));
  }

  void navigatorMovesThroughTheHours() {
    ClassHours w;
    w.window->findChild<QToolButton*>("Last")->click();
    QCOMPARE(w.hours.integer("HORA"), 20);
    w.window->findChild<QToolButton*>("PriorPage")->click();
    QCOMPARE(w.hours.integer("HORA"), 10);
  }

  void f1ShowsTheTopicOfTheControl_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("page");
    QTest::newRow("the grid") << "PlantiHorDBGrid"
                              << "datos_dae.html";
    QTest::newRow("Aceptar") << "BitBtn1"
                             << "ventana_principal.html";
  }
  void f1ShowsTheTopicOfTheControl() {
    QFETCH(QString, control);
    QFETCH(QString, page);
    ClassHours w;
    auto* widget = w.window->findChild<QWidget*>(control);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_F1);
    QVERIFY(w.help.isVisible());
    QCOMPARE(w.help.currentPage(), page);
    w.help.close();
  }
};

QTEST_MAIN(ClassHoursWindowTest)
#include "class_hours_window_test.moc"
