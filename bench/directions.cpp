#include "bench/directions.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bench/io_floor.h"
#include "converter/run_record.h"
#include "dae_export/class_hours.h"
#include "dae_export/coding_editor.h"
#include "dae_export/coding_rules.h"
#include "dae_import/centre.h"
#include "dae_import/code_tables.h"
#include "dae_import/hour_templates.h"
#include "dae_import/study_levels.h"
#include "dae_import/table_files.h"
#include "run/session.h"
#include "safety/safety_copy.h"
#include "support/dbase/table.h"
#include "support/error.h"
#include "support/file_system.h"
#include "timetabler_tables/assignments.h"
#include "timetabler_tables/groups.h"
#include "timetabler_tables/rooms.h"
#include "timetabler_tables/subjects.h"
#include "timetabler_tables/teachers.h"
#include "toolkit/recording_dialogs.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

// Keeps what the run says; answers every question as the batch front end's
// defaults do (rebuild the work tables, restore remembered level names).
test_support::RecordingDialogs quietDialogs() {
  test_support::RecordingDialogs dialogs;
  dialogs.otherAnswers = test_support::alwaysAnswer(false, true);
  return dialogs;
}

run::Session sessionFor(const fs::path& daeFolder, const fs::path& workFolder) {
  run::Session session;
  session.workFolder = workFolder;
  session.CarpetaDAE = daeFolder.string() + static_cast<char>(fs::path::preferred_separator);
  session.CodigoResultado = 1;
  return session;
}

// The tables the import reads besides SOLUC: the timetabler's, the class
// hours' source, the centre and the coding editor's code lists.
const std::vector<std::string> kImportInputs = {"SOLUC",      "PROFT",      "GRUPOST",   "ASIGNOMT",
                                                "DIASHORAST", "daeCENTRO",  "daeTIPDOC", "daeTIPTAR",
                                                "daeNIVIMP",  "daeASIGNAT", "daeIDIOMA", "daeOTRACT"};

std::vector<fs::path> tableFiles(const fs::path& folder, const std::vector<std::string>& tables) {
  std::vector<fs::path> files;
  for (const std::string& table : tables) {
    for (const char* extension : {".DBF", ".MDX"}) {
      if (auto file = support::findNoCase(folder, table + extension)) files.push_back(*file);
    }
  }
  return files;
}

std::vector<fs::path> allFiles(const FolderSnapshot& files) {
  std::vector<fs::path> paths;
  for (const auto& [path, state] : files) paths.push_back(path);
  return paths;
}

// What the user does in the coding editor's teachers grid: types a
// document for each teacher, row after row; each differs from the one the
// timetable brought, so that every timetable record is written again.
// Returns the number of teachers.
std::size_t typeEveryDocument(dae_export::CodingTables& tables) {
  std::vector<std::string> teachers;
  for (tables.teachers.first(); !tables.teachers.atEnd(); tables.teachers.next()) {
    teachers.push_back(tables.teachers.text("ABREV"));
  }
  for (std::size_t i = 0; i < teachers.size(); ++i) {
    if (!dae_export::enterTeacherDocument(tables, teachers[i], "DNI", std::to_string(70000000 + i) + "Z")) {
      throw support::Error("PROFT no tiene el profesor " + teachers[i]);
    }
  }
  return teachers.size();
}

// The run's safety copy, made as a run makes it, as its first step: "N
// files, X MB" kept.
void safetyCopyStep(DirectionRun& run, converter::Direction direction, const run::Session& session) {
  safety::StoredCopy copy;
  run.step(
      "safety copy",
      [&] {
        copy = safety::makeCopy(session.workFolder.parent_path() / "copias",
                                converter::safetyCopyRequest(direction, session));
      },
      [&] {
        std::uintmax_t files = 0;
        std::uintmax_t bytes = 0;
        for (const safety::KeptFile& kept : copy.manifest.files) {
          files += kept.existed ? 1 : 0;
          bytes += kept.size;
        }
        char text[64];
        std::snprintf(text, sizeof text, "%ju files, %.1f MB", files,
                      static_cast<double>(bytes) / (1024.0 * 1024.0));
        return std::string(text);
      });
}

std::string lineCount(const fs::path& file) {
  const std::string text = support::readFile(file);
  return grouped(static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n')));
}

}  // namespace

