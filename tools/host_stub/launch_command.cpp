#include "tools/host_stub/launch_command.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <system_error>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QWidget>

namespace host_stub {
namespace {

constexpr char kUsage[] = "usage: host-stub launch importar|exportar [CONVERTER]\n";

std::optional<std::filesystem::file_time_type> modified(const std::filesystem::path& file) {
  std::error_code ec;
  const auto time = std::filesystem::last_write_time(file, ec);
  if (ec) return std::nullopt;
  return time;
}

}  // namespace

int runLaunchCommand(const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2 || (args[0] != "importar" && args[0] != "exportar")) {
    std::cerr << kUsage;
    return 2;
  }
  int argc = 1;
  char name[] = "host-stub";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  // Closing the host window does not end the wait for the converter.
  QApplication::setQuitOnLastWindowClosed(false);

  const QString converter =
      args.size() == 2 ? QString::fromStdString(args[1])
                       : QDir::cleanPath(QApplication::applicationDirPath() + "/../../src/app/transorvaldae");
  const QFileInfo converterFile(converter);
  if (!converterFile.isFile() || !converterFile.isExecutable()) {
    std::cerr << "host-stub: no converter at " << converter.toStdString() << '\n';
    return 1;
  }
  const QString iniName = converterFile.absolutePath() + "/Orvalin.ini";
  const std::filesystem::path ini(iniName.toStdU16String());
  const auto before = modified(ini);

  // The host's own window, with room for the converter's 598 x 270 at (2, 2).
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
  process.start(converterFile.absoluteFilePath(), {QString::fromStdString(args[0]), handle});
  QApplication::exec();
  if (process.error() == QProcess::FailedToStart) {
    std::cerr << "host-stub: the converter did not start: " << process.errorString().toStdString() << '\n';
    return 1;
  }

  const auto after = modified(ini);
  if (!after || after == before) {
    std::cerr << "host-stub: the converter wrote no result into " << iniName.toStdString() << '\n';
    return 1;
  }
  const QSettings settings(iniName, QSettings::IniFormat);
  std::cout << "Transformado=" << settings.value("Transformadores/Transformado").toString().toStdString()
            << std::endl;
  return 0;
}

}  // namespace host_stub
