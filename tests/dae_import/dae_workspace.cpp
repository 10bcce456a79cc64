#include "dae_import/dae_workspace.h"

#include <fstream>
#include <random>
#include <system_error>

#include "support/dbase/table.h"

namespace dae_test {
namespace fs = std::filesystem;

std::string fixedRecord(std::size_t length, const std::vector<std::pair<int, std::string>>& fields) {
  std::string record(length, ' ');
  for (const auto& [start, text] : fields)
    record.replace(static_cast<std::size_t>(start) - 1, text.size(), text);
  record.resize(length);
  return record;
}

std::string templateHeader(const std::string& code, const std::string& name) {
  return fixedRecord(59, {{1, "1"}, {2, code}, {10, name}});
}

std::string periodRecord(const std::string& period, const std::string& day, const std::string& start,
                         const std::string& end, const std::string& breakMark) {
  return "2" + period + day + start + end + breakMark;
}

DaeWorkspace::DaeWorkspace() {
  std::random_device random;
  root_ = fs::temp_directory_path() / ("transorvaldae-export-" + std::to_string(random()));
  dae_ = root_ / "dae";
  work_ = root_ / "work";
  fs::create_directories(dae_);
  fs::create_directories(work_);
}

DaeWorkspace::~DaeWorkspace() {
  std::error_code ec;
  fs::remove_all(root_, ec);
}

void DaeWorkspace::write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(dae_ / name, std::ios::binary | std::ios::trunc);
  out << bytes;
}

void DaeWorkspace::remove(const std::string& name) const { fs::remove(dae_ / name); }

bool DaeWorkspace::workFileExists(const std::string& name) const { return fs::exists(work_ / name); }

void DaeWorkspace::writeCompleteExport() const {
  write("T13.txt",
        fixedRecord(508, {{1, "L"},
                          {2, "0101"},
                          {6, "N"},
                          {7,
                           "Tutor\xED"
                           "a"},
                          {257, "Tutoretza"},
                          {507, "1"},
                          {508, "S"}}) +
            fixedRecord(508, {{1, "N"}, {2, "0202"}, {6, "S"}, {7, "Refuerzo"}, {257, "Indartzea"}}));
  write("V55T12.txt", fixedRecord(128, {{1, "ESO1P1000001"},
                                        {13, "ESO"},
                                        {17, "0000"},
                                        {21, "D"},
                                        {25, "1"},
                                        {29, "Primero de ESO"},
                                        {79, "DBH lehena"}}));
  write("V55T35.txt", fixedRecord(34, {{1, "A"}, {5, "Modelo A"}, {21, "A eredua"}}));
  write("V55T15W18T54_1.txt", fixedRecord(260, {{1, "MAT"},
                                                {9, "Matem\xE1ticas"},
                                                {109, "Matematika"},
                                                {209, "Mat"},
                                                {229, "Mate"},
                                                {249, "MAT"},
                                                {253, "MATE"},
                                                {257, "OBL"}}));
  write("T07.txt",
        fixedRecord(243, {{1, "001"}, {4, "Guardia"}, {104, "Zaintza"}, {204, "Guard"}, {224, "Zain"}}));
  write("V55T86.txt", fixedRecord(204, {{1, "DNI"}, {5, "Documento nacional"}, {105, "Nortasun agiria"}}));
  write("V55T11.txt", fixedRecord(148, {{1, "ESO"},
                                        {5, "P1"},
                                        {9, "Educaci\xF3n Secundaria"},
                                        {59, "Derrigorrezko"},
                                        {109, "Secundaria"},
                                        {129, "DBH"}}) +
                          fixedRecord(148, {{1, "BACH"},
                                            {5, "P2"},
                                            {9, "Bachillerato"},
                                            {59, "Batxilergoa"},
                                            {109, "Bachillerato"},
                                            {129, "Batxilergoa"}}));
  write("V55T14.txt", fixedRecord(104, {{1, "0000"}, {5, "General"}, {55, "Orokorra"}}));
  write("T55.txt",
        fixedRecord(210, {{1, "ES"}, {3, "Castellano"}, {103, "Gaztelania"}, {203, "CAS"}, {207, "GAZ"}}));
  write("profesorado.txt", "XXX0123452024");
  write("PLANTILLAS.txt",
        templateHeader("A",
                       "Ma\xF1"
                       "ana") +
            periodRecord("01", "1", "08:00", "08:55") + periodRecord("02", "1", "08:55", "09:50") +
            templateHeader("PLANB", "Tarde") + periodRecord("01", "3", "15:00", "15:50") +
            periodRecord("02", "3", "15:50", "16:20", "S") + periodRecord("10", "2", "16:20", "17:10"));
  write("AULAS.txt", "");
  write("GRUPOS.txt", "");
  write("V55T15W18T54_2.txt", "");
}

converter::Session DaeWorkspace::session() const {
  converter::Session session;
  session.CarpetaDAE = (dae_ / "").string();
  session.workFolder = work_;
  return session;
}

Rows readRows(const fs::path& workFolder, const std::string& table, const std::vector<std::string>& fields) {
  dbase::Table t(workFolder, table);
  t.open({false, true});
  Rows rows;
  for (t.first(); !t.atEnd(); t.next()) {
    std::vector<std::string> row;
    for (const std::string& field : fields) row.push_back(t.text(field));
    rows.push_back(row);
  }
  return rows;
}

std::string restoreQuestion() {
  return "Recuperación de Niveles y Cursos importados anteriormente|"
         "Existen Niveles y Cursos ya definidos de una Importación anterior.\n\r"
         "¿Quiere recuperar las codificaciones introducidas anteriormente?";
}

}  // namespace dae_test