DirectionRun runExport(const fs::path& daeFolder, const fs::path& workFolder, std::string name) {
  DirectionRun run;
  run.name = std::move(name);
  startPeakMemory();
  test_support::RecordingDialogs dialogs = quietDialogs();
  run::Session session = sessionFor(daeFolder, workFolder);
  const auto rows = [&](const char* table) {
    return [&workFolder, table] { return recordCount(workFolder, table); };
  };

  safetyCopyStep(run, converter::Direction::Export, session);

  run.step(
      "ASIGT and DIASHORAST dropped",
      [&] {
        dae_import::deleteTableFile(workFolder, "ASIGT");
        dae_import::deleteTableFile(workFolder, "DIASHORAST");
      },
      nullptr);
  for (const std::string& table : dae_import::codeTableNames()) {
    run.step(
        table, [&] { dae_import::loadCodeTable(session, dialogs, table); },
        [&] { return recordCount(workFolder, table); });
  }
  run.step(
      "daeCENTRO", [&] { dae_import::loadCentreHeader(session, dialogs); }, rows("daeCENTRO"));
  run.step(
      "daePLANTILLAS", [&] { dae_import::listTemplates(session, dialogs); }, rows("daePLANTILLAS"));

  dbase::Table centre(workFolder, "daeCENTRO");
  dbase::Table levels(workFolder, "daeNIVIMP");
  run.step(
      "centre panel and levels (daeNIVIMP2)",
      [&] {
        dae_import::MuestraCentro(session, dialogs, centre);
        dae_import::DatosNivel(session, dialogs, centre, levels, [] {});
        dae_import::FinalRecogida(session, dialogs, levels);
      },
      rows("daeNIVIMP2"));
  dbase::Table templates(workFolder, "daePLANTILLAS");
  run.step(
      "DIASHORAST",
      [&] {
        dae_import::AbrePlantillasDAE(templates);
        dae_import::buildDaysAndHours(session, dialogs, templates);
      },
      rows("DIASHORAST"));

  run.step(
      "ASIGNOMT", [&] { timetabler_tables::CreaAsignaturas(session, dialogs); }, rows("ASIGNOMT"));
  run.step(
      "PROFT", [&] { timetabler_tables::CreaProfesores(session, dialogs); }, rows("PROFT"));
  run.step(
      "AULAT", [&] { timetabler_tables::CreaAulas(session, dialogs); }, rows("AULAT"));
  run.step(
      "GRUPOST", [&] { timetabler_tables::CreaGrupos(session, dialogs); }, rows("GRUPOST"));
  run.step(
      "ASIGT",
      [&] {
        timetabler_tables::CreaAsignaciones(session, dialogs);
        levels.close();
      },
      rows("ASIGT"));
  run.messages = dialogs.shown;
  if (session.CodigoResultado != 1)
    run.messages.push_back("CodigoResultado=" + std::to_string(session.CodigoResultado));

  run.peakKilobytes = peakResidentKilobytes();
  const FolderSnapshot inputs = snapshot(daeFolder);
  run.floor = measureIoFloor(allFiles(inputs), allFiles(snapshot(workFolder)), workFolder / "io-floor");
  return run;
}

DirectionRun runImport(const fs::path& daeFolder, const fs::path& workFolder, dae_export::WorkTables tables) {
  const bool keep = tables == dae_export::WorkTables::Keep;
  DirectionRun run;
  run.name = keep ? "import, work tables kept" : "import, work tables rebuilt";
  startPeakMemory();
  test_support::RecordingDialogs dialogs = quietDialogs();
  run::Session session = sessionFor(daeFolder, workFolder);
  const FolderSnapshot before = snapshot(workFolder);
  std::vector<std::string> inputs = kImportInputs;
  if (keep) inputs.insert(inputs.end(), {"CUADROH2", "CUADROH3"});
  const std::vector<fs::path> inputFiles = tableFiles(workFolder, inputs);
  const auto rows = [&](const char* table) {
    return [&workFolder, table] { return recordCount(workFolder, table); };
  };

  safetyCopyStep(run, converter::Direction::Import, session);
  run.step(
      "PLANTILLA", [&] { dae_export::buildClassHours(workFolder); }, rows("PLANTILLA"));
  // As the import runs them: the work tables stay open from the build until
  // the editor has opened them.
  std::optional<dae_export::OpenTimetableTables> built;
  run.step(
      "CUADROH2 and CUADROH3",
      [&] { built = dae_export::buildTimetableTablesForEditing(workFolder, tables); },
      [&] { return recordCount(workFolder, "CUADROH2") + " + " + recordCount(workFolder, "CUADROH3"); });
  std::optional<dae_export::CodingEditor> editor;
  run.step(
      "coding editor opened",
      [&] {
        editor.emplace(session, dialogs, session.CarpetaDAE);
        built->close();
      },
      nullptr);
  std::size_t teachers = 0;
  run.step(
      "a document typed for every teacher", [&] { teachers = typeEveryDocument(editor->tables()); },
      [&] { return grouped(teachers); });
  const fs::path file = daeFolder / "fCUADROS.txt";
  run.step(
      "&Terminar: fCUADROS.txt, tables closed",
      [&] {
        if (!editor->Terminar()) throw support::Error("el editor no se cerró");
      },
      [&] { return lineCount(file); });

  run.messages = dialogs.shown;
  run.peakKilobytes = peakResidentKilobytes();
  std::vector<fs::path> outputs = changedFiles(before, snapshot(workFolder));
  outputs.push_back(file);
  run.floor = measureIoFloor(inputFiles, outputs, workFolder / "io-floor");
  return run;
}

}  // namespace bench
