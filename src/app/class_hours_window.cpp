#include "app/class_hours_window.h"

#include <QLabel>
#include <QPushButton>

#include "app/gui/controls.h"
#include "app/gui/data_grid.h"
#include "app/gui/gradient_panel.h"
#include "app/gui/navigator_bar.h"
#include "app/gui/table_model.h"
#include "app/help.h"
#include "app/window_dialogs.h"
#include "support/dbase/table.h"

namespace app {
namespace {

// The panel is dark blue along its top, where the cream title stands, and
// light below the title's line, where the red and navy texts stand.
const QGradientStops kPanelColours{{0.0, QColor(0x1F, 0x3D, 0x6B)},
                                   {0.08, QColor(0x2E, 0x51, 0x87)},
                                   {0.2, QColor(0xC9, 0xD9, 0xEE)},
                                   {1.0, QColor(0xF4, 0xF8, 0xFC)}};
const QColor kCream{0xFF, 0xF8, 0xDC};
const QColor kNavy{0x00, 0x00, 0x80};
// 10 points at 96 dots per inch.
constexpr int kTitlePixels = 13;

}  // namespace

ClassHoursWindow::ClassHoursWindow(dbase::Table& classHours, WindowDialogs& dialogs, HelpService* help,
                                   QWidget* parent)
    : gui::NoEscapeDialog(parent) {
  setObjectName("ControlPlantilla");
  setWindowTitle("Control de Plantilla Horaria");
  setFont(gui::windowFont());
  setFixedSize(595, 305);
  move(338, 334);
  setHelpContext(this, kDaeDataHelpContext);
  installHelpKey(this, help);

  auto* panel = new gui::GradientPanel(kPanelColours, this);
  panel->setObjectName("Panel1");
  panel->setGeometry(8, 8, 577, 289);
  setHelpContext(panel, kDaeDataHelpContext);

  QLabel* title =
      gui::addLabel(panel, "Label1", QString::fromUtf8("COMPROBACIÓN DE LA PLANTILLA HORARIA DEL CENTRO"),
                    {3, 3}, gui::LabelStyle{kCream, true, true});
  QFont titleFont = title->font();
  titleFont.setPixelSize(kTitlePixels);
  title->setFont(titleFont);
  title->adjustSize();

  auto* model = new gui::TableModel({{"HORA", "HORA", 7, false},
                                     {"HORAINI", "HORA INICIO CLASE", 20, true},
                                     {"HORAFIN", "HORA FINAL CLASE", 19, true}},
                                    this);
  gui::GridOptions options;
  options.alternateRows = true;
  options.titleLines = 2;
  options.enterMovesToNextCell = true;
  auto* grid = new gui::DataGrid(model, options, panel);
  grid->setObjectName("PlantiHorDBGrid");
  grid->setGeometry(4, 24, 330, 225);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHelpContext(grid, kDaeDataHelpContext);
  connect(model, &gui::TableModel::errorOccurred, this,
          [&dialogs](const QString& text) { dialogs.error(text.toStdString()); });
  classHours.open();
  model->setTable(&classHours);
  grid->reload();

  QLabel* heading = gui::addLabel(panel, "Label2", "PLANTILLA HORARIA DEL CENTRO", {345, 57},
                                  gui::LabelStyle{gui::kRed, true, true});
  heading->setFixedWidth(210);
  heading->setAlignment(Qt::AlignHCenter);
  gui::addWrappedLabel(
      panel, "Label3",
      "Modifique, en caso necesario, las Horas de Inicio y Final de Clase, en la presente rejilla. "
      "Deben ser iguales que la Plantilla Horaria de su Centro.",
      {344, 99, 217, 52}, gui::LabelStyle{kNavy, true});

  auto* navigator = new gui::NavigatorBar(grid, panel);
  navigator->setObjectName("DBNavigator1");
  navigator->setGeometry(30, 257, 275, 24);

  QPushButton* acceptButton =
      gui::addButton(panel, "BitBtn1", "Aceptar", {477, 257, 89, 25}, gui::ButtonGlyph::Ok);
  acceptButton->setDefault(true);
  setHelpContext(acceptButton, kMainHelpContext);
  connect(acceptButton, &QPushButton::clicked, this, [this, grid] {
    grid->finishEditing(true);
    accept();
  });
  grid->setFocus();
}

}  // namespace app
