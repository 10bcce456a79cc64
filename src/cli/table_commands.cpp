#include "cli/table_commands.h"

#include <iostream>
#include <optional>

#include "cli/exit_status.h"
#include "support/cp1252.h"
#include "support/dbase/index_check.h"
#include "support/dbase/table.h"
#include "support/error.h"
#include "support/file_system.h"
#include "support/work_folder.h"

namespace {

struct TableArgs {
  std::string table;
  std::optional<std::filesystem::path> workFolder;
  std::string tag;
};

// nullopt (after printing the usage) when the arguments are not understood.
std::optional<TableArgs> parseTableArgs(const std::vector<std::string>& args, bool allowTag,
                                        const char* usage) {
  TableArgs parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--work-folder" && i + 1 < args.size()) {
      parsed.workFolder = support::pathFromUtf8(args[++i]);
    } else if (allowTag && a == "--tag" && i + 1 < args.size()) {
      parsed.tag = args[++i];
    } else if (parsed.table.empty() && !a.starts_with("--")) {
      parsed.table = a;
    } else {
      parsed.table.clear();
      break;
    }
  }
  if (parsed.table.empty()) {
    std::cerr << usage << '\n';
    return std::nullopt;
  }
  return parsed;
}

std::string csvField(const std::string& utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
  std::string quoted = "\"";
  for (char c : utf8) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

int runDumpCommand(const std::vector<std::string>& args) {
  const auto parsed =
      parseTableArgs(args, true, "usage: transorvaldae-cli dump TABLE [--work-folder DIR] [--tag TAG]");
  if (!parsed) return cli::kExitUsage;
  dbase::Table table(support::resolveWorkFolder(parsed->workFolder), parsed->table);
  table.open({.readOnly = true});
  table.selectTag(parsed->tag);
  const auto& fields = table.fields();
  for (std::size_t i = 0; i < fields.size(); ++i) std::cout << (i ? "," : "") << csvField(fields[i].name);
  std::cout << '\n';
  for (table.first(); !table.atEnd(); table.next()) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      std::cout << (i ? "," : "") << csvField(support::cp1252ToUtf8(table.text(fields[i].name)));
    }
    std::cout << '\n';
  }
  table.close();
  return cli::kExitFinished;
}

int runCheckCommand(const std::vector<std::string>& args) {
  const auto parsed = parseTableArgs(args, false, "usage: transorvaldae-cli check TABLE [--work-folder DIR]");
  if (!parsed) return cli::kExitUsage;
  const std::filesystem::path folder = support::resolveWorkFolder(parsed->workFolder);
  std::vector<std::string> problems;
  try {
    // Opening proves that the engine accepts the table and its index.
    dbase::Table(folder, parsed->table).open({.readOnly = true});
    problems = dbase::checkIndexes(folder, parsed->table);
  } catch (const support::Error& e) {
    problems.push_back(e.what());  // damage is what this command reports
  }
  for (const std::string& p : problems) std::cout << parsed->table << ": " << p << '\n';
  if (!problems.empty()) return cli::kExitStopped;
  std::cout << parsed->table << ": correcto\n";
  return cli::kExitFinished;
}
