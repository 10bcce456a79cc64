#include "dae_import/dae_file.h"

#include <filesystem>

#include "run/dialogs.h"
#include "run/session.h"
#include "support/file_system.h"

namespace dae_import {
namespace {

std::optional<std::filesystem::path> locate(const std::string& daeFolder, std::string_view fileName) {
  // CarpetaDAE ends in a separator (two after a drive root); the path type
  // accepts both forms as they stand.
  return support::findNoCase(support::pathFromUtf8(daeFolder), fileName);
}

}  // namespace

bool daeFileExists(const std::string& daeFolder, std::string_view fileName) {
  const auto file = locate(daeFolder, fileName);
  return file && support::isRegularFile(*file);
}

std::optional<std::string> readDaeLine(const std::string& daeFolder, std::string_view fileName) {
  const auto file = locate(daeFolder, fileName);
  if (!file || !support::isRegularFile(*file)) return std::nullopt;
  const std::string bytes = support::readFile(*file);
  std::string line;
  line.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\n' || c == '\x1A') break;
    if (c == '\r') continue;  // before a line feed it ends the line anyway; bare, it is dropped
    line.push_back(c);
  }
  return line;
}

bool requireDaeInput(run::Session& session, run::Dialogs& dialogs, std::string_view fileName,
                     const std::string& missingMessage) {
  if (daeFileExists(session.CarpetaDAE, fileName)) return true;
  dialogs.message(missingMessage);
  session.CodigoResultado = -1;
  return false;
}

std::optional<std::string> readDaeInput(run::Session& session, run::Dialogs& dialogs,
                                        std::string_view fileName, const std::string& missingMessage) {
  if (!requireDaeInput(session, dialogs, fileName, missingMessage)) return std::nullopt;
  return readDaeLine(session.CarpetaDAE, fileName);
}

void forEachRecord(std::string_view line, int start, int recordLength,
                   const std::function<void(std::string_view record)>& handler) {
  if (recordLength <= 0 || start < 1) return;
  for (std::size_t p = static_cast<std::size_t>(start); p <= line.size();
       p += static_cast<std::size_t>(recordLength)) {
    handler(line.substr(p - 1, static_cast<std::size_t>(recordLength)));
  }
}

std::string cutField(std::string_view record, int start, int width) {
  if (start < 1 || width <= 0 || static_cast<std::size_t>(start) > record.size()) return {};
  return std::string(record.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(width)));
}

}  // namespace dae_import
