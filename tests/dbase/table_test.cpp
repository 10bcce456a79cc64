// The operations of a table handle, with the implicit-posting rules.
#include <gmock/gmock.h>

#include "dbase/table_fixture.h"
#include "support/dbase/index_check.h"
#include "support/error.h"

namespace dbase_test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

TEST_F(TableTest, AppendedRecordsComeBackInPhysicalOrderWithoutTrailingBlanks) {
  dbase::Table t = makeProf({{"ZU", 3, "Zubiri  "}, {"AB", 1, "  Abad"}});
  EXPECT_EQ(t.recordCount(), 2);
  EXPECT_THAT(walk(t), ElementsAre("ZU", "AB"));
  t.first();
  EXPECT_EQ(t.text("NOMBRE"), "Zubiri");
  EXPECT_EQ(t.integer("HORA"), 3);
  EXPECT_EQ(t.text("HORA"), "3");
  t.next();
  EXPECT_EQ(t.text("NOMBRE"), "  Abad");
}

TEST_F(TableTest, FieldsByNumberReadAndWriteAsByName) {
  dbase::Table t = makeProf({{"ZU", 3, "Zubiri  "}});
  const int abrev = t.fieldNumber("ABREV");
  const int hora = t.fieldNumber("HORA");
  const int nombre = t.fieldNumber("NOMBRE");
  EXPECT_EQ(std::vector({abrev, hora, nombre}), std::vector({0, 1, 2}));
  t.first();
  EXPECT_EQ(t.text(nombre), "Zubiri");
  EXPECT_EQ(t.characters(nombre), "Zubiri");
  EXPECT_EQ(t.text(hora), "3");
  EXPECT_THROW((void)t.characters(hora), support::Error);  // not characters: no view of its text
  t.edit();
  t.setText(abrev, "ABCDEFGHIJKLMNO");
  t.setText(hora, "7");
  EXPECT_EQ(t.characters(abrev), "ABCDEFGHIJ");  // the pending record, cut to the field
  t.post();
  EXPECT_EQ(t.text("ABREV"), "ABCDEFGHIJ");
  EXPECT_EQ(t.integer("HORA"), 7);
  EXPECT_THROW((void)t.fieldNumber("NOPE"), support::Error);
  EXPECT_THROW((void)t.text(3), support::Error);
  EXPECT_THROW((void)t.characters(-1), support::Error);
}

TEST_F(TableTest, TextLongerThanTheFieldIsCutSilently) {
  dbase::Table t = makeProf({{"ABCDEFGHIJKLMNO", 1, ""}});
  t.first();
  EXPECT_EQ(t.text("ABREV"), "ABCDEFGHIJ");
}

TEST_F(TableTest, IntegerFieldTakesNumericTextAndRefusesOtherText) {
  dbase::Table t = makeProf({});
  t.append();
  t.setText("HORA", " 42");
  EXPECT_EQ(t.integer("HORA"), 42);
  t.setText("HORA", "");  // stores no value
  EXPECT_EQ(t.text("HORA"), "");
  EXPECT_EQ(t.integer("HORA"), 0);
  try {
    t.setText("HORA", "4x");
    FAIL() << "no error";
  } catch (const support::Error& e) {
    EXPECT_STREQ(e.what(), "'4x' is not a valid integer value for field 'HORA'");
  }
}

TEST_F(TableTest, SecondAppendPostsTheFirstAndCloseDropsTheUnpostedLast) {
  {
    dbase::Table t = makeProf({});
    t.append();
    t.setText("ABREV", "A1");
    t.append();  // posts A1
    t.setText("ABREV", "A2");
    t.close();  // drops A2
  }
  dbase::Table t(folder(), "PROF");
  t.open();
  EXPECT_THAT(walk(t), ElementsAre("A1"));
}

TEST_F(TableTest, PendingRecordWithNoFieldSetIsDroppedByAMove) {
  dbase::Table t = makeProf({{"A1", 1, ""}});
  t.append();
  t.first();
  EXPECT_EQ(t.recordCount(), 1);
  t.append();
  t.setText("ABREV", "A2");
  t.first();  // posts A2
  EXPECT_EQ(t.recordCount(), 2);
}

