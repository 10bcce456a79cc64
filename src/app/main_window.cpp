#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <filesystem>
#include <optional>
#include <string>

#include "app/centre_panel.h"
#include "app/command_line.h"
#include "app/error_handler.h"
#include "app/folder_area.h"
#include "app/gui/controls.h"
#include "app/gui/folder_list.h"
#include "app/gui/gradient_panel.h"
#include "app/help.h"
#include "app/host_embedding.h"
#include "app/levels_panel.h"
#include "app/template_panel.h"
#include "app/window_dialogs.h"
#include "converter/panel_flow.h"
#include "run/session.h"
#include "support/cp1252.h"
#include "support/ini_file.h"
#include "support/work_folder.h"

namespace app {
namespace {

const QRect kTopBand{0, 0, 598, 100};
const QColor kTopBandTop{0xB8, 0xCC, 0xE8};
const QColor kTopBandBottom{0xEE, 0xF3, 0xFA};

std::filesystem::path toPath(const QString& folder) { return std::filesystem::path(folder.toStdU16String()); }

}  // namespace

// The dialogs the flow and the error handler use: before each box the window
// shows the flow's state at that moment, so that the box appears over the
// panels, the wait notice and the cursor the flow has reached.
class MainWindow::FlowDialogs : public WindowDialogs {
 public:
  FlowDialogs(MainWindow& window, WindowDialogs& target) : m_window(window), m_target(target) {}

  void message(const std::string& text) override {
    m_window.showFlowState();
    m_target.message(text);
  }
  run::Answer askYesNo(const std::string& text, int helpContext) override {
    m_window.showFlowState();
    return m_target.askYesNo(text, helpContext);
  }
  bool askOkCancel(const std::string& caption, const std::string& text) override {
    m_window.showFlowState();
    return m_target.askOkCancel(caption, text);
  }
  void error(const std::string& text) override {
    // The error ended the step under way: nothing is busy any more.
    m_window.m_session.busyCursor = false;
    m_window.showFlowState();
    m_target.error(text);
  }
  void checkClassHours(dbase::Table& classHours) override {
    m_window.showFlowState();
    m_target.checkClassHours(classHours);
  }
  void runCodingEditor(dae_export::CodingEditor& editor) override {
    m_window.showFlowState();
    m_target.runCodingEditor(editor);
  }

