// The process-wide values of one run of the converter, the choices made on
// the main window that the builders read, and the cursor the steps set. There is one Session per process;
// whoever needs it gets it by reference.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "run/run_log.h"

namespace run {

// FlagPaso, and the coding editor's ResultadoAjuste, when the import's coding
// editor ended without writing the DAE timetable file.
inline constexpr std::int32_t kEndedWithoutFile = 4;

struct Session {
  // 2 when hosted (started with exactly two arguments), 0 otherwise.
  std::int32_t ParamsRecibidos = 0;
  // Handed to the host at close: 1 a run reached its end, -1 an input was
  // missing during the export, 0 nothing was transformed.
  std::int32_t CodigoResultado = 0;
  // Step flag of the panel flow: 0, 1 or kEndedWithoutFile.
  std::int32_t FlagPaso = 0;
  // The chosen DAE folder followed by one path separator; DAE files are
  // opened as CarpetaDAE + file name.
  std::string CarpetaDAE;
  // The text of the language box; exactly "EUSKERA" selects the Basque texts.
  std::string language = "EUSKERA";
  // "de ENTIDAD PÚBLICA:" checked (else "PRIVADO o CONCERTADO:").
  bool publicCentre = true;
  // Where every work table lives.
  std::filesystem::path workFolder;
  // The busy (hourglass) cursor over the windows, set while a long step runs
  // and ended before the step's final message.
  bool busyCursor = false;
  // Where the safety copies of the work folder go (the run log beside it);
  // empty: the system's copies folder, found when a run starts.
  std::filesystem::path copiesFolder;
  // What this run did, for the run log.
  RunLog log;

  bool euskera() const { return language == "EUSKERA"; }
};

}  // namespace run