TEST_F(TableTest, EveryMovePostsAPendingEdit) {
  using Move = void (*)(dbase::Table&);
  const std::pair<const char*, Move> moves[] = {
      {"next", [](dbase::Table& t) { t.next(); }},
      {"first", [](dbase::Table& t) { t.first(); }},
      {"findKey", [](dbase::Table& t) { t.findKey("B"); }},
      {"locate", [](dbase::Table& t) { t.locate("ABREV", {"B"}); }},
      {"append", [](dbase::Table& t) { t.append(); }},
  };
  for (const auto& [name, move] : moves) {
    SCOPED_TRACE(name);
    dbase::Table t = makeProf({{"A", 1, ""}, {"B", 2, ""}});
    t.selectTag("ABREV");
    t.first();
    t.edit();
    t.setText("NOMBRE", "cambiado");
    move(t);
    t.cancel();
    t.findKey("A");
    EXPECT_EQ(t.text("NOMBRE"), "cambiado");
  }
}

TEST_F(TableTest, DeletePostsFirstThenRemovesTheCurrentRecordAndMovesToTheNext) {
  dbase::Table t = makeProf({{"A", 1, ""}, {"B", 2, ""}, {"C", 3, ""}});
  t.first();
  t.next();
  t.remove();
  EXPECT_EQ(t.text("ABREV"), "C");
  EXPECT_EQ(t.recordCount(), 2);
  EXPECT_THAT(walk(t), ElementsAre("A", "C"));
  t.last();
  t.remove();  // no next record: the one before becomes current
  EXPECT_EQ(t.text("ABREV"), "A");
}

TEST_F(TableTest, EditOnAnEmptyTableStartsANewRecord) {
  dbase::Table t = makeProf({});
  EXPECT_TRUE(t.atEnd());
  t.edit();
  EXPECT_EQ(t.state(), dbase::EditState::Insert);
  t.setText("ABREV", "NUEVO");
  t.post();
  EXPECT_THAT(walk(t), ElementsAre("NUEVO"));
}

TEST_F(TableTest, TagOrderFindKeyAndDuplicates) {
  dbase::Table t = makeProf({{"C", 5, "c"}, {"A", -1, "a"}, {"B", 5, "b"}, {"A", 7, "a2"}});
  t.selectTag("ABREV");
  EXPECT_THAT(walk(t), ElementsAre("A", "A", "B", "C"));
  t.selectTag("HORA");
  EXPECT_THAT(walk(t), ElementsAre("A", "C", "B", "A"));
  EXPECT_TRUE(t.findKey(5));
  EXPECT_EQ(t.text("NOMBRE"), "c");  // the first of the duplicates, by record number
  t.selectTag("ABREV");
  EXPECT_TRUE(t.findKey("A"));
  EXPECT_EQ(t.text("NOMBRE"), "a");
  EXPECT_FALSE(t.findKey("Z"));
  EXPECT_EQ(t.text("NOMBRE"), "a");  // a failed search leaves the position alone
  t.selectTag("");
  EXPECT_THAT(walk(t), ElementsAre("C", "A", "B", "A"));
}

TEST_F(TableTest, LocateMatchesOneOrSeveralFieldsExactlyInTheCurrentOrder) {
  dbase::Table t = makeProf({{"B", 2, "x"}, {"A", 2, "x"}, {"a", 2, "x"}, {"A", 3, "y"}});
  EXPECT_TRUE(t.locate("NOMBRE", {"x"}));
  EXPECT_EQ(t.text("ABREV"), "B");
  t.selectTag("ABREV");
  EXPECT_TRUE(t.locate("NOMBRE", {"x"}));
  EXPECT_EQ(t.text("ABREV"), "A");
  EXPECT_TRUE(t.locate("ABREV;HORA", {"A", "3"}));
  EXPECT_EQ(t.text("NOMBRE"), "y");
  EXPECT_TRUE(t.locate("ABREV", {"a"}));
  EXPECT_EQ(t.recordNumber(), 3u);  // case-sensitive
  EXPECT_FALSE(t.locate("ABREV;HORA", {"A", "9"}));
  // Records added after a search are found by the next one.
  t.appendRecord({std::string("N"), 9, std::string("z")});
  EXPECT_TRUE(t.locate("ABREV;HORA", {"N", "9"}));
  EXPECT_EQ(t.text("NOMBRE"), "z");
}

