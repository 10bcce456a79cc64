// The bytes of the Level 7 tables the engine writes, against the worked
// examples of the format notes.
#include "dbase/table_fixture.h"

namespace dbase_test {
namespace {

TEST_F(TableTest, SmallTableMatchesTheWorkedExampleByteForByte) {
  dbase::Table t =
      dbase::recreateTable(folder(), {"PLANTILLA",
                                      {dbase::characterField("ABREV", 10), dbase::integerField("HORA")},
                                      {{"ABREV", "ABREV"}, {"HORA", "HORA"}}});
  t.appendRecord({std::string("AB"), 5});
  t.appendRecord({std::string("X"), -1});
  t.close();

  std::string expected = hex("04 7D 03 0E 02 00 00 00 A5 00 0F 00") + std::string(16, '\0') +
                         hex("01 00 00 00") + "DBWINUS0" + std::string(28, '\0');
  std::string abrev = "ABREV" + std::string(27, '\0') + "C" + hex("0A") + std::string(14, '\0');
  std::string hora = "HORA" + std::string(28, '\0') + "I" + hex("04") + std::string(14, '\0');
  expected += abrev + hora + hex("0D");
  expected += hex("20 41 42 20 20 20 20 20 20 20 20 80 00 00 05");
  expected += hex("20 58 20 20 20 20 20 20 20 20 20 7F FF FF FF");
  expected += hex("1A");

  std::string actual = readBytes(folder() / "PLANTILLA.DBF");
  ASSERT_EQ(actual.size(), 196u);
  actual.replace(1, 3, hex("7D 03 0E"));  // the date of the last update is today's
  EXPECT_EQ(actual, expected);
}

struct EncodingCase {
  const char* name;
  dbase::FieldDef field;
  dbase::Value value;
  const char* bytes;
  const char* readBack;
};

TEST_F(TableTest, FieldEncodingsMatchTheWorkedValues) {
  const EncodingCase cases[] = {
      {"IntFive", dbase::integerField("F"), 5, "80 00 00 05", "5"},
      {"IntMinusOne", dbase::integerField("F"), -1, "7F FF FF FF", "-1"},
      {"IntZero", dbase::integerField("F"), 0, "80 00 00 00", "0"},
      {"IntThousand", dbase::integerField("F"), 1000, "80 00 03 E8", "1000"},
      {"IntMax", dbase::integerField("F"), 2147483647, "FF FF FF FF", "2147483647"},
      {"IntMinPlusOne", dbase::integerField("F"), -2147483647, "00 00 00 01", "-2147483647"},
      {"IntEmpty", dbase::integerField("F"), std::monostate{}, "00 00 00 00", ""},
      {"DoubleFive", dbase::floatField("F"), 5.0, "C0 14 00 00 00 00 00 00", "5"},
      {"DoubleMinusOne", dbase::floatField("F"), -1.0, "40 0F FF FF FF FF FF FF", "-1"},
      {"DoubleZero", dbase::floatField("F"), 0.0, "80 00 00 00 00 00 00 00", "0"},
      {"DoubleNegativeZero", dbase::floatField("F"), -0.0, "80 00 00 00 00 00 00 00", "0"},
      {"Double4365", dbase::floatField("F"), 43.65, "C0 45 D3 33 33 33 33 33", "43.65"},
      {"DoubleMinus19999", dbase::floatField("F"), -199.99, "3F 97 00 51 EB 85 1E B7", "-199.99"},
      {"LogicalTrue", dbase::logicalField("F"), true, "54", "True"},
      {"LogicalFalse", dbase::logicalField("F"), false, "46", "False"},
      {"LogicalEmpty", dbase::logicalField("F"), std::monostate{}, "20", ""},
      {"CharacterPadded", dbase::characterField("F", 4), std::string("\xE9x"), "E9 78 20 20", "\xE9x"},
  };
  for (const EncodingCase& c : cases) {
    SCOPED_TRACE(c.name);
    dbase::Table t = dbase::recreateTable(folder(), {"ENC", {c.field}, {}});
    t.appendRecord({c.value});
    t.first();
    EXPECT_EQ(t.text("F"), c.readBack);
    t.close();
    const std::string file = readBytes(folder() / "ENC.DBF");
    const std::size_t header = 68 + 48 + 1;
    EXPECT_EQ(file.substr(header + 1, static_cast<std::size_t>(c.field.width)), hex(c.bytes));
  }
}

TEST_F(TableTest, FileIsCompleteAfterEveryPost) {
  dbase::Table t = makeProf({});
  for (int i = 0; i < 3; ++i) {
    t.appendRecord({std::string("P") + std::to_string(i), i, std::string("x")});
    const std::string file = readBytes(folder() / "PROF.DBF");
    const std::size_t header = 68 + 3 * 48 + 1, record = 1 + 10 + 4 + 20;
    EXPECT_EQ(static_cast<unsigned char>(file[4]), i + 1);
    EXPECT_EQ(file.size(), header + (i + 1) * record + 1);
    EXPECT_EQ(file.back(), '\x1A');
  }
}

}  // namespace
}  // namespace dbase_test
