// The main window as the user meets it: its controls where the layout puts
// them, the standalone start, the public/private pair, the language box,
// help, the command line (hosted or standalone) and the result written at
// close.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/gui/folder_list.h"
#include "app/window_harness.h"
#include "support/file_system.h"

Q_DECLARE_METATYPE(std::optional<std::string>)

using app_test::WindowHarness;

namespace {

QString textOf(const QWidget* widget) {
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  if (auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->currentText();
  return {};
}

// Bounds with a width of 0 give only the position (the control fits its text).
struct Control {
  const char* name;
  const char* parent;
  QRect bounds;
  const char* text;
  bool hidden = false;
};

const Control kControls[] = {
    {"Draw3D2", "MForm", {0, 0, 289, 100}, nullptr},
    {"Label3", "Draw3D2", {24, 3, 265, 41}, "Transformar datos desde DAE hacia Orvalin "},
    {"Label9", "Draw3D2", {24, 49, 0, 0}, "Recoger Textos en:"},
    {"ComboBoxEuskCast", "Draw3D2", {176, 44, 110, 21}, "EUSKERA"},
    {"BExportar", "Draw3D2", {88, 72, 89, 25}, "OK"},
    {"Draw3D3", "MForm", {289, 0, 309, 100}, nullptr},
    {"Label4", "Draw3D3", {8, 3, 305, 57}, "Transformar datos desde Orvalin hacia DAE"},
    {"BImportar", "Draw3D3", {96, 72, 89, 25}, "OK"},
    {"Draw3D1", "MForm", {0, 100, 598, 170}, nullptr},
    {"Label5", "Draw3D1", {9, 5, 0, 0}, "Carpeta en la que se encuentran los Ficheros TXT de DAE"},
    {"Label6", "Draw3D1", {9, 19, 0, 0}, "Ruta Actual:"},
    {"Label2", "Draw3D1", {70, 20, 0, 0}, nullptr},
    {"Directorios", "Draw3D1", {8, 34, 287, 110}, nullptr},
    {"Unidades", "Draw3D1", {8, 147, 137, 19}, nullptr},
    {"Button1", "Draw3D1", {220, 147, 75, 21}, "F1 AYUDA"},
    {"BClose", "Draw3D1", {480, 120, 89, 25}, "&Salir"},
    {"Button3", "Draw3D1", {328, 121, 129, 25}, "Volver a Niveles Estudios", true},
    {"Label1", "Draw3D1", {368, 149, 0, 0}, nullptr},
    {"Panel1", "Draw3D1", {6, 34, 465, 110}, nullptr, true},
    {"Label7", "Panel1", {9, 5, 0, 0}, "Aceptar o Corregir sus Datos del Centro:"},
    {"Label13", "Panel1", {291, 5, 0, 0}, "!!! I M P O R T A N T E !!!"},
    {"Label14", "Panel1", {298, 25, 0, 0}, "Indique si su Centro es :"},
    {"wwDBGridCODCENTRO", "Panel1", {7, 24, 258, 46}, nullptr},
    {"CheckBoxPUBLICO", "Panel1", {280, 42, 150, 17}, "de ENTIDAD PÚBLICA:"},
    {"CheckBoxPRIVADO", "Panel1", {280, 62, 177, 17}, "PRIVADO o CONCERTADO:"},
    {"BitBtn1", "Panel1", {224, 83, 89, 24}, "OK"},
    {"Panel2", "MForm", {6, 1, 587, 267}, nullptr, true},
    {"Label10", "Panel2", {3, 9, 0, 0}, "NIVELES DE ESTUDIOS"},
    {"Label8",
     "Panel2",
     {151, 2, 426, 26},
     "Escriba las Abreviaturas (hasta 5 caracteres) en Castellano y / o Euskera, de los NIVELES de Estudio "
     "que se "
     "imparten en el Centro. "},
    {"Label11",
     "Panel2",
     {153, 29, 0, 0},
     "ATENCIÓN - Las Abreviaturas deben ser distintas, y no repetirse. "},
    {"wwDBGridNIVIMP", "Panel2", {43, 45, 502, 191}, nullptr},
    {"Button2", "Panel2", {352, 238, 115, 25}, "Volver a Datos Centro"},
    {"BitBtn2", "Panel2", {488, 238, 89, 25}, "Aceptar"},
    {"Panel3", "Panel2", {104, 56, 395, 157}, nullptr, true},
    {"Label12", "Panel3", {8, 8, 0, 0}, "Seleccione la Plantilla Horaria a Integrar en Orvalin"},
    {"wwDBGridPlantillas", "Panel3", {7, 24, 380, 98}, nullptr},
    {"LabelEspere2",
     "Panel3",
     {1, 134, 397, 13},
     "RECOGIENDO DATOS PARA ORVALIN -  ESPERE UN MOMENTO ",
     true},
    {"BitBtn3", "Panel3", {156, 128, 89, 25}, "OK"},
};

struct LabelLook {
  const char* name;
  QColor colour;
  bool bold;
  bool underline;
};

const LabelLook kLabelLooks[] = {
    {"Label9", Qt::red, true, false},
    {"Label5", Qt::blue, false, false},
    {"Label6", Qt::blue, false, false},
    {"Label2", Qt::red, true, false},
    {"Label1", Qt::red, true, false},
    {"Label7", Qt::blue, true, false},
    {"Label13", Qt::red, true, true},
    {"Label14", Qt::blue, true, false},
    {"Label10", QColor(0, 0x80, 0), true, true},
    {"Label8", Qt::blue, true, false},
    {"Label11", Qt::red, true, false},
    {"Label12", QColor(0x80, 0, 0), true, false},
    {"LabelEspere2", Qt::red, true, false},
};

// The text of a label fits inside its bounds and its parent.
bool labelFits(const QLabel* label) {
  const int room = std::min(label->width(), label->parentWidget()->width() - label->x());
  if (label->wordWrap()) return label->heightForWidth(room) <= label->height();
  return label->sizeHint().width() <= room && label->sizeHint().height() <= label->height();
}

// The frames that lie over other controls by design while they are shown.
bool liesOverOthers(const QWidget* widget) {
  const QString name = widget->objectName();
  return name == "Panel1" || name == "Panel2" || name == "Panel3";
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void windowIsTheFixedSizeDialog() {
    WindowHarness h;
    h.open({});
    QCOMPARE(h.window->windowTitle(), QString("Exportar e importar datos entre Orvalin y DAE"));
    QCOMPARE(h.window->size(), QSize(598, 270));
    QCOMPARE(h.window->minimumSize(), h.window->maximumSize());
  }

  void controlsSitWhereTheLayoutPutsThem() {
    WindowHarness h;
    h.open({});
    for (const Control& c : kControls) {
      const QWidget* widget = h.child<QWidget>(c.name);
      const QString context = QString("control ") + c.name;
      QVERIFY2(widget->parentWidget()->objectName() == c.parent, qPrintable(context));
      QVERIFY2(widget->pos() == c.bounds.topLeft(), qPrintable(context));
      if (c.bounds.width() > 0) QVERIFY2(widget->size() == c.bounds.size(), qPrintable(context));
      if (c.text) QVERIFY2(textOf(widget) == QString::fromUtf8(c.text), qPrintable(context));
      QVERIFY2(widget->isHidden() == c.hidden, qPrintable(context));
    }
  }

  void labelsHaveTheirColoursAndStyles() {
    WindowHarness h;
    h.open({});
    for (const LabelLook& look : kLabelLooks) {
      const auto* label = h.child<QLabel>(look.name);
      const QString context = QString("label ") + look.name;
      QVERIFY2(label->palette().color(QPalette::WindowText) == look.colour, qPrintable(context));
      QVERIFY2(label->font().bold() == look.bold, qPrintable(context));
      QVERIFY2(label->font().underline() == look.underline, qPrintable(context));
    }
    QVERIFY(h.child<QLabel>("Label3")->font().bold());
    QCOMPARE(h.child<QLabel>("Label3")->font().pixelSize(), 16);
    QVERIFY(h.child<QComboBox>("ComboBoxEuskCast")->isEditable());
    QCOMPARE(h.child<QComboBox>("ComboBoxEuskCast")->count(), 2);
    QCOMPARE(h.child<QComboBox>("ComboBoxEuskCast")->itemText(1), QString("CASTELLANO"));
  }

  void nothingIsCutOffOrOverlaps() {
    WindowHarness h;
    h.open({});
    for (const QLabel* label : h.window->findChildren<QLabel*>()) {
      if (label->objectName().isEmpty()) continue;  // parts of other controls
      QVERIFY2(labelFits(label), qPrintable("label " + label->objectName() + " is cut off"));
    }
    for (const char* container : {"Draw3D2", "Draw3D3", "Draw3D1", "Panel1", "Panel2", "Panel3"}) {
      const auto children = h.child<QWidget>(container)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
      for (const QWidget* a : children) {
        for (const QWidget* b : children) {
          if (a >= b || a->isHidden() || b->isHidden() || liesOverOthers(a) || liesOverOthers(b)) continue;
          QVERIFY2(!a->geometry().intersects(b->geometry()),
                   qPrintable(a->objectName() + " overlaps " + b->objectName()));
        }
      }
    }
  }

  void standaloneStartShowsBothAreasAndNoPanel() {
    WindowHarness h;
    h.open({});
    QVERIFY(h.showing("Draw3D2"));
    QVERIFY(h.showing("Draw3D3"));
    for (const char* hidden : {"Panel1", "Panel2", "Button3"}) QVERIFY2(!h.showing(hidden), hidden);
    QVERIFY(h.child<QPushButton>("BExportar")->isEnabled());
    QVERIFY(h.child<QPushButton>("BImportar")->isEnabled());
    QCOMPARE(QDir::toNativeSeparators(h.child<app::gui::FolderList>("Directorios")->currentFolder()),
             h.daeFolder());
    auto* path = h.child<QLabel>("Label2");
    QCOMPARE(path->text(), app::gui::elidePath(h.daeFolder(), path->fontMetrics(), 287));
    QCOMPARE(h.session.ParamsRecibidos, 0);
    QVERIFY(!(h.window->windowFlags() & Qt::FramelessWindowHint));
  }

  void openingAFolderShowsItsPath() {
    WindowHarness h;
    std::filesystem::create_directory(h.workspace.daeFolder() / "curso");
    h.open({});
    auto* folders = h.child<app::gui::FolderList>("Directorios");
    folders->setCurrentItem(folders->findItems("curso", Qt::MatchExactly).first());
    QTest::keyClick(folders, Qt::Key_Return);
    const QString opened = h.daeFolder() + "/curso";
    auto* path = h.child<QLabel>("Label2");
    QCOMPARE(path->text(), app::gui::elidePath(opened, path->fontMetrics(), 287));
  }

  void publicAndPrivateStayComplementary() {
    WindowHarness h;
    h.open({});
    h.click("BExportar");
    auto* publicBox = h.child<QCheckBox>("CheckBoxPUBLICO");
    auto* privateBox = h.child<QCheckBox>("CheckBoxPRIVADO");
    QVERIFY(publicBox->isChecked() && !privateBox->isChecked());
    const struct {
      const char* click;
      bool publicCentre;
    } steps[] = {{"CheckBoxPRIVADO", false},
                 {"CheckBoxPRIVADO", true},
                 {"CheckBoxPUBLICO", false},
                 {"CheckBoxPUBLICO", true}};
    for (const auto& step : steps) {
      h.click(step.click);
      QCOMPARE(publicBox->isChecked(), step.publicCentre);
      QCOMPARE(privateBox->isChecked(), !step.publicCentre);
      QCOMPARE(h.session.publicCentre, step.publicCentre);
    }
  }

  void languageTextReachesTheSession() {
    WindowHarness h;
    h.open({});
    QLineEdit* typed = h.child<QComboBox>("ComboBoxEuskCast")->lineEdit();
    typed->selectAll();
    QTest::keyClicks(typed, "euskera");
    h.click("BExportar");
    QCOMPARE(h.session.language, std::string("euskera"));
    QVERIFY(!h.session.euskera());
    typed->selectAll();
    QTest::keyClicks(typed, "EUSKERA");
    QVERIFY(h.session.euskera());
    h.child<QComboBox>("ComboBoxEuskCast")->setCurrentIndex(1);
    QCOMPARE(h.session.language, std::string("CASTELLANO"));
  }

  void helpAsksTheViewer() {
    WindowHarness h;
    h.open({});
    QApplication::setActiveWindow(h.window.get());
    QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
    h.click("Button1");
    auto* language = h.child<QComboBox>("ComboBoxEuskCast");
    language->setFocus();
    QTest::keyClick(language, Qt::Key_F1);
    auto* folders = h.child<QWidget>("Directorios");
    folders->setFocus();
    QTest::keyClick(folders, Qt::Key_F1);
    QCOMPARE(h.help.requests, (std::vector<int>{0, 1, 3}));
  }

  void commandLineDecidesTheMode_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("hosted");
    QTest::addColumn<QRect>("exportArea");  // empty: hidden
    QTest::addColumn<QRect>("importArea");
    QTest::addColumn<QString>("error");
    const QRect exportLeft{0, 0, 289, 100};
    const QRect importRight{289, 0, 309, 100};
    const QRect wholeBand{0, 0, 598, 100};
    QTest::newRow("no arguments") << QStringList{} << false << exportLeft << importRight << "";
    QTest::newRow("one argument") << QStringList{"exportar"} << false << exportLeft << importRight << "";
    QTest::newRow("three arguments") << QStringList{"exportar", "1A2F", "x"} << false << exportLeft
                                     << importRight << "";
    QTest::newRow("import in capitals")
        << QStringList{"IMPORTAR", "1a2f"} << true << QRect() << wholeBand << "";
    QTest::newRow("export") << QStringList{"exportar", "1A2F"} << true << wholeBand << QRect() << "";
    QTest::newRow("another word") << QStringList{"transformar", "1A2F"} << true << exportLeft << importRight
                                  << "";
    QTest::newRow("handle not hexadecimal") << QStringList{"exportar", "zz"} << false << exportLeft
                                            << importRight << "error: '$zz' is not a valid integer value";
  }
  void commandLineDecidesTheMode() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, hosted);
    QFETCH(QRect, exportArea);
    QFETCH(QRect, importArea);
    QFETCH(QString, error);
    WindowHarness h;
    h.open(arguments);
    QCOMPARE(h.session.ParamsRecibidos, hosted ? 2 : 0);
    QCOMPARE(h.session.CodigoResultado, 0);
    QCOMPARE(bool(h.window->windowFlags() & Qt::FramelessWindowHint), hosted);
    const std::pair<const char*, QRect> areas[] = {{"Draw3D2", exportArea}, {"Draw3D3", importArea}};
    for (const auto& [name, bounds] : areas) {
      QCOMPARE(h.showing(name), !bounds.isNull());
      if (!bounds.isNull()) QCOMPARE(h.child<QWidget>(name)->geometry(), bounds);
    }
    const std::vector<std::string> errors =
        error.isEmpty() ? std::vector<std::string>{} : std::vector<std::string>{error.toStdString()};
    QCOMPARE(h.dialogs.shown, errors);