TEST_F(TableTest, EditsKeepEveryOrderSearchAndTheIndexFileInStep) {
  dbase::Table t = makeProf({{"B", 2, "x"}, {"A", 1, "y"}, {"C", 3, "z"}});
  t.selectTag("ABREV");
  ASSERT_TRUE(t.locate("NOMBRE", {"y"}));  // the search for NOMBRE exists from here on

  // A change outside every key leaves each record where it was.
  t.edit();
  t.setText("NOMBRE", "w");
  t.post();
  EXPECT_THAT(walk(t), ElementsAre("A", "B", "C"));
  EXPECT_FALSE(t.locate("NOMBRE", {"y"}));
  EXPECT_TRUE(t.locate("NOMBRE", {"w"}));
  EXPECT_EQ(t.text("ABREV"), "A");

  // A changed key moves the record in its tag and in the searches on it.
  ASSERT_TRUE(t.findKey("B"));
  t.edit();
  t.setText("ABREV", "D");
  t.post();
  EXPECT_THAT(walk(t), ElementsAre("A", "C", "D"));
  EXPECT_FALSE(t.findKey("B"));
  EXPECT_TRUE(t.locate("ABREV;NOMBRE", {"D", "x"}));
  t.selectTag("HORA");
  EXPECT_THAT(walk(t), ElementsAre("A", "D", "C"));

  // A deleted record is found by no search.
  ASSERT_TRUE(t.locate("NOMBRE", {"z"}));
  t.remove();
  EXPECT_FALSE(t.locate("NOMBRE", {"z"}));
  EXPECT_THAT(walk(t), ElementsAre("A", "D"));

  t.close();
  EXPECT_THAT(dbase::checkIndexes(folder(), "PROF"), ::testing::IsEmpty());
}

TEST_F(TableTest, FilterShowsOnlyMatchingRecords) {
  dbase::Table t = makeProf({{"A", 1, "x"}, {"B", 2, "y"}, {"C", 3, "x"}});
  t.setFilter(dbase::Filter{"NOMBRE", "x"});
  EXPECT_THAT(walk(t), ElementsAre("A", "C"));
  t.setFilter(std::nullopt);
  EXPECT_THAT(walk(t), ElementsAre("A", "B", "C"));
}

TEST_F(TableTest, DetailFollowsEveryMoveOfItsMaster) {
  dbase::Table master = makeProf({{"P1", 1, ""}, {"P2", 2, ""}, {"P3", 3, ""}});
  dbase::Table detail = dbase::recreateTable(
      folder(),
      {"SES", {dbase::characterField("PROF", 10), dbase::characterField("DATO", 5)}, {{"PROF", "PROF"}}});
  detail.appendRecord({std::string("P2"), std::string("b1")});
  detail.appendRecord({std::string("P1"), std::string("a1")});
  detail.appendRecord({std::string("P2"), std::string("b2")});
  master.first();
  detail.linkTo(master, "ABREV", "PROF");
  EXPECT_THAT(walk(detail, "DATO"), ElementsAre("a1"));
  master.next();
  EXPECT_THAT(walk(detail, "DATO"), ElementsAre("b1", "b2"));
  master.next();
  EXPECT_TRUE(detail.atEnd());
  // A pending detail record is posted by the master's move, and belongs to it.
  detail.append();
  detail.setText("DATO", "c1");
  master.first();
  master.last();
  EXPECT_THAT(walk(detail, "DATO"), ElementsAre("c1"));
}

TEST_F(TableTest, BookmarkReturnsToTheRememberedRecord) {
  dbase::Table t = makeProf({{"A", 1, ""}, {"B", 2, ""}, {"C", 3, ""}});
  t.first();
  t.next();
  const dbase::Bookmark mark = t.bookmark();
  t.last();
  t.gotoBookmark(mark);
  EXPECT_EQ(t.text("ABREV"), "B");
}

