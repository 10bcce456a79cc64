#include "app/window_harness.h"

#include <QAbstractButton>
#include <QAbstractItemView>

#include <fstream>
#include <sstream>

namespace app_test {

WindowHarness::WindowHarness() : session(workspace.session()) {
  dae_test::writeCompleteExport(workspace);
  session.CarpetaDAE.clear();
}

app::MainWindow& WindowHarness::open(const QStringList& arguments) {
  window = std::make_unique<app::MainWindow>(
      session, dialogs,
      app::MainWindowSetup{arguments, QString::fromStdString(iniFolder.path().string()), daeFolder(), &help});
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) qFatal("the main window was not shown");
  return *window;
}

void WindowHarness::click(const char* name) const {
  auto* button = child<QAbstractButton>(name);
  if (!button->isVisible() || !button->isEnabled()) qFatal("%s cannot be clicked", name);
  QTest::mouseClick(button, Qt::LeftButton);
}

void WindowHarness::select(const char* grid, int row, int column) const {
  auto* view = child<QAbstractItemView>(grid);
  view->setCurrentIndex(view->model()->index(row, column));
}

int WindowHarness::currentRow(const char* grid) const {
  return child<QAbstractItemView>(grid)->currentIndex().row();
}

void WindowHarness::type(const char* grid, int row, int column, const QString& text) const {
  select(grid, row, column);
  auto* view = child<QAbstractItemView>(grid);
  if (!view->model()->setData(view->currentIndex(), text, Qt::EditRole)) qFatal("%s refused the value", grid);
}

QString WindowHarness::cell(const char* grid, int row, int column) const {
  return child<QAbstractItemView>(grid)->model()->index(row, column).data().toString();
}

int WindowHarness::rowCount(const char* grid) const {
  return child<QAbstractItemView>(grid)->model()->rowCount();
}

bool WindowHarness::showing(const char* name) const { return child<QWidget>(name)->isVisible(); }

std::optional<std::string> WindowHarness::ini() const {
  std::ifstream in(iniFolder.path() / "Orvalin.ini", std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

QString WindowHarness::daeFolder() const { return QString::fromStdString(workspace.daeFolder().string()); }

}  // namespace app_test