    h.window->close();
    if (hosted) {
      QCOMPARE(h.ini(), std::optional<std::string>("[Transformadores]\r\nTransformado=0\r\n"));
    } else {
      QVERIFY(!h.ini());
    }
  }

  void closeReplacesTheResultAndKeepsTheRestOfTheFile() {
    WindowHarness h;
    std::ofstream(h.iniFolder.path() / "Orvalin.ini", std::ios::binary)
        << "[Orvalin]\r\nIdioma=1\r\n[Transformadores]\r\nTransformado=1\r\n";
    h.open({"exportar", "1A2F"});
    h.window->close();
    QCOMPARE(h.ini(),
             std::optional<std::string>("[Orvalin]\r\nIdioma=1\r\n[Transformadores]\r\nTransformado=0\r\n"));
  }

  // The host reads the result from the converter's folder: when it cannot be
  // written there, the user is told which file, and nothing else is lost.
  void resultThatCannotBeWrittenIsShownNamingTheFile() {
    WindowHarness h;
    h.open({"exportar", "1A2F"});
    const std::filesystem::path ini = h.iniFolder.path() / "Orvalin.ini";
    std::filesystem::remove_all(h.iniFolder.path());
    h.window->close();
    QCOMPARE(h.dialogs.shown.size(), std::size_t{1});
    QVERIFY2(h.dialogs.shown.front().find(support::displayPath(ini)) != std::string::npos,
             h.dialogs.shown.front().c_str());
    QVERIFY(!std::filesystem::exists(ini));
  }

  void missingFolderClosesTheHostedWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<std::optional<std::string>>("result");
    QTest::newRow("standalone stays open") << QStringList{} << false << std::optional<std::string>();
    QTest::newRow("hosted export reports -1")
        << QStringList{"exportar", "1A2F"} << true
        << std::optional<std::string>("[Transformadores]\r\nTransformado=-1\r\n");
  }
  void missingFolderClosesTheHostedWindow() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, closes);
    QFETCH(std::optional<std::string>, result);
    WindowHarness h;
    std::filesystem::create_directory(h.workspace.daeFolder() / "gone");
    h.open(arguments);
    auto* folders = h.child<app::gui::FolderList>("Directorios");
    folders->setCurrentFolder(h.daeFolder() + "/gone");
    std::filesystem::remove(h.workspace.daeFolder() / "gone");
    h.click("BExportar");
    QCOMPARE(h.dialogs.shown, std::vector<std::string>{"No existe la carpeta"});
    QCOMPARE(h.dialogs.busyAtBox, std::vector<bool>{false});
    QCOMPARE(h.window->isVisible(), !closes);
    QCOMPARE(h.ini(), result);
  }

  void missingWorkFolderIsShownAndTheWindowStays() {
    WindowHarness h;
    h.session.workFolder = h.workspace.workFolder() / "missing";
    h.open({});
    h.click("BExportar");
    QCOMPARE(h.dialogs.shown.size(), std::size_t{1});
    QVERIFY(h.dialogs.shown[0].rfind("error: No existe la carpeta de trabajo ", 0) == 0);
    QVERIFY(!h.showing("Panel1"));
    QVERIFY(h.child<QPushButton>("BExportar")->isEnabled());
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