TEST_F(TableTest, TwoHandlesSeeEachOthersChangesAtOnce) {
  dbase::Table a = makeProf({{"A", 1, ""}});
  dbase::Table b(folder(), "prof");
  b.open({.exclusive = true});  // same process: never blocked
  a.first();
  a.edit();
  a.setText("NOMBRE", "desde a");
  a.post();
  b.first();
  EXPECT_EQ(b.text("NOMBRE"), "desde a");
  b.appendRecord({std::string("B"), 2, std::string("desde b")});
  EXPECT_EQ(a.recordCount(), 2);
  EXPECT_TRUE(a.locate("NOMBRE", {"desde b"}));
}

TEST_F(TableTest, ReadOnlyHandleRefusesChanges) {
  makeProf({{"A", 1, ""}}).close();
  dbase::Table t(folder(), "PROF");
  t.open({.readOnly = true});
  EXPECT_THROW(t.append(), support::Error);
  EXPECT_THROW(t.edit(), support::Error);
  EXPECT_THROW(t.remove(), support::Error);
  EXPECT_EQ(t.text("ABREV"), "A");
}

TEST_F(TableTest, ErrorsNameTheTable) {
  dbase::Table t = makeProf({{"A", 1, ""}});
  const auto expectError = [&](auto action, const std::string& part) {
    try {
      action();
      ADD_FAILURE() << "no error for " << part;
    } catch (const support::Error& e) {
      EXPECT_THAT(e.what(), HasSubstr(part));
    }
  };
  expectError([&] { (void)t.text("NOPE"); }, "'NOPE'");
  expectError([&] { (void)t.text("NOPE"); }, "PROF.DBF");
  expectError([&] { t.setText("ABREV", "x"); }, "PROF.DBF");  // not in edit state
  expectError([&] { dbase::Table(folder(), "MISSING").open(); }, "MISSING.DBF");
  expectError([&] { t.selectTag("NOPE"); }, "NOPE");
}

TEST_F(TableTest, LowerCaseNameFindsTheUpperCaseFile) {
  makeProf({{"A", 1, ""}}).close();
  EXPECT_TRUE(dbase::tableExists(folder(), "prof"));
  dbase::Table t(folder(), "prof.dbf");
  t.open();
  EXPECT_EQ(t.dbfPath().filename(), "PROF.DBF");
  EXPECT_THAT(walk(t), ElementsAre("A"));
}

TEST_F(TableTest, TableWithoutTagsHasNoIndexFileAndGetsOneWhenRecreatedWithTags) {
  const dbase::TableDef plain{"AULAT", {dbase::characterField("ABREV", 10)}, {}};
  dbase::recreateTable(folder(), plain).close();
  EXPECT_FALSE(std::filesystem::exists(folder() / "AULAT.MDX"));
  EXPECT_EQ(readBytes(folder() / "AULAT.DBF")[28], 0);
  dbase::TableDef tagged = plain;
  tagged.tags = {{"ABREV", "ABREV"}};
  dbase::recreateTable(folder(), tagged).close();
  EXPECT_TRUE(std::filesystem::exists(folder() / "AULAT.MDX"));
  EXPECT_EQ(readBytes(folder() / "AULAT.DBF")[28], 1);
}

TEST_F(TableTest, RecreatingRemovesEveryCaseVariantOfTheOldFiles) {
  writeBytes(folder() / "prof.dbf", "old table");
  writeBytes(folder() / "Prof.Mdx", "stale index");
  dbase::Table t = makeProf({{"A", 1, ""}});
  t.close();
  // The names as listed, since a file system that ignores case finds
  // "prof.dbf" under the name "PROF.DBF" too.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_THAT(names, UnorderedElementsAre("PROF.DBF", "PROF.MDX"));
  t.open();
  EXPECT_THAT(t.tags(), ElementsAre(dbase::TagDef{"ABREV", "ABREV"}, dbase::TagDef{"HORA", "HORA"}));
}

TEST_F(TableTest, CreatingATableThatIsOpenIsRefused) {
  dbase::Table open = makeProf({{"A", 1, ""}});
  dbase::Table again(folder(), "PROF");
  again.defineFields({dbase::characterField("X", 1)});
  EXPECT_THROW(again.create(), support::Error);
  EXPECT_THAT(walk(open), ElementsAre("A"));
}

}  // namespace
}  // namespace dbase_test
