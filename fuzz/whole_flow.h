// Shared by the fuzz targets that drive a whole direction of the converter:
// a scratch folder for this process, answers to the questions taken from the
// fuzz input, and the check that stops the run (abort) on any text that is
// none of the system's own messages or questions. A support::Error with a
// text is the other accepted outcome; anything else thrown escapes and is
// reported as a crash.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "dae_export/import_run.h"
#include "toolkit/recording_dialogs.h"

namespace fuzz_support {

namespace fs = std::filesystem;

// A folder of this process, created on first use and reused by every input;
// on a memory file system when there is one, since tables are synced to disk.
inline const fs::path& scratchFolder() {
  static const fs::path folder = [] {
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    fs::path made = base / ("transorvaldae-fuzz-" + std::to_string(::getpid()));
    fs::remove_all(made);
    fs::create_directories(made);
    return made;
  }();
  return folder;
}

// Where the runs of this process keep their safety copies (and the run log
// beside them): never the user's own copies folder.
inline fs::path copiesFolder() { return scratchFolder() / "copias"; }

// folder, present and empty.
inline fs::path freshFolder(const fs::path& folder) {
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

inline bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

inline bool knownMessage(const std::string& text) {
  static const char* const kTexts[] = {
      "No existe la carpeta",
      "Proceso finalizado",
      "!!ATENCIÓN!! El Proceso NO ha finalizado Correctamente",
      "No existe archivo del Centro (daeCENTRO.DBF)",
      "No existe archivo de Niveles (daeNIVIMP.DBF)",
      "Pero podrá Crear su Plantilla Horaria, cuando Exporte la Solución del Horario.",
      "Abreviatura en Castellano Repetida - Compruébelo.",
      "Abreviatura en Euskera Repetida - Compruébelo.",
  };
  for (const char* known : kTexts) {
    if (text == known) return true;
  }
  // The missing-file messages, one per DAE file.
  return startsWith(text, "No existe archivo DAE ") && text.back() == ')';
}

inline bool knownQuestion(const std::string& text) {
  return text == dae_export::kKeepPreviousQuestion || text == dae_export::kStraightToCodingQuestion ||
         text.find("Todavía hay algún Profesor SIN DOCumento(DNI).") != std::string::npos;
}

// The one OK/Cancel question, the carry-over, as the dialogs record it.
inline bool knownOkCancel(const std::string& box) {
  return startsWith(box, "Recuperación de Niveles y Cursos importados anteriormente|");
}

// Answers every question from the fuzz input, a Yes/No question also with the
// box closed; a question that is none of the system's own stops the run.
inline test_support::AnswerRule answersFrom(FuzzedDataProvider& input) {
  return [&input](test_support::Question question, const std::string& box) -> test_support::ScriptedAnswer {
    if (question == test_support::Question::OkCancel) {
      if (!knownOkCancel(box)) std::abort();
      return input.ConsumeBool();
    }
    if (!knownQuestion(box)) std::abort();
    return input.PickValueInArray({run::Answer::Yes, run::Answer::No, run::Answer::Closed});
  };
}

// Every box shown so far is one of the system's own messages or questions.
inline void checkShown(const test_support::RecordingDialogs& dialogs) {
  for (const std::string& box : dialogs.shown) {
    if (!knownMessage(box) && !knownQuestion(box) && !knownOkCancel(box)) std::abort();
  }
}

// An error must say what went wrong.
inline void checkError(const std::exception& error) {
  if (std::string_view(error.what()).empty()) std::abort();
}

}  // namespace fuzz_support
