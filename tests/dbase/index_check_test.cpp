// The production index the engine writes, read back and checked against the
// table: every tag, every record, in order, for tables of every size.
#include <gmock/gmock.h>

#include "dbase/table_fixture.h"
#include "support/dbase/index_check.h"
#include "support/dbase/mdx.h"
#include "support/error.h"

namespace dbase_test {
namespace {

TEST_F(TableTest, IndexMatchesTheTableForEverySize) {
  for (const int rows : {0, 1, 7, 20000}) {
    SCOPED_TRACE(rows);
    dbase::Table t = dbase::recreateTable(
        folder(), {"CUADROH3",
                   {dbase::characterField("PROF_DIA_SES", 13), dbase::integerField("HORA")},
                   {{"PROF_DIA_SES", "PROF_DIA_SES"}, {"HORA", "HORA"}}});
    for (int i = 0; i < rows; ++i) {
      // Few distinct values, so most keys are duplicates; negative hours too.
      t.appendRecord({"P" + std::to_string((i * 7919) % 613), (i * 31) % 97 - 40});
    }
    t.close();
    EXPECT_THAT(dbase::checkIndexes(folder(), "cuadroh3"), ::testing::IsEmpty());
    const auto tags = dbase::readMdx(readBytes(folder() / "CUADROH3.MDX"), "CUADROH3.MDX");
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_EQ(tags[0].tag.name, "HORA");  // tags are stored sorted by name
    EXPECT_EQ(tags[1].tag.name, "PROF_DIA_SES");
    for (const auto& tag : tags) EXPECT_EQ(tag.entries.size(), static_cast<std::size_t>(rows));
  }
}

TEST_F(TableTest, IndexFollowsEditsAndDeletions) {
  dbase::Table t = makeProf({{"C", 3, ""}, {"A", 1, ""}, {"B", 2, ""}});
  t.selectTag("ABREV");
  t.findKey("C");
  t.edit();
  t.setText("ABREV", "0");
  t.post();
  t.findKey("A");
  t.remove();  // deleted records keep their entries until the table is packed
  t.close();
  EXPECT_THAT(dbase::checkIndexes(folder(), "PROF"), ::testing::IsEmpty());
  t.open();
  t.selectTag("ABREV");
  EXPECT_THAT(walk(t), ::testing::ElementsAre("0", "B"));
}

TEST_F(TableTest, CheckReportsAnIndexThatNoLongerMatchesItsTable) {
  makeProf({{"A", 1, ""}, {"B", 2, ""}}).close();
  std::string dbf = readBytes(folder() / "PROF.DBF");
  dbf[68 + 3 * 48 + 1 + 1] = 'Z';  // first record's ABREV changed behind the engine's back
  writeBytes(folder() / "PROF.DBF", dbf);
  const auto problems = dbase::checkIndexes(folder(), "PROF");
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_THAT(problems[0], ::testing::HasSubstr("ABREV"));
}

TEST_F(TableTest, IndexOfAnUnchangedTableIsNotRewritten) {
  makeProf({{"A", 1, ""}}).close();
  const auto before = std::filesystem::last_write_time(folder() / "PROF.MDX");
  const std::string bytes = readBytes(folder() / "PROF.MDX");
  dbase::Table t(folder(), "PROF");
  t.open();
  t.selectTag("HORA");
  t.first();
  t.close();
  EXPECT_EQ(std::filesystem::last_write_time(folder() / "PROF.MDX"), before);
  EXPECT_EQ(readBytes(folder() / "PROF.MDX"), bytes);
}

}  // namespace
}  // namespace dbase_test

namespace dbase_test {
namespace {

TEST_F(TableTest, HostTagTheEngineCannotKeepMakesTheTableReadableButNotChangeable) {
  makeProf({{"A", 1, ""}}).close();
  std::string mdx = readBytes(folder() / "PROF.MDX");
  const auto page = static_cast<unsigned char>(mdx[555]);  // slot 1: tag ABREV
  mdx[page * 512 + 8] = 0x18;                              // descending
  writeBytes(folder() / "PROF.MDX", mdx);
  dbase::Table t(folder(), "PROF");
  t.open();
  EXPECT_EQ(t.text("ABREV"), "A");
  EXPECT_THROW(t.selectTag("ABREV"), support::Error);
  t.selectTag("HORA");
  t.append();
  t.setText("ABREV", "B");
  EXPECT_THROW(t.post(), support::Error);
  t.cancel();
  t.close();
  EXPECT_EQ(readBytes(folder() / "PROF.MDX"), mdx);
}

}  // namespace
}  // namespace dbase_test

namespace dbase_test {
namespace {

TEST_F(TableTest, TableLeftUnfinishedByACrashIsReportedAndRepairedByTheNextWriter) {
  dbase::Table t = makeProf({{"B", 2, ""}, {"A", 1, ""}});
  // What a crash leaves: the files as they are while the table is still open.
  const std::filesystem::path crashed = folder() / "crashed";
  std::filesystem::create_directory(crashed);
  for (const char* file : {"PROF.DBF", "PROF.MDX"}) std::filesystem::copy(folder() / file, crashed / file);
  t.close();
  EXPECT_THAT(dbase::checkIndexes(folder(), "PROF"), ::testing::IsEmpty());

  const auto problems = dbase::checkIndexes(crashed, "PROF");
  EXPECT_THAT(problems, ::testing::Contains(::testing::HasSubstr("no se terminó de escribir")));
  {
    dbase::Table reader(crashed, "PROF");
    reader.open({.readOnly = true});
    EXPECT_EQ(reader.recordCount(), 2);  // readable as it is
  }
  EXPECT_EQ(dbase::checkIndexes(crashed, "PROF"), problems);  // a reader repairs nothing
  {
    dbase::Table writer(crashed, "PROF");
    writer.open();
  }
  EXPECT_THAT(dbase::checkIndexes(crashed, "PROF"), ::testing::IsEmpty());
}

}  // namespace
}  // namespace dbase_test
