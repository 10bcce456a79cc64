// The class-hour check of the import, "Control de Plantilla Horaria": the
// hours of PLANTILLA in a grid where the user corrects start and end times,
// and "Aceptar". Each value typed is saved at once; the window's close
// button ends the check as "Aceptar" does.
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "app/gui/controls.h"
#include "app/gui/data_grid.h"
#include "app/gui/table_model.h"
#include "app/help.h"
#include "app/message_box_dialogs.h"
#include "support/dbase/table.h"

namespace app {

void MessageBoxDialogs::checkClassHours(dbase::Table& classHours) {
  classHours.open();
  QDialog window(m_parent);
  window.setObjectName("ControlPlantilla");
  window.setWindowTitle("Control de Plantilla Horaria");
  window.setFont(gui::windowFont());
  window.setFixedSize(595, 305);
  setHelpContext(&window, kLanguageHelpContext);

  gui::addLabel(&window, "LabelTitulo", QString::fromUtf8("COMPROBACIÓN DE LA PLANTILLA HORARIA DEL CENTRO"), {11, 11},
                gui::LabelStyle{Qt::black, true, true});
  auto* model = new gui::TableModel({{"HORA", "HORA", 7, false},
                                     {"HORAINI", "HORA INICIO CLASE", 20, true},
                                     {"HORAFIN", "HORA FINAL CLASE", 19, true}},
                                    &window);
  gui::GridOptions options;
  options.alternateRows = true;
  auto* grid = new gui::DataGrid(model, options, &window);
  grid->setObjectName("PlantiHorDBGrid");
  grid->setGeometry(12, 32, 330, 225);
  model->setTable(&classHours);
  grid->reload();
  QObject::connect(model, &gui::TableModel::errorOccurred, &window,
                   [this](const QString& text) { error(text.toStdString()); });

  auto* accept = gui::addButton(&window, "BitBtn1", "Aceptar", {485, 265, 89, 25}, gui::ButtonGlyph::Ok);
  setHelpContext(accept, kMainHelpContext);
  QObject::connect(accept, &QPushButton::clicked, &window, &QDialog::accept);
  window.exec();
  model->setTable(nullptr);
}

}  // namespace app
