// Write batches: the posts of a bulk change reach the file together when the
// batch ends, leaving exactly the bytes that posting them one by one leaves;
// meanwhile the file is the table as it was before the batch.
#include <gmock/gmock.h>

#include "dbase/table_fixture.h"
#include "support/dbase/index_check.h"

namespace dbase_test {
namespace {

using ::testing::ElementsAre;

class WriteBatchTest : public TableTest {
 protected:
  // A change of every kind: appends, an edit of an old and of a new record,
  // a deletion.
  static void change(dbase::Table& t) {
    t.appendRecord({std::string("C"), 3, std::string("Calvo")});
    t.appendRecord({std::string("D"), 4, std::string("Diez")});
    ASSERT_TRUE(t.locate("ABREV", {"A"}));
    t.edit();
    t.setText("NOMBRE", "Abad");
    ASSERT_TRUE(t.locate("ABREV", {"D"}));
    t.edit();
    t.setInteger("HORA", 40);
    ASSERT_TRUE(t.locate("ABREV", {"B"}));
    t.remove();
  }

  // PROF with the records A and B, changed post by post; the handle closed.
  void changePostByPost() {
    makeProf({{"A", 1, ""}, {"B", 2, ""}}).close();
    dbase::Table t(folder(), "PROF");
    t.open();
    change(t);
    t.close();
  }

  std::filesystem::path dbf() const { return folder() / "PROF.DBF"; }
  std::filesystem::path mdx() const { return folder() / "PROF.MDX"; }

  // The table's records and count as the file holds them (the header's date
  // and unfinished mark aside).
  std::string recordsOnDisk() const {
    const std::string bytes = readBytes(dbf());
    return bytes.substr(4, 4) + bytes.substr(32);
  }
};

TEST_F(WriteBatchTest, WritesWhatPostsWouldHaveWrittenWhenItEnds) {
  changePostByPost();
  const std::string unbatched = readBytes(dbf());
  const std::string unbatchedIndex = readBytes(mdx());

  makeProf({{"A", 1, ""}, {"B", 2, ""}}).close();
  dbase::Table t(folder(), "PROF");
  t.open();
  const std::string before = recordsOnDisk();
  {
    dbase::WriteBatch outer(t);
    {
      dbase::WriteBatch inner(t);
      change(t);
      inner.commit();  // nested: the outer batch writes
    }
    dbase::Table other(folder(), "PROF");  // another handle sees the changes at once
    other.open({.readOnly = true});
    EXPECT_THAT(walk(other, "NOMBRE"), ElementsAre("Abad", "Calvo", "Diez"));
    EXPECT_EQ(recordsOnDisk(), before);
    outer.commit();
  }
  EXPECT_NE(recordsOnDisk(), before);
  t.close();
  EXPECT_EQ(readBytes(dbf()), unbatched);
  EXPECT_EQ(readBytes(mdx()), unbatchedIndex);
  EXPECT_THAT(dbase::checkIndexes(folder(), "PROF"), ElementsAre());
}

TEST_F(WriteBatchTest, ClosingTheTableOrLeavingTheBatchByAnErrorWritesWhatIsHeld) {
  changePostByPost();
  const std::string unbatched = readBytes(dbf());

  for (const bool byError : {false, true}) {
    SCOPED_TRACE(byError ? "left by an error" : "closed in the batch");
    makeProf({{"A", 1, ""}, {"B", 2, ""}}).close();
    dbase::Table t(folder(), "PROF");
    t.open();
    try {
      dbase::WriteBatch batch(t);
      change(t);
      if (byError) throw std::runtime_error("the step failed");
      t.close();
      batch.commit();  // nothing left to write
    } catch (const std::runtime_error&) {
      t.close();
    }
    EXPECT_EQ(readBytes(dbf()), unbatched);
  }
}

}  // namespace
}  // namespace dbase_test
