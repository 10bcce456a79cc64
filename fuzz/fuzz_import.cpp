// Fuzz target: a whole import (from the host's timetable to the DAE
// timetable file) over the work tables of an export of the bundled sample,
// with a timetable SOLUC made from the input and, at the input's choice,
// some work tables damaged (cut short, bytes changed, or removed) and the
// import run a second time over the first one's tables. The run may end with
// the system's messages or a support::Error; nothing else. Whatever happens,
// "fCUADROS.txt" is never left half written.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "converter/panel_flow.h"
#include "run/session.h"
#include "support/dbase/table.h"
#include "support/error.h"
#include "support/file_system.h"
#include "toolkit/files.h"
#include "whole_flow.h"

namespace {

namespace fs = std::filesystem;

// The export's tables, made once per process, and the short names in them.
struct Baseline {
  fs::path folder;
  std::vector<std::string> teachers;
  std::vector<std::string> groups;
  std::vector<std::string> subjects;
};

std::vector<std::string> column(const fs::path& folder, const std::string& table, const std::string& field) {
  dbase::Table t(folder, table);
  t.open({.readOnly = true});
  std::vector<std::string> values;
  for (t.first(); !t.atEnd(); t.next()) values.push_back(t.text(field));
  return values;
}

const Baseline& baseline() {
  static const Baseline made = [] {
    Baseline b;
    b.folder = fuzz_support::freshFolder(fuzz_support::scratchFolder() / "baseline");
    run::Session session;
    session.workFolder = b.folder;
    session.copiesFolder = fuzz_support::copiesFolder();
    test_support::RecordingDialogs dialogs;
    dialogs.otherAnswers = test_support::alwaysAnswer(false, true);
    converter::PanelFlow flow(session, dialogs);
    flow.BExportarClick(TRANSORVALDAE_SAMPLE_DAE);
    flow.BitBtn1Click();
    flow.FinalRecogida();
    flow.BitBtn3Click();
    if (session.CodigoResultado != 1) std::abort();
    b.teachers = column(b.folder, "PROFT", "ABREV");
    b.groups = column(b.folder, "GRUPOST", "ABREV");
    b.subjects = column(b.folder, "ASIGNOMT", "COD");
    return b;
  }();
  return made;
}

std::string nameFrom(FuzzedDataProvider& input, const std::vector<std::string>& names) {
  if (input.ConsumeBool() && !names.empty())
    return names[input.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)];
  return input.ConsumeRandomLengthString(12);
}

// SOLUC as the host could leave it: numbers as integers or as text.
void writeTimetable(FuzzedDataProvider& input, const fs::path& folder, const Baseline& names) {
  const bool numbersAsText = input.ConsumeBool();
  const auto number = [&](const char* field) {
    return numbersAsText ? dbase::characterField(field, 3) : dbase::integerField(field);
  };
  dbase::Table timetable =
      dbase::recreateTable(folder, {"SOLUC",
                                    {number("DIA"), number("HORA"), number("SESIONES"),
                                     dbase::characterField("PROF", 10), dbase::characterField("CODGRUPO", 10),
                                     dbase::characterField("ASIG", 10), dbase::characterField("AULA", 10),
                                     dbase::characterField("TAREA", 4), dbase::characterField("NALUM", 4)},
                                    {}});
  const int rows = input.ConsumeIntegralInRange(0, 48);
  for (int row = 0; row < rows; ++row) {
    timetable.append();
    for (const char* field : {"DIA", "HORA", "SESIONES"}) {
      const std::int32_t value = input.ConsumeIntegralInRange<std::int32_t>(-1, 12);
      if (!numbersAsText) {
        timetable.setInteger(field, value);
      } else {
        timetable.setText(field,
                          input.ConsumeBool() ? input.ConsumeRandomLengthString(3) : std::to_string(value));
      }
    }
    timetable.setText("PROF", nameFrom(input, names.teachers));
    timetable.setText("CODGRUPO", nameFrom(input, names.groups));
    timetable.setText("ASIG", nameFrom(input, names.subjects));
    timetable.setText("AULA", input.ConsumeRandomLengthString(10));
    timetable.setText("TAREA", input.ConsumeRandomLengthString(4));
    timetable.setText("NALUM", input.ConsumeBool() ? std::string("0") : input.ConsumeRandomLengthString(4));
    timetable.post();
  }
  timetable.close();
}

// Cuts, changes or removes some table files, as a crash or another program might.
void damageTables(FuzzedDataProvider& input, const fs::path& folder) {
  static constexpr std::array<const char*, 9> kTables = {"SOLUC",    "PROFT",      "GRUPOST",
                                                         "ASIGNOMT", "DIASHORAST", "daeCENTRO",
                                                         "CUADROH2", "CUADROH3",   "daeTIPDOC"};
  const int damages = input.ConsumeIntegralInRange(0, 3);
  for (int d = 0; d < damages; ++d) {
    const auto file = support::findNoCase(
        folder, std::string(input.PickValueInArray(kTables)) + (input.ConsumeBool() ? ".DBF" : ".MDX"));
    if (!file) continue;
    std::string bytes = support::readFile(*file);
    switch (input.ConsumeIntegralInRange(0, 2)) {
      case 0:
        bytes.resize(input.ConsumeIntegralInRange<std::size_t>(0, bytes.size()));
        break;
      case 1:
        for (int n = input.ConsumeIntegralInRange(1, 8); n > 0 && !bytes.empty(); --n) {
          bytes[input.ConsumeIntegralInRange<std::size_t>(0, bytes.size() - 1)] =
              static_cast<char>(input.ConsumeIntegral<std::uint8_t>());
        }
        break;
      default:
        fs::remove(*file);
        continue;
    }
    std::ofstream(*file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
}

// A DAE timetable file is whole: a header record, and every record ended by CR LF.
void checkTimetableFile(const fs::path& file) {
  if (!fs::exists(file)) return;
  const std::string text = support::readFile(file);
  if (text.substr(0, 3) != "1CH" || text.size() < 2 || text.substr(text.size() - 2) != "\r\n") std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Baseline& names = baseline();
  const fs::path dae = fuzz_support::freshFolder(fuzz_support::scratchFolder() / "dae");
  const fs::path work = fuzz_support::freshFolder(fuzz_support::scratchFolder() / "work");
  test_support::copyFiles(names.folder, work);
  FuzzedDataProvider input(data, size);
  const int runs = input.ConsumeBool() ? 2 : 1;
  writeTimetable(input, work, names);
  damageTables(input, work);
  test_support::RecordingDialogs dialogs;
  dialogs.otherAnswers = fuzz_support::answersFrom(input);
  for (int pass = 0; pass < runs; ++pass) {
    run::Session session;
    session.workFolder = work;
    session.copiesFolder = fuzz_support::copiesFolder();
    try {
      converter::PanelFlow flow(session, dialogs);
      flow.BImportarClick(dae);
      if (flow.state() == converter::PanelState::Centre) {
        for (const char* field : {"CODCENTRO", "ANOACAD", "VERSION"}) {
          flow.centreTable().setText(field, input.ConsumeRandomLengthString(6));
        }
        flow.BitBtn1Click();
      }
    } catch (const support::Error& error) {
      fuzz_support::checkError(error);
    }
    fuzz_support::checkShown(dialogs);
    checkTimetableFile(dae / "fCUADROS.txt");
  }
  return 0;
}