 private:
  MainWindow& m_window;
  WindowDialogs& m_target;
};

MainWindow::MainWindow(run::Session& session, WindowDialogs& dialogs, MainWindowSetup setup)
    : m_session(session),
      m_dialogs(std::make_unique<FlowDialogs>(*this, dialogs)),
      m_help(setup.help),
      m_iniFolder(setup.iniFolder) {
  setObjectName("MForm");
  setWindowTitle("Exportar e importar datos entre Orvalin y DAE");
  setFont(gui::windowFont());
  setFixedSize(598, 270);
  setHelpContext(this, kMainHelpContext);
  installHelpKey(this, m_help);

  buildTopBand();

  m_folderArea = new FolderArea(setup.startFolder, this);
  connect(m_folderArea, &FolderArea::helpClicked, this, [this] {
    if (m_help) m_help->showContents();
  });
  connect(m_folderArea, &FolderArea::closeClicked, this, &QWidget::close);
  connect(m_folderArea, &FolderArea::backToLevelsClicked, this,
          [this] { runStep([](converter::PanelFlow& flow) { flow.Button3Click(); }); });

  CentrePanel* centre = m_folderArea->centrePanel();
  connect(centre, &CentrePanel::okClicked, this,
          [this] { runStep([](converter::PanelFlow& flow) { flow.BitBtn1Click(); }); });
  connect(centre, &CentrePanel::publicClicked, this, [this](bool checked) {
    runStep([checked](converter::PanelFlow& flow) { flow.setPublicChecked(checked); });
  });
  connect(centre, &CentrePanel::privateClicked, this, [this](bool checked) {
    runStep([checked](converter::PanelFlow& flow) { flow.setPrivateChecked(checked); });
  });

  m_levels = new LevelsPanel([this] { return m_dialogs->askOkCancel("Confirm", "Delete record?"); }, this);
  m_levels->hide();
  connect(m_levels, &LevelsPanel::backClicked, this,
          [this] { runStep([](converter::PanelFlow& flow) { flow.Button2Click(); }); });
  connect(m_levels, &LevelsPanel::acceptClicked, this,
          [this] { runStep([](converter::PanelFlow& flow) { flow.FinalRecogida(); }); });
  connect(m_levels->templatePanel(), &TemplatePanel::okClicked, this, [this] {
    // The pressed "OK" gives way to the wait notice before the long build.
    m_levels->templatePanel()->showWorking();
    repaint();
    runStep([](converter::PanelFlow& flow) { flow.BitBtn3Click(); });
  });

  // A grid's failed edit goes to the default error handler's box.
  const auto showError = [this](const QString& text) { m_dialogs->error(text.toStdString()); };
  connect(centre, &CentrePanel::errorOccurred, this, showError);
  connect(m_levels, &LevelsPanel::errorOccurred, this, showError);

  FormCreate(setup.arguments);
}

MainWindow::~MainWindow() { setBusyCursor(false); }

void MainWindow::buildTopBand() {
  using gui::LabelStyle;
  m_exportArea = new gui::GradientPanel(kTopBandTop, kTopBandBottom, this);
  m_exportArea->setObjectName("Draw3D2");
  m_exportArea->setGeometry(0, 0, 289, 100);
  gui::addWrappedLabel(m_exportArea, "Label3", "Transformar datos desde DAE hacia Orvalin ", {24, 3, 265, 41})
      ->setFont(gui::headingFont());
  gui::addLabel(m_exportArea, "Label9", "Recoger Textos en:", {24, 49}, LabelStyle{gui::kRed, true});
  m_language = new QComboBox(m_exportArea);
  m_language->setObjectName("ComboBoxEuskCast");
  m_language->setGeometry(176, 44, 110, 21);
  m_language->setEditable(true);
  // The text is compared exactly: typed text stays as typed ("euskera" is
  // not EUSKERA) and is not added to the list.
  m_language->setCompleter(nullptr);
  m_language->setInsertPolicy(QComboBox::NoInsert);
  m_language->addItems({"EUSKERA", "CASTELLANO"});
  m_language->setCurrentIndex(0);
  QFont bold = m_language->font();
  bold.setBold(true);
  m_language->setFont(bold);
  setHelpContext(m_language, kDaeDataHelpContext);
  connect(m_language, &QComboBox::editTextChanged, this, [this] {
    if (m_flow) m_flow->setLanguage(languageText());
  });
  m_exportButton = gui::addButton(m_exportArea, "BExportar", "OK", {88, 72, 89, 25}, gui::ButtonGlyph::Ok);
  connect(m_exportButton, &QPushButton::clicked, this, [this] {
    // The export button sets the busy cursor at once; the flow's state
    // decides it again before any box and when the step ends.
    setBusyCursor(true);
    const std::filesystem::path folder = toPath(m_folderArea->folderList()->currentFolder());
    runStep([&folder](converter::PanelFlow& flow) { flow.BExportarClick(folder); });
  });

  m_importArea = new gui::GradientPanel(kTopBandTop, kTopBandBottom, this);
  m_importArea->setObjectName("Draw3D3");
  m_importArea->setGeometry(289, 0, 309, 100);
  gui::addWrappedLabel(m_importArea, "Label4", "Transformar datos desde Orvalin hacia DAE", {8, 3, 305, 57})
      ->setFont(gui::headingFont());
  m_importButton = gui::addButton(m_importArea, "BImportar", "OK", {96, 72, 89, 25}, gui::ButtonGlyph::Ok);
  connect(m_importButton, &QPushButton::clicked, this, [this] {
    const std::filesystem::path folder = toPath(m_folderArea->folderList()->currentFolder());
    runStep([&folder](converter::PanelFlow& flow) { flow.BImportarClick(folder); });
  });
}

void MainWindow::FormCreate(const QStringList& arguments) {
  m_session.CodigoResultado = 0;
  std::optional<HostedStart> hosted;
  // A handle that does not convert leaves the window standalone.
  runGuarded(*m_dialogs, [&] { hosted = readCommandLine(arguments); });
  if (!hosted) return;
  m_embedding = std::make_unique<HostEmbedding>(*this, hosted->hostWindow);
  m_session.ParamsRecibidos = 2;
  if (hosted->direction == Direction::Import) {
    m_exportArea->hide();
    m_importArea->setGeometry(kTopBand);
  } else if (hosted->direction == Direction::Export) {
    m_importArea->hide();
    m_exportArea->setGeometry(kTopBand);
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  emit closed();
}

void MainWindow::FormClose() {
  if (m_session.ParamsRecibidos != 2) return;
  runGuarded(*m_dialogs, [this] {
    support::writeProfileString(toPath(m_iniFolder) / "Orvalin.ini", "Transformadores", "Transformado",
                                std::to_string(m_session.CodigoResultado));
  });
}

converter::PanelFlow& MainWindow::panelFlow() {
  if (!m_flow) {
    std::optional<std::filesystem::path> chosen;
    if (!m_session.workFolder.empty()) chosen = m_session.workFolder;
    m_session.workFolder = support::resolveWorkFolder(chosen);
    m_flow = std::make_unique<converter::PanelFlow>(m_session, *m_dialogs);
    m_flow->setLanguage(languageText());
    m_folderArea->centrePanel()->setTable(&m_flow->centreTable());
    m_levels->setTables(&m_flow->levelsTable(), &m_flow->templatesTable());
  }
  return *m_flow;
}

void MainWindow::runStep(const std::function<void(converter::PanelFlow&)>& step) {
  runGuarded(*m_dialogs, [&] { step(panelFlow()); });
  showFlowState();
  if (m_flow && m_flow->closeRequested()) close();
}

void MainWindow::showFlowState() {
  using converter::PanelState;
  const PanelState state = m_flow ? m_flow->state() : PanelState::Start;
  CentrePanel* centre = m_folderArea->centrePanel();
  TemplatePanel* templates = m_levels->templatePanel();
  if (m_flow) {
    centre->refresh(m_flow->publicChecked(), m_flow->privateChecked());
    m_levels->refresh();
    templates->refresh(m_flow->templateOkVisible(), m_flow->waitNoticeVisible());
  }
  centre->setVisible(state == PanelState::Centre);
  m_levels->setVisible(state == PanelState::Levels || state == PanelState::Templates);
  templates->setVisible(state == PanelState::Templates);
  if (state != m_panelState) {
    // A panel that comes up takes the keyboard, in its grid.
    m_panelState = state;
    if (state == PanelState::Centre) centre->focusGrid();
    if (state == PanelState::Levels) m_levels->focusGrid();
    if (state == PanelState::Templates) templates->focusGrid();
  }
  m_folderArea->backToLevelsButton()->setVisible(m_flow && m_flow->button3Visible());
  const bool directionsEnabled = !m_flow || m_flow->directionButtonsEnabled();
  m_exportButton->setEnabled(directionsEnabled);
  m_importButton->setEnabled(directionsEnabled);
  setBusyCursor(m_flow && m_flow->busyCursor());
}

void MainWindow::setBusyCursor(bool busy) {
  if (busy == m_busy) return;
  m_busy = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

std::string MainWindow::languageText() const {
  return support::utf8ToCp1252(m_language->currentText().toStdString());
}

}  // namespace app
