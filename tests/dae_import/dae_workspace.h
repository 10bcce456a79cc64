// Test support for the export: a DAE folder and an empty work folder under
// the system's temporary folder (removed afterwards), DAE records written
// from a few fields, a complete small DAE export, a Dialogs that records what
// it is shown, and reading a work table back as text.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "converter/dialogs.h"
#include "converter/session.h"

namespace dae_test {

// A record of length blanks with each text written from its 1-based start.
// Texts are Windows-1252 bytes.
std::string fixedRecord(std::size_t length, const std::vector<std::pair<int, std::string>>& fields);

// An hour-template header (59 characters) and a period record (15).
std::string templateHeader(const std::string& code, const std::string& name);
std::string periodRecord(const std::string& period, const std::string& day, const std::string& start,
                         const std::string& end, const std::string& breakMark = "N");

class DaeWorkspace {
 public:
  DaeWorkspace();
  ~DaeWorkspace();
  DaeWorkspace(const DaeWorkspace&) = delete;
  DaeWorkspace& operator=(const DaeWorkspace&) = delete;

  const std::filesystem::path& daeFolder() const { return dae_; }
  const std::filesystem::path& workFolder() const { return work_; }

  // Writes bytes as the DAE file name (replacing it).
  void write(const std::string& name, const std::string& bytes) const;
  void remove(const std::string& name) const;
  bool workFileExists(const std::string& name) const;

  // Writes every file an export reads: the nine code lists, the teachers
  // file with the header of centre 012345 year 2024 and no teachers, two
  // hour templates (A: two periods, PLANB: three), and empty rooms, groups
  // and assignments files. The study levels are ESO and BACH.
  void writeCompleteExport() const;

  // A session on these folders, standalone.
  converter::Session session() const;

 private:
  std::filesystem::path root_;
  std::filesystem::path dae_;
  std::filesystem::path work_;
};

// Remembers every text shown, in order; questions get the scripted answers
// and are recorded as "caption|text" (or the text of a Yes/No question).
class RecordingDialogs : public converter::Dialogs {
 public:
  void message(const std::string& text) override { shown.push_back(text); }
  bool askYesNo(const std::string& text) override {
    shown.push_back(text);
    return yesNoAnswer;
  }
  bool askOkCancel(const std::string& caption, const std::string& text) override {
    shown.push_back(caption + "|" + text);
    return okCancelAnswer;
  }

  std::vector<std::string> shown;
  bool yesNoAnswer = false;
  bool okCancelAnswer = true;
};

using Rows = std::vector<std::vector<std::string>>;

// The given fields of every row of a work table, in physical order, as text.
Rows readRows(const std::filesystem::path& workFolder, const std::string& table,
              const std::vector<std::string>& fields);

// The text of the carry-over question as RecordingDialogs records it.
std::string restoreQuestion();

}  // namespace dae_test
