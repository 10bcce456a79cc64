#include "converter/run_record.h"

#include <string>
#include <vector>

#include "dae_import/code_tables.h"
#include "run/session.h"
#include "safety/copies_folder.h"
#include "safety/run_log_file.h"
#include "support/file_system.h"

namespace converter {
namespace {

// The work tables a direction re-creates, deletes or changes. The export
// builds the code tables, the centre, the template list, the remembered
// level short names, the days and hours and the timetabler's five tables;
// the import builds the class hours and the timetable work tables, adds
// teachers to PROFT and edits their documents, and may create the centre.
std::vector<std::string> tablesChanged(Direction direction) {
  if (direction == Direction::Import) return {"PLANTILLA", "daeCENTRO", "CUADROH2", "CUADROH3", "PROFT"};
  std::vector<std::string> tables = dae_import::codeTableNames();
  tables.insert(tables.end(), {"daeCENTRO", "daePLANTILLAS", "daeNIVIMP2", "DIASHORAST", "ASIGNOMT", "PROFT",
                               "AULAT", "GRUPOST", "ASIGT"});
  return tables;
}

// Each table's .DBF and its production index .MDX.
std::vector<std::string> tableFiles(const std::vector<std::string>& tables) {
  std::vector<std::string> files;
  for (const std::string& table : tables) {
    files.push_back(table + ".DBF");
    files.push_back(table + ".MDX");
  }
  return files;
}

const char* operationName(Direction direction) {
  return direction == Direction::Export ? "exportar" : "importar";
}

}  // namespace

safety::CopyRequest safetyCopyRequest(Direction direction, const run::Session& session) {
  // The DAE folder goes into the manifest also for the export, which only
  // reads it: the list of copies tells which folder each run came from.
  safety::CopyRequest request{operationName(direction),
                              session.workFolder,
                              support::pathFromUtf8(session.CarpetaDAE),
                              tableFiles(tablesChanged(direction)),
                              {}};
  if (direction == Direction::Import) request.daeFiles = {"fCUADROS.txt"};
  return request;
}

RunRecord::RunRecord(run::Session& session) : session_(session) {}

RunRecord::~RunRecord() {
  if (open_) end();
  write();
}

void RunRecord::begin(Direction direction, const std::filesystem::path& daeFolder) {
  if (open_) end();
  direction_ = direction;
  open_ = true;
  session_.log.add(direction == Direction::Export ? "==== exportar: de DAE a Orvalin"
                                                  : "==== importar: de Orvalin a DAE");
  session_.log.add("carpeta de trabajo: " + support::displayPath(support::absolutePath(session_.workFolder)));
  session_.log.add("carpeta DAE: " + support::displayPath(support::absolutePath(daeFolder)));
  if (session_.ParamsRecibidos == 2) session_.log.add("arrancado desde Orvalin");
  if (session_.copiesFolder.empty()) session_.copiesFolder = safety::copiesFolder();
}

void RunRecord::keepFiles() {
  const safety::StoredCopy copy =
      safety::makeCopy(session_.copiesFolder, safetyCopyRequest(direction_, session_));
  std::size_t kept = 0;
  for (const safety::KeptFile& file : copy.manifest.files) kept += file.existed ? 1 : 0;
  session_.log.add("copia de seguridad: " + support::displayPath(copy.folder) + " (" + std::to_string(kept) +
                   (kept == 1 ? " archivo guardado)" : " archivos guardados)"));
  safety::pruneCopies(session_.copiesFolder);
}

void RunRecord::resume() {
  open_ = true;
  session_.log.add(std::string("==== sigue: ") + operationName(direction_));
}

void RunRecord::end() {
  open_ = false;
  session_.log.add("resultado: CodigoResultado=" + std::to_string(session_.CodigoResultado));
}

void RunRecord::write() noexcept {
  if (session_.copiesFolder.empty()) return;  // kept until there is a log to write to
  safety::appendToRunLog(safety::runLogFile(session_.copiesFolder), session_.log.takeLines());
}

}  // namespace converter
