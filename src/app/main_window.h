// The main window MForm: the export and import areas along the top, the
// folder area along the bottom, and the step panels (centre data, study
// levels, hour template), which the window shows as the panel flow says. The window turns the user's clicks
// into the flow's events, each run through the default error handler, and
// shows the flow's state afterwards (and before every box the flow opens);
// what the steps do is the flow's.
//
// Creating the window reads the command line (FormCreate): with exactly two
// arguments it is hosted, embedded in the host's window, and closing it
// (FormClose) writes CodigoResultado into Orvalin.ini in iniFolder.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

#include "run/forward.h"

namespace converter {
class PanelFlow;
enum class PanelState;
}  // namespace converter

class QComboBox;
class QPushButton;

namespace app {

class FolderArea;
class HelpService;
class HostEmbedding;
class LevelsPanel;
class WindowDialogs;
namespace gui {
class GradientPanel;
}

struct MainWindowSetup {
  QStringList arguments;  // the command line, without the program
  QString iniFolder;      // the executable's folder, where Orvalin.ini is
  QString startFolder;    // where the folder list starts
  HelpService* help = nullptr;
};

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // session.workFolder, when set, is the work folder to use; otherwise it is
  // looked up when a direction first starts.
  MainWindow(run::Session& session, WindowDialogs& dialogs, MainWindowSetup setup);
  ~MainWindow() override;

 signals:
  // After FormClose: the program ends.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class FlowDialogs;

  void buildTopBand();
  void FormCreate(const QStringList& arguments);
  void FormClose();
  // One user event: the step runs through the default error handler, then
  // the window shows the flow's state and closes when the flow asks.
  void runStep(const std::function<void(converter::PanelFlow&)>& step);
  // The flow, created on the first event (the work folder must exist then).
  converter::PanelFlow& panelFlow();
  void showFlowState();
  void setBusyCursor(bool busy);
  std::string languageText() const;

  run::Session& m_session;
  std::unique_ptr<FlowDialogs> m_dialogs;
  HelpService* m_help;
  QString m_iniFolder;
  std::unique_ptr<converter::PanelFlow> m_flow;
  std::unique_ptr<HostEmbedding> m_embedding;
  bool m_busy = false;
  // The panel state last shown.
  converter::PanelState m_panelState{};

  gui::GradientPanel* m_exportArea = nullptr;
  gui::GradientPanel* m_importArea = nullptr;
  QComboBox* m_language = nullptr;
  QPushButton* m_exportButton = nullptr;
  QPushButton* m_importButton = nullptr;
  FolderArea* m_folderArea = nullptr;
  LevelsPanel* m_levels = nullptr;
};

}  // namespace app
