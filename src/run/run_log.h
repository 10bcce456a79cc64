// What one run of the converter did, line by line, for the run log
// (TransOrvalDAE.log): the steps add lines as they go, and the front end
// writes the lines added so far to the log file and, when asked, prints each
// one as it comes. Every line starts with the local date and time, and is
// UTF-8 on one line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace run {

class RunLog {
 public:
  // Receives every line as it is added (the batch front end's --verbose).
  std::function<void(const std::string& line)> echo;

  // text: UTF-8; line breaks in it become blanks.
  void add(std::string_view text);
  // "TABLE: N filas escritas".
  void rowsWritten(std::string_view table, std::int64_t rows);
  // The lines added since the last call, which the caller now owns.
  std::vector<std::string> takeLines();

 private:
  std::vector<std::string> lines_;
};

// The records a step leaves out, counted by reason with the keys of the
// first few, so that the log says what was skipped and why without a line
// per record.
class SkippedRecords {
 public:
  // reason: UTF-8; key: what names the record, as read (Windows-1252).
  void skip(std::string_view reason, std::string_view key);
  // One line per reason, in the order first met: "SOURCE: N registros
  // omitidos (REASON): KEY, KEY, ...".
  void report(RunLog& log, std::string_view source) const;

 private:
  struct Reason {
    std::string text;
    std::int64_t count = 0;
    std::vector<std::string> keys;  // the first few, UTF-8
  };
  std::vector<Reason> reasons_;
};

}  // namespace run
