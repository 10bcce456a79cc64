// The run's log lines and the run log file: each line timed and on one line,
// skipped records counted by reason, and the file kept to its last part.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "run/run_log.h"
#include "safety/run_log_file.h"
#include "toolkit/files.h"
#include "toolkit/pattern_matcher.h"
#include "toolkit/temp_folder.h"
#include "toolkit/text_lines.h"

namespace safety {
namespace {

namespace fs = std::filesystem;
using test_support::lines;
using test_support::MatchesPattern;
using test_support::readBytes;
using ::testing::ElementsAre;

constexpr const char* kTime = "[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} ";

TEST(RunLogTest, EachLineIsTimedOnOneLineAndEchoedAsItComes) {
  run::RunLog log;
  std::vector<std::string> echoed;
  log.echo = [&](const std::string& line) { echoed.push_back(line); };
  log.add("mensaje: Si Conserva\r\nlos Datos\r");
  log.rowsWritten("PROFT", 1);
  log.rowsWritten("ASIGT", 284);
  const std::vector<std::string> taken = log.takeLines();
  EXPECT_THAT(taken, ElementsAre(MatchesPattern(std::string(kTime) + "mensaje: Si Conserva los Datos "),
                                 MatchesPattern(std::string(kTime) + "PROFT: 1 fila escrita"),
                                 MatchesPattern(std::string(kTime) + "ASIGT: 284 filas escritas")));
  EXPECT_EQ(echoed, taken);
  EXPECT_TRUE(log.takeLines().empty());
}

TEST(RunLogTest, SkippedRecordsAreCountedByReasonWithTheFirstKeys) {
  run::SkippedRecords skipped;
  for (const char* key : {"01  ", "02", "03", "04", "05", "06", "07"}) skipped.skip("código repetido", key);
  skipped.skip("tipo distinto de L y N", "\xD1");  // Windows-1252 as read
  run::RunLog log;
  skipped.report(log, "V55T11.txt");
  const std::vector<std::string> taken = log.takeLines();
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[0].substr(20),
            "V55T11.txt: 7 registros omitidos (código repetido): 01, 02, 03, 04, 05, ...");
  EXPECT_EQ(taken[1].substr(20), "V55T11.txt: 1 registro omitido (tipo distinto de L y N): Ñ");
}

class RunLogFileTest : public ::testing::Test {
 protected:
  test_support::TempFolder root;
  fs::path file = root.path() / "logs" / "TransOrvalDAE.log";
};

TEST_F(RunLogFileTest, AppendsRunAfterRunCreatingTheFolder) {
  ASSERT_TRUE(appendToRunLog(file, {"first run", "its end"}));
  ASSERT_TRUE(appendToRunLog(file, {"second run"}));
  EXPECT_EQ(readBytes(file), "first run\nits end\nsecond run\n");
}

TEST_F(RunLogFileTest, KeepsAboutTheLastPartWholeLinesOnly) {
  constexpr std::uintmax_t kLimit = 1000;
  std::vector<std::string> written;
  for (int run = 0; run < 40; ++run) {
    const std::vector<std::string> block = {"run " + std::to_string(run) + " starts",
                                            "run " + std::to_string(run) + " ends"};
    ASSERT_TRUE(appendToRunLog(file, block, kLimit));
    written.insert(written.end(), block.begin(), block.end());
    EXPECT_LE(fs::file_size(file), kLimit);
  }
  const std::vector<std::string> kept = lines(readBytes(file));
  ASSERT_GE(kept.size(), 20u);  // at least half the limit stays
  EXPECT_EQ(std::vector<std::string>(written.end() - static_cast<std::ptrdiff_t>(kept.size()), written.end()),
            kept);
}

TEST_F(RunLogFileTest, ABlockLongerThanTheLimitKeepsItsEnd) {
  const std::string longLine(3000, 'x');
  ASSERT_TRUE(appendToRunLog(file, {"old", longLine, "last"}, 1000));
  EXPECT_EQ(readBytes(file), "last\n");
  // One line longer than the limit alone: its end.
  ASSERT_TRUE(appendToRunLog(file, {longLine}, 1000));
  EXPECT_EQ(readBytes(file), std::string(749, 'x') + "\n");
}

TEST_F(RunLogFileTest, ALogThatCannotBeWrittenIsPassedOver) {
  fs::create_directories(file);  // a folder where the file should be
  EXPECT_FALSE(appendToRunLog(file, {"a line"}));
}

}  // namespace
}  // namespace safety
