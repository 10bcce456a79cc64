// Fuzz target: a whole export (from a DAE folder to the timetabler's tables)
// on a DAE folder made from the input, run through the panel flow as the
// window runs it. The input is a flags byte (bit 0: Castellano instead of
// Euskera, bit 1: private centre, bit 2: export a second time over the
// first's tables), then each DAE file in a fixed order as a 2-byte
// little-endian length and that many bytes (length 0xFFFF: the file is
// missing), then the answers to the questions asked. The run may end with
// the system's messages or a support::Error; nothing else.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "converter/panel_flow.h"
#include "run/session.h"
#include "support/error.h"
#include "whole_flow.h"

namespace {

namespace fs = std::filesystem;

constexpr std::array<const char*, 15> kDaeFiles = {
    "T13.txt",    "V55T12.txt", "V55T35.txt",        "V55T15W18T54_1.txt", "T07.txt",        "V55T86.txt",
    "V55T11.txt", "V55T14.txt", "T55.txt",           "profesorado.txt",    "PLANTILLAS.txt", "T02.txt",
    "AULAS.txt",  "GRUPOS.txt", "V55T15W18T54_2.txt"};
constexpr std::uint16_t kMissing = 0xFFFF;

// Writes the DAE files framed in input; returns where the answers begin.
std::string_view writeDaeFolder(std::string_view input, const fs::path& folder) {
  for (const char* name : kDaeFiles) {
    if (input.size() < 2) break;
    const auto length = static_cast<std::uint16_t>(static_cast<unsigned char>(input[0]) |
                                                   static_cast<unsigned char>(input[1]) << 8);
    input.remove_prefix(2);
    if (length == kMissing) continue;
    const std::string_view bytes = input.substr(0, length);
    input.remove_prefix(bytes.size());
    std::ofstream(folder / name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  return input;
}

// The export as the batch front end drives it: each step's button once.
void exportOnce(run::Session& session, run::Dialogs& dialogs, const fs::path& daeFolder, std::uint8_t flags) {
  converter::PanelFlow flow(session, dialogs);
  flow.setLanguage(flags & 1 ? "CASTELLANO" : "EUSKERA");
  flow.setPrivateChecked(flags & 2);
  flow.BExportarClick(daeFolder);
  flow.BitBtn1Click();
  flow.FinalRecogida();
  flow.BitBtn3Click();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const fs::path dae = fuzz_support::freshFolder(fuzz_support::scratchFolder() / "dae");
  const fs::path work = fuzz_support::freshFolder(fuzz_support::scratchFolder() / "work");
  const std::uint8_t flags = data[0];
  const std::string_view rest =
      writeDaeFolder(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), dae);
  FuzzedDataProvider answers(reinterpret_cast<const std::uint8_t*>(rest.data()), rest.size());
  test_support::RecordingDialogs dialogs;
  dialogs.otherAnswers = fuzz_support::answersFrom(answers);
  for (int pass = 0; pass < (flags & 4 ? 2 : 1); ++pass) {
    run::Session session;
    session.workFolder = work;
    session.copiesFolder = fuzz_support::copiesFolder();
    try {
      exportOnce(session, dialogs, dae, flags);
    } catch (const support::Error& error) {
      fuzz_support::checkError(error);
    }
    fuzz_support::checkShown(dialogs);
  }
  return 0;
}
