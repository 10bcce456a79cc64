// The host window as a Qt window (X11 on Linux).
#include <iostream>

#include <QApplication>
#include <QProcess>
#include <QSettings>
#include <QWidget>

#include "tools/host_stub/host_window.h"

namespace host_stub {
namespace {

QString toQString(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

}  // namespace

std::filesystem::path defaultConverter() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "../../src/app/transorvaldae";
}

bool runConverterInHostWindow(const std::filesystem::path& converter, const std::string& direction) {
  int argc = 1;
  char name[] = "host-stub";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  // Closing the host window does not end the wait for the converter.
  QApplication::setQuitOnLastWindowClosed(false);

  QWidget host;
  host.setWindowTitle("Orvalin (host-stub)");
  host.resize(620, 300);
  host.show();
  const QString handle = QString::number(host.winId(), 16).toUpper();
  std::cout << "host-window=" << handle.toStdString() << std::endl;

  QProcess process;
  process.setProcessChannelMode(QProcess::ForwardedChannels);
  QObject::connect(&process, &QProcess::finished, &application, &QApplication::quit);
  QObject::connect(&process, &QProcess::errorOccurred, &application, [&](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) QApplication::quit();
  });
  process.start(toQString(converter), {QString::fromStdString(direction), handle});
  QApplication::exec();
  if (process.error() == QProcess::FailedToStart) {
    std::cerr << "host-stub: the converter did not start: " << process.errorString().toStdString() << '\n';
    return false;
  }
  return true;
}

std::string readHandedOverResult(const std::filesystem::path& ini) {
  const QSettings settings(toQString(ini), QSettings::IniFormat);
  return settings.value("Transformadores/Transformado").toString().toStdString();
}

}  // namespace host_stub
