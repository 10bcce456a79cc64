// A table that the host holds open: the converter refuses it with a message
// naming it, and neither the held table nor anything built from it changes.
#include <gmock/gmock.h>

#include "faults/fault_fixture.h"

namespace faults {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

struct HeldCase {
  const char* table;
  const char* direction;
};

TEST_F(FaultTest, TableHeldByTheHostIsRefusedAndLeftAsItWas) {
  const HeldCase cases[] = {
      {"SOLUC", "import"}, {"PROFT", "import"}, {"PROFT", "export"}, {"daeTIPTAR", "export"}};
  for (const HeldCase& c : cases) {
    SCOPED_TRACE(std::string(c.direction) + " with " + c.table + " held");
    const fs::path work = folder(std::string("work-") + c.direction + "-" + c.table);
    const fs::path dae = folder(std::string("dae-") + c.direction + "-" + c.table);
    fs::copy(daeFolder(), dae);
    ASSERT_EQ(exportTo(work, dae).exitCode, 0);
    ASSERT_EQ(test_support::runProcess(hostStubPath(), {"solve", "--work-folder", work.string()}).exitCode,
              0);
    const auto before = readTables(work);

    test_support::ProcessResult run;
    {
      test_support::BackgroundProcess host(hostStubPath(), {"hold", c.table, "--work-folder", work.string()});
      ASSERT_TRUE(host.waitForLine("holding"));
      run = cli({c.direction, "--dae-folder", dae.string(), "--work-folder", work.string()});
    }
    EXPECT_EQ(run.exitCode, 1) << run.out;
    EXPECT_THAT(run.err, HasSubstr((work / c.table).string() + ".DBF"));
    EXPECT_THAT(run.err, HasSubstr("en uso por otro programa"));
    std::string key = c.table;
    for (char& ch : key) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(readTables(work).at(key), before.at(key));
    EXPECT_FALSE(fs::exists(dae / "fCUADROS.txt"));
  }
}

}  // namespace
}  // namespace faults
