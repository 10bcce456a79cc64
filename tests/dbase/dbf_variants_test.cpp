// Reading tables written by other dBase variants, and damaged table files.
#include <gmock/gmock.h>

#include "dbase/table_fixture.h"
#include "support/error.h"

namespace dbase_test {
namespace {

struct Field32 {
  std::string name;
  char type;
  int width;
  int decimals;
};

// A table in the 32-byte-descriptor layout (dBase III/IV, FoxPro).
std::string classicTable(unsigned char version, const std::vector<Field32>& fields,
                         const std::vector<std::string>& records, int languageId = 0x57) {
  std::string h(32, '\0');
  h[0] = static_cast<char>(version);
  h[1] = 124;
  h[2] = 1;
  h[3] = 1;
  h[4] = static_cast<char>(records.size());
  std::size_t headerLength = 32 + 32 * fields.size() + 1;
  if (version == 0x30) headerLength += 263;
  std::size_t recordLength = 1;
  for (const Field32& f : fields)
    recordLength += static_cast<std::size_t>(f.width + (f.type == 'C' ? 256 * f.decimals : 0));
  h[8] = static_cast<char>(headerLength & 0xFF);
  h[9] = static_cast<char>(headerLength >> 8);
  h[10] = static_cast<char>(recordLength & 0xFF);
  h[11] = static_cast<char>(recordLength >> 8);
  h[29] = static_cast<char>(languageId);
  for (const Field32& f : fields) {
    std::string d(32, '\0');
    d.replace(0, f.name.size(), f.name);
    d[11] = f.type;
    d[16] = static_cast<char>(f.width);
    d[17] = static_cast<char>(f.decimals);
    h += d;
  }
  h += '\x0D';
  h.resize(headerLength, '\0');
  for (const std::string& r : records) h += r;
  return h + "\x1A";
}

TEST_F(TableTest, ReadsADBaseIIITable) {
  writeBytes(folder() / "SOLUC.DBF",
             classicTable(0x03,
                          {{"DIA", 'N', 2, 0},
                           {"HORA", 'N', 5, 2},
                           {"PROF", 'C', 10, 0},
                           {"FECHA", 'D', 8, 0},
                           {"OK", 'L', 1, 0}},
                          {"  3 1.50MARTA     20240105T", "* 4 2.00BORRADO   20240105F",
                           "    0.00          20240105?"}));
  dbase::Table t(folder(), "soluc");
  t.open();
  EXPECT_EQ(t.recordCount(), 2);
  t.first();
  EXPECT_EQ(t.integer("DIA"), 3);
  EXPECT_EQ(t.text("DIA"), "3");
  EXPECT_EQ(t.text("HORA"), "1.5");
  EXPECT_DOUBLE_EQ(t.number("HORA"), 1.5);
  EXPECT_EQ(t.text("PROF"), "MARTA");
  EXPECT_EQ(t.text("FECHA"), "20240105");
  EXPECT_TRUE(t.boolean("OK"));
  t.next();  // the deleted record is skipped
  EXPECT_EQ(t.text("DIA"), "");
  EXPECT_EQ(t.integer("DIA"), 0);
  EXPECT_EQ(t.text("OK"), "");
}

TEST_F(TableTest, ReadsAVisualFoxProTableWithLittleEndianIntegersAndLongText) {
  std::string record = " ";
  record += hex("05 00 00 00");  // I: little-endian in Visual FoxPro
  record += std::string(300, 'x');
  writeBytes(folder() / "SOLUC.DBF",
             classicTable(0x30, {{"DIA", 'I', 4, 0}, {"LARGO", 'C', 44, 1}}, {record}, 0x03));
  dbase::Table t(folder(), "SOLUC");
  t.open();
  t.first();
  EXPECT_EQ(t.integer("DIA"), 5);
  EXPECT_EQ(t.text("LARGO").size(), 300u);
}

struct DamageCase {
  const char* name;
  std::string bytes;
  const char* reason;
};

TEST_F(TableTest, DamagedFilesGiveAnErrorNamingTheFile) {
  const std::string good = classicTable(0x03, {{"PROF", 'C', 10, 0}}, {" MARTA     "});
  auto with = [&](std::size_t at, char value) {
    std::string b = good;
    b[at] = value;
    return b;
  };
  std::string cutInsideRecord = good.substr(0, good.size() - 1 - 5);
  std::string unterminated = good;
  unterminated.replace(32, 11, "ABCDEFGHIJK");
  const DamageCase cases[] = {
      {"Empty", "", "cabecera incompleta"},
      {"ShortHeader", good.substr(0, 20), "cabecera incompleta"},
      {"UnknownVersion", with(0, 0x55), "no es una tabla dBase"},
      {"HeaderLongerThanFile", with(9, 0x40), "cabecera"},
      {"HeaderTooShort", with(8, 10), "longitud de cabecera"},
      {"RecordLengthMismatch", with(10, 20), "longitud de registro"},
      {"ZeroRecordLength",
       [&] {
         std::string b = with(10, 0);
         b[11] = 0;
         return b;
       }(),
       "longitud de registro"},
      {"NameWithoutTerminator", unterminated, "sin terminar"},
      {"ZeroWidthField", with(48, 0), "longitud cero"},
      {"CutInsideTheLastRecord", cutInsideRecord,
       "declara 1 registros, pero el archivo solo contiene 0 completos"},
      {"CountAboveTheRecords", with(4, 9), "declara 9 registros"},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.name);
    writeBytes(folder() / "SOLUC.DBF", c.bytes);
    dbase::Table t(folder(), "SOLUC");
    try {
      t.open();
      ADD_FAILURE() << "opened";
    } catch (const support::Error& e) {
      EXPECT_THAT(e.what(), ::testing::HasSubstr("SOLUC.DBF"));
      EXPECT_THAT(e.what(), ::testing::HasSubstr(c.reason));
    }
  }
}

TEST_F(TableTest, TableWhoseHeaderPromisesAMissingIndexIsAnError) {
  makeProf({{"A", 1, ""}}).close();
  std::filesystem::remove(folder() / "PROF.MDX");
  dbase::Table t(folder(), "PROF");
  try {
    t.open();
    FAIL() << "opened";
  } catch (const support::Error& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr("PROF.MDX"));
  }
}

}  // namespace
}  // namespace dbase_test
