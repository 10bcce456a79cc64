#include "dae_import/code_tables.h"

#include <set>
#include <string>

#include "dae_import/dae_file.h"
#include "run/session.h"
#include "support/dbase/table.h"
#include "support/error.h"
#include "support/text.h"

namespace dae_import {
namespace {

// Where a table field comes from in the record; start 0 means it is not in
// the file and stays empty.
struct FieldCut {
  const char* name;
  int tableWidth;
  int start;
  int width;
};

// Both filters look at the table's first field.
enum class RecordFilter {
  None,
  TaskTypesOnly,  // only records whose type is "L" or "N" give rows
  FirstCodeWins,  // a code already written in this run is skipped
};

struct CodeTable {
  const char* fileName;
  const char* missingMessage;
  const char* tableName;
  int recordLength;
  RecordFilter filter;
  std::vector<FieldCut> fields;
};

const std::vector<FieldCut> kStudyLevelCuts = {
    {"COD", 4, 1, 4},           {"PLAN", 4, 5, 4},          {"DESCCAST", 50, 9, 50}, {"DESCEUSK", 50, 59, 50},
    {"DESCCASTR", 20, 109, 20}, {"DESCEUSKR", 20, 129, 20}, {"ABREVCAST", 5, 0, 0},  {"ABREVEUSK", 5, 0, 0},
};

// In loading order; none of the files has a header.
const std::vector<CodeTable>& codeTables() {
  static const std::vector<CodeTable> tables = {
      {"T13.txt",
       "No existe archivo DAE (T13.TXT)",
       "daeTIPTAR",
       508,
       RecordFilter::TaskTypesOnly,
       {{"TIPTAR", 1, 1, 1},
        {"COD", 4, 2, 4},
        {"REFUERZO", 1, 6, 1},
        {"DESCCAST", 250, 7, 250},
        {"DESCEUSK", 250, 257, 250},
        {"NIVEL", 1, 507, 1},
        {"OTRACTIV", 1, 508, 1}}},
      {"V55T12.txt",
       "No existe archivo DAE (V55T12.txt)",
       "daeCURSOS",
       128,
       RecordFilter::None,
       {{"NIVPLANCURSO", 12, 1, 12},
        {"NIVEL", 4, 13, 4},
        {"ESPECIALIDAD", 4, 17, 4},
        {"TURNO", 4, 21, 4},
        {"CURSO", 4, 25, 4},
        {"DESCCAST", 50, 29, 50},
        {"DESCEUSK", 50, 79, 50}}},
      // Position 20 of a model record is not read: the Basque text starts at 21.
      {"V55T35.txt",
       "No existe archivo DAE (V55T35.txt)",
       "daeMODELOS",
       34,
       RecordFilter::None,
       {{"COD", 4, 1, 4}, {"DESCCAST", 15, 5, 15}, {"DESCEUSK", 15, 21, 15}}},
      {"V55T15W18T54_1.txt",
       "No existe archivo DAE (V55T15W18T54_1.txt)",
       "daeASIGNAT",
       260,
       RecordFilter::None,
       {{"COD", 8, 1, 8},
        {"DESCCAST", 100, 9, 100},
        {"DESCEUSK", 100, 109, 100},
        {"DESCCASTR", 20, 209, 20},
        {"DESCEUSKR", 20, 229, 20},
        {"CODCAST", 4, 249, 4},
        {"CODEUSK", 4, 253, 4},
        {"TIPOASIG", 4, 257, 4}}},
      // The activity code has 3 characters in the file and 4 in the table.
      {"T07.txt",
       "No existe archivo DAE (T07.txt)",
       "daeOTRACT",
       243,
       RecordFilter::None,
       {{"COD", 4, 1, 3},
        {"DESCCAST", 100, 4, 100},
        {"DESCEUSK", 100, 104, 100},
        {"DESCCASTR", 20, 204, 20},
        {"DESCEUSKR", 20, 224, 20}}},
      {"V55T86.txt",
       "No existe archivo DAE (V55T86.TXT)",
       "daeTIPDOC",
       204,
       RecordFilter::None,
       {{"COD", 4, 1, 4}, {"DESCCAST", 100, 5, 100}, {"DESCEUSK", 100, 105, 100}}},
      {"V55T11.txt", "No existe archivo DAE (V55T11.txt)", "daeNIVIMP", 148, RecordFilter::FirstCodeWins,
       kStudyLevelCuts},
      {"V55T14.txt",
       "No existe archivo DAE (V55T14.txt)",
       "daeESPECI",
       104,
       RecordFilter::None,
       {{"COD", 4, 1, 4}, {"DESCCAST", 50, 5, 50}, {"DESCEUSK", 50, 55, 50}}},
      {"T55.txt",
       "No existe archivo DAE (T55.txt)",
       "daeIDIOMA",
       210,
       RecordFilter::None,
       {{"IDIOMA", 2, 1, 2},
        {"DESCCAST", 100, 3, 100},
        {"DESCEUSK", 100, 103, 100},
        {"DESCCASTR", 4, 203, 4},
        {"DESCEUSKR", 4, 207, 4}}},
  };
  return tables;
}

std::vector<dbase::FieldDef> fieldDefs(const std::vector<FieldCut>& cuts) {
  std::vector<dbase::FieldDef> fields;
  for (const FieldCut& cut : cuts) fields.push_back(dbase::characterField(cut.name, cut.tableWidth));
  return fields;
}

// The row's values in field order: cut, then trimmed; not-read fields empty.
std::vector<dbase::Value> cutRow(std::string_view record, const std::vector<FieldCut>& cuts) {
  std::vector<dbase::Value> row;
  for (const FieldCut& cut : cuts) {
    row.emplace_back(cut.start == 0 ? std::string()
                                    : support::QuitaBlancos(cutField(record, cut.start, cut.width)));
  }
  return row;
}

// Why the filter leaves the record out, or nullptr when it keeps it. Letter
// case counts in both filters.
const char* leftOutBecause(RecordFilter filter, const std::string& firstField,
                           std::set<std::string>& codesWritten) {
  switch (filter) {
    case RecordFilter::None:
      return nullptr;
    case RecordFilter::TaskTypesOnly:
      return firstField == "L" || firstField == "N" ? nullptr : "tipo distinto de L y N";
    case RecordFilter::FirstCodeWins:
      return codesWritten.insert(firstField).second ? nullptr : "código repetido";
  }
  return nullptr;
}

bool loadCodeTable(run::Session& session, run::Dialogs& dialogs, const CodeTable& codeTable) {
  const std::optional<std::string> line =
      readDaeInput(session, dialogs, codeTable.fileName, codeTable.missingMessage);
  if (!line) return false;
  dbase::Table table =
      dbase::recreateTable(session.workFolder, {codeTable.tableName, fieldDefs(codeTable.fields), {}});
  std::set<std::string> codesWritten;
  run::SkippedRecords skipped;
  forEachRecord(*line, 1, codeTable.recordLength, [&](std::string_view record) {
    std::vector<dbase::Value> row = cutRow(record, codeTable.fields);
    const std::string& firstField = std::get<std::string>(row.front());
    if (const char* reason = leftOutBecause(codeTable.filter, firstField, codesWritten)) {
      skipped.skip(reason, firstField);
    } else {
      table.appendRecord(row);
    }
  });
  skipped.report(session.log, codeTable.fileName);
  session.log.rowsWritten(codeTable.tableName, table.recordCount());
  return true;
}

}  // namespace

const std::vector<dbase::FieldDef>& studyLevelFields() {
  static const std::vector<dbase::FieldDef> fields = fieldDefs(kStudyLevelCuts);
  return fields;
}

bool loadCodeTables(run::Session& session, run::Dialogs& dialogs) {
  for (const CodeTable& codeTable : codeTables()) {
    if (!loadCodeTable(session, dialogs, codeTable)) return false;
  }
  return true;
}

std::vector<std::string> codeTableNames() {
  std::vector<std::string> names;
  for (const CodeTable& codeTable : codeTables()) names.emplace_back(codeTable.tableName);
  return names;
}

bool loadCodeTable(run::Session& session, run::Dialogs& dialogs, std::string_view tableName) {
  for (const CodeTable& codeTable : codeTables()) {
    if (codeTable.tableName == tableName) return loadCodeTable(session, dialogs, codeTable);
  }
  throw support::Error("No hay tabla de códigos DAE " + std::string(tableName));
}

}  // namespace dae_import
