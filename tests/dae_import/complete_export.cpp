#include "dae_import/complete_export.h"

#include "toolkit/fixed_record.h"

namespace dae_test {

using test_support::fixedRecord;

std::string templateHeader(const std::string& code, const std::string& name) {
  return fixedRecord(59, {{1, "1"}, {2, code}, {10, name}});
}

std::string periodRecord(const std::string& period, const std::string& day, const std::string& start,
                         const std::string& end, const std::string& breakMark) {
  return "2" + period + day + start + end + breakMark;
}

void writeCompleteExport(const test_support::Workspace& workspace) {
  workspace.writeDaeFile(
      "T13.txt",
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
  workspace.writeDaeFile("V55T12.txt", fixedRecord(128, {{1, "ESO1P1000001"},
                                                         {13, "ESO"},
                                                         {17, "0000"},
                                                         {21, "D"},
                                                         {25, "1"},
                                                         {29, "Primero de ESO"},
                                                         {79, "DBH lehena"}}));
  workspace.writeDaeFile("V55T35.txt", fixedRecord(34, {{1, "A"}, {5, "Modelo A"}, {21, "A eredua"}}));
  workspace.writeDaeFile("V55T15W18T54_1.txt", fixedRecord(260, {{1, "MAT"},
                                                                 {9, "Matem\xE1ticas"},
                                                                 {109, "Matematika"},
                                                                 {209, "Mat"},
                                                                 {229, "Mate"},
                                                                 {249, "MAT"},
                                                                 {253, "MATE"},
                                                                 {257, "OBL"}}));
  workspace.writeDaeFile(
      "T07.txt",
      fixedRecord(243, {{1, "001"}, {4, "Guardia"}, {104, "Zaintza"}, {204, "Guard"}, {224, "Zain"}}));
  workspace.writeDaeFile("V55T86.txt",
                         fixedRecord(204, {{1, "DNI"}, {5, "Documento nacional"}, {105, "Nortasun agiria"}}));
  workspace.writeDaeFile("V55T11.txt", fixedRecord(148, {{1, "ESO"},
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
  workspace.writeDaeFile("V55T14.txt", fixedRecord(104, {{1, "0000"}, {5, "General"}, {55, "Orokorra"}}));
  workspace.writeDaeFile(
      "T55.txt",
      fixedRecord(210, {{1, "ES"}, {3, "Castellano"}, {103, "Gaztelania"}, {203, "CAS"}, {207, "GAZ"}}));
  workspace.writeDaeFile("profesorado.txt", "XXX0123452024");
  workspace.writeDaeFile(
      "PLANTILLAS.txt",
      templateHeader("A",
                     "Ma\xF1"
                     "ana") +
          periodRecord("01", "1", "08:00", "08:55") + periodRecord("02", "1", "08:55", "09:50") +
          templateHeader("PLANB", "Tarde") + periodRecord("01", "3", "15:00", "15:50") +
          periodRecord("02", "3", "15:50", "16:20", "S") + periodRecord("10", "2", "16:20", "17:10"));
  workspace.writeDaeFile("AULAS.txt", "");
  workspace.writeDaeFile("GRUPOS.txt", "");
  workspace.writeDaeFile("V55T15W18T54_2.txt", "");
}

std::string restoreQuestion() {
  return "Recuperación de Niveles y Cursos importados anteriormente|"
         "Existen Niveles y Cursos ya definidos de una Importación anterior.\n\r"
         "¿Quiere recuperar las codificaciones introducidas anteriormente?";
}

}  // namespace dae_test
