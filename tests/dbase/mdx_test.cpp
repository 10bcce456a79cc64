#include "support/dbase/mdx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "support/error.h"
#include "toolkit/hex_bytes.h"

namespace dbase {
namespace {

constexpr std::size_t kPage = 512;
constexpr std::size_t kSlotV3 = 43;
const DbfDate kDate{2025, 3, 14};

std::string bytesOf(const std::string& hexPairs) { return test_support::hexBytes(hexPairs); }

void put(std::string& file, std::size_t at, const std::string& bytes) {
  file.replace(at, bytes.size(), bytes);
}

std::uint32_t u32(const std::string& file, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(file[at + i]);
  return value;
}

void putU32(std::string& file, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>(value >> (8 * i));
}

std::size_t firstDifference(const std::string& a, const std::string& b) {
  const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  return ia == a.end() && ib == b.end() ? std::string::npos : static_cast<std::size_t>(ia - a.begin());
}

// An integer field's record bytes: big-endian with the sign bit inverted.
std::string integerBytes(std::int32_t value) {
  const std::uint32_t stored = static_cast<std::uint32_t>(value) ^ 0x80000000u;
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(stored >> (8 * (3 - i)));
  return bytes;
}

std::int32_t integerValue(const std::string& bytes) {
  std::uint32_t stored = 0;
  for (int i = 0; i < 4; ++i) stored = stored << 8 | static_cast<unsigned char>(bytes[i]);
  return static_cast<std::int32_t>(stored ^ 0x80000000u);
}

std::string expectDamage(const std::function<void()>& read) {
  try {
    read();
  } catch (const support::Error& e) {
    return e.what();
  }
  return "no error";
}

// ---------------------------------------------------------------------------
// Tags and keys

TEST(MdxTag, TypeAndLengthFollowTheField) {
  struct Case {
    FieldDef field;
    MdxTag expected;
  };
  const Case cases[] = {
      {characterField("prof_dia_ses", 13), {"PROF_DIA_SES", "PROF_DIA_SES", 'C', 13}},
      {integerField("HORA"), {"PROF_DIA_SES", "HORA", 'I', 4}},
      {{"N", FieldType::AutoIncrement, 4, 0}, {"PROF_DIA_SES", "N", '+', 4}},
      {floatField("HORAS"), {"PROF_DIA_SES", "HORAS", 'O', 8}},
      {{"IMPORTE", FieldType::Numeric, 10, 2}, {"PROF_DIA_SES", "IMPORTE", 'N', 12}},
      {{"IMPORTE", FieldType::Float, 20, 4}, {"PROF_DIA_SES", "IMPORTE", 'N', 12}},
      {{"FECHA", FieldType::Date, 8, 0}, {"PROF_DIA_SES", "FECHA", 'D', 8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field.name);
    EXPECT_EQ(mdxTagFor("Prof_Dia_Ses", c.field), c.expected);
  }
}

TEST(MdxTag, FieldsThatCannotCarryATagAreRefused) {
  EXPECT_THROW(mdxTagFor("ACTIVA", logicalField("ACTIVA")), support::Error);
  EXPECT_THROW(mdxTagFor("TEXTO", characterField("TEXTO", 241)), support::Error);
  EXPECT_THROW(mdxKey(logicalField("ACTIVA"), "T"), support::Error);
}

TEST(MdxKey, EncodesEachFieldType) {
  const FieldDef abrev = characterField("ABREV", 10);
  const FieldDef numeric{"IMPORTE", FieldType::Numeric, 10, 2};
  const FieldDef date{"FECHA", FieldType::Date, 8, 0};
  struct Case {
    const char* name;
    FieldDef field;
    std::string fieldBytes;
    std::string expected;
  };
  const Case cases[] = {
      {"CharacterAsStored", abrev, "AB        ", "41 42 20 20 20 20 20 20 20 20"},
      {"CharacterNulsAreBlanks", abrev, std::string("AB\0\0\0\0\0\0\0\0", 10),
       "41 42 20 20 20 20 20 20 20 20"},
      {"CharacterHighBytesKept", characterField("C", 3),
       "\xD1"
       "A ",
       "D1 41 20"},
      {"IntegerFive", integerField("HORA"), integerBytes(5), "80 00 00 05"},
      {"IntegerMinusOne", integerField("HORA"), integerBytes(-1), "7F FF FF FF"},
      {"DoubleRaw", floatField("HORAS"), bytesOf("C0 14 00 00 00 00 00 00"), "C0 14 00 00 00 00 00 00"},
      {"DecimalFive", numeric, "      5.00", "35 05 50 00 00 00 00 00 00 00 00 00"},
      {"DecimalMinusOne", numeric, "     -1.00", "35 85 10 00 00 00 00 00 00 00 00 00"},
      {"DecimalThousand", numeric, "   1000.00", "38 05 10 00 00 00 00 00 00 00 00 00"},
      {"DecimalWithFraction", numeric, "     12.25", "36 11 12 25 00 00 00 00 00 00 00 00"},
      {"DecimalBelowOne", numeric, "      0.05", "33 05 50 00 00 00 00 00 00 00 00 00"},
      {"DecimalOddDigitCount", numeric, "    012.50", "36 0D 12 50 00 00 00 00 00 00 00 00"},
      {"DecimalNegativeZeroIsZero", numeric, "     -0.00", "34 01 00 00 00 00 00 00 00 00 00 00"},
      {"DecimalBlankIsZero", numeric, "          ", "34 01 00 00 00 00 00 00 00 00 00 00"},
      {"DecimalOverflowFillIsZero", numeric, "**********", "34 01 00 00 00 00 00 00 00 00 00 00"},
      {"DecimalTwoPointsIsZero", numeric, "    1.2.30", "34 01 00 00 00 00 00 00 00 00 00 00"},
      {"DecimalTwentyDigits", FieldDef{"N", FieldType::Numeric, 20, 0}, "12345678901234567891",
       "48 51 12 34 56 78 90 12 34 56 78 91"},
      {"DateJulianDay", date, "20000101", "00 00 00 80 2C B4 42 41"},
      {"DateOfTheExample", date, "20250314", "00 00 00 80 26 C6 42 41"},
      {"DateBlankIsDayZero", date, "        ", "00 00 00 00 00 00 00 00"},
      {"DateMalformedIsDayZero", date, "20251301", "00 00 00 00 00 00 00 00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(mdxKey(c.field, c.fieldBytes), bytesOf(c.expected));
  }
}

TEST(MdxKey, DecimalAndDateKeysCompareByValue) {
  const FieldDef numeric{"IMPORTE", FieldType::Numeric, 12, 2};
  const std::vector<std::string> ascending = {"-1000.00", "-12.25", "-1.00", "-0.05", "0.00",
                                              "0.05",     "1.00",   "5.00",  "12.25", "1000.00"};
  const FieldDef date{"FECHA", FieldType::Date, 8, 0};
  const std::vector<std::string> days = {"        ", "19991231", "20000101", "20250314"};
  struct Case {
    const char* name;
    FieldDef field;
    std::vector<std::string> values;
  };
  for (const Case& c : {Case{"Decimal", numeric, ascending}, Case{"Date", date, days}}) {
    SCOPED_TRACE(c.name);
    const char type = mdxTagFor("T", c.field).keyType;
    for (std::size_t i = 0; i < c.values.size(); ++i) {
      for (std::size_t j = 0; j < c.values.size(); ++j) {
        const int order = compareMdxKeys(type, mdxKey(c.field, c.values[i]), mdxKey(c.field, c.values[j]));
        EXPECT_EQ(order < 0, i < j) << c.values[i] << " vs " << c.values[j];
        EXPECT_EQ(order == 0, i == j) << c.values[i] << " vs " << c.values[j];
      }
    }
  }
}

// ---------------------------------------------------------------------------
// The two-tag index of table PLANTILLA: ABREV C10 and HORA I, records
// ("AB", 5) and ("X", -1), written on 2025-03-14.

std::vector<MdxTagContents> plantillaTags() {
  const FieldDef abrev = characterField("ABREV", 10);
  const FieldDef hora = integerField("HORA");
  // Given out of name order and with HORA in record order, so that the
  // writer has to sort both.
  return {
      {mdxTagFor("hora", hora), {{mdxKey(hora, integerBytes(5)), 1}, {mdxKey(hora, integerBytes(-1)), 2}}},
      {mdxTagFor("ABREV", abrev), {{mdxKey(abrev, "AB        "), 1}, {mdxKey(abrev, "X"), 2}}},
  };
}

std::string plantillaExpected() {
  std::string file(7168, '\0');
  put(file, 0x000, bytesOf("03 7D 03 0E") + "PLANTILL");
  put(file, 0x014, bytesOf("02 00 00 04  01 30 2B 00  02 00 00 57"));
  put(file, 0x020, bytesOf("0E 00 00 00  00 00 00 00  00 00 00 00  7D 03 0E 00"));
  put(file, 0x211, bytesOf("01"));
  put(file, 0x227, bytesOf("01"));
  put(file, 0x22B, bytesOf("06 00 00 00") + "ABREV");
  put(file, 0x22B + 37, bytesOf("10 00 02 00 02 43"));
  put(file, 0x256, bytesOf("0A 00 00 00") + "HORA");
  put(file, 0x256 + 37, bytesOf("10 00 00 01 02 49"));

  const auto tagHeader = [&file](std::size_t at, const std::string& head, const std::string& expression,
                                 const std::string& leaves) {
    put(file, at, bytesOf(head));
    put(file, at + 24, expression);
    put(file, at + 246, bytesOf("01"));
    put(file, at + 248, bytesOf(leaves));
    put(file, at + 257, bytesOf("7D 03 0E"));  // date
    put(file, at + 480, bytesOf("01"));        // the expression is one field
  };
  tagHeader(0xC00, "08 00 00 00  02 00 00 00  10 43 00 00  0A 00 3F 00  00 00 10 00  01 00 00 00", "ABREV",
            "08 00 00 00 08 00 00 00");
  put(file, 0x1000,
      bytesOf("02 00 00 00  00 00 00 00"
              "01 00 00 00 41 42 20 20 20 20 20 20 20 20 00 00"
              "02 00 00 00 58 20 20 20 20 20 20 20 20 20 00 00"));
  tagHeader(0x1400, "0C 00 00 00  02 00 00 00  10 49 00 00  04 00 7E 00  00 00 08 00  01 00 00 00", "HORA",
            "0C 00 00 00 0C 00 00 00");
  put(file, 0x1800,
      bytesOf("02 00 00 00  00 00 00 00"
              "02 00 00 00 7F FF FF FF"
              "01 00 00 00 80 00 00 05"));
  return file;
}

TEST(MdxWriter, ReproducesTheTwoTagExampleByteForByte) {
  const std::string written = buildMdx("plantilla", plantillaTags(), kDate);
  const std::string expected = plantillaExpected();
  ASSERT_EQ(written.size(), expected.size());
  EXPECT_EQ(firstDifference(written, expected), std::string::npos);
}

TEST(MdxReader, ReadsTheTwoTagExample) {
  const std::vector<MdxTagContents> read = readMdx(plantillaExpected(), "PLANTILLA.MDX");
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].tag, (MdxTag{"ABREV", "ABREV", 'C', 10}));
  EXPECT_EQ(read[0].entries, (std::vector<MdxEntry>{{"AB        ", 1}, {"X         ", 2}}));
  EXPECT_EQ(read[1].tag, (MdxTag{"HORA", "HORA", 'I', 4}));
  EXPECT_EQ(read[1].entries, (std::vector<MdxEntry>{{integerBytes(-1), 2}, {integerBytes(5), 1}}));
  EXPECT_EQ(readMdxTags(plantillaExpected(), "PLANTILLA.MDX"),
            (std::vector<MdxTag>{read[0].tag, read[1].tag}));
}

// A version 2 file holds the same blocks behind 32-byte slots at 544.
TEST(MdxReader, ReadsVersionTwoSlots) {
  const std::string v3 = buildMdx("PLANTILLA", plantillaTags(), kDate);
  std::string v2 = v3;
  std::fill(v2.begin() + 512, v2.begin() + 6 * kPage, '\0');
  v2[0] = 2;
  v2[26] = 32;
  for (std::size_t k = 1; k <= 2; ++k) {
    const std::size_t from = 512 + k * kSlotV3;
    const std::size_t to = 512 + k * 32;
    v2.replace(to, 4 + 10, v3, from, 4 + 10);  // page and name
    v2.replace(to + 15, 6, v3, from + 37, 6);  // format .. key type
  }
  const std::vector<MdxTagContents> fromV2 = readMdx(v2, "PLANTILLA.MDX");
  const std::vector<MdxTagContents> fromV3 = readMdx(v3, "PLANTILLA.MDX");
  ASSERT_EQ(fromV2.size(), fromV3.size());
  for (std::size_t i = 0; i < fromV2.size(); ++i) {
    EXPECT_EQ(fromV2[i].tag, fromV3[i].tag);
    EXPECT_EQ(fromV2[i].entries, fromV3[i].entries);
  }
  EXPECT_EQ(readMdxTags(v2, "PLANTILLA.MDX"), readMdxTags(v3, "PLANTILLA.MDX"));
}

// ---------------------------------------------------------------------------
// Round trips and the shape of the trees

// What a breadth-first walk of the tree of tag k sees.
struct TreeShape {
  int levels = 0;
  std::size_t nodes = 0;
  std::size_t mostInLeaf = 0;
  std::size_t mostInBranch = 0;
  std::size_t fewestChildren = std::numeric_limits<std::size_t>::max();
  std::uint32_t firstLeaf = 0;
  std::uint32_t lastLeaf = 0;
};

std::size_t tagHeaderAt(const std::string& file, std::size_t k) {
  return u32(file, 512 + k * kSlotV3) * kPage;
}

TreeShape shapeOf(const std::string& file, std::size_t k) {
  const std::size_t header = tagHeaderAt(file, k);
  const std::size_t group = static_cast<unsigned char>(file[header + 18]);
  TreeShape shape;
  std::vector<std::uint32_t> level{u32(file, header)};
  while (!level.empty()) {
    ++shape.levels;
    std::vector<std::uint32_t> below;
    for (const std::uint32_t page : level) {
      ++shape.nodes;
      const std::size_t at = page * kPage;
      const std::size_t n = u32(file, at);
      const std::uint32_t last = u32(file, at + 8 + n * group);
      if (last == 0) {
        shape.mostInLeaf = std::max(shape.mostInLeaf, n);
        continue;
      }
      for (std::size_t i = 0; i < n; ++i) below.push_back(u32(file, at + 8 + i * group));
      below.push_back(last);
      shape.mostInBranch = std::max(shape.mostInBranch, n);
      shape.fewestChildren = std::min(shape.fewestChildren, n + 1);
    }
    if (below.empty()) {
      shape.firstLeaf = level.front();
      shape.lastLeaf = level.back();
    }
    level = std::move(below);
  }
  return shape;
}

struct RoundTrip {
  const char* name;
  FieldDef field;
  std::size_t records;
  int levels;
};

// Record i's field bytes: many duplicates, negative integers, and bytes above
// 0x7F in character keys (they sort after ASCII letters).
// Records 2k and 2k + 1 share a value.
std::string fieldBytesOf(const FieldDef& field, std::size_t record) {
  const std::size_t value = record / 2 * 7919 % 9973;
  if (field.type == FieldType::Integer) {
    return integerBytes(static_cast<std::int32_t>(value) - 5000);
  }
  static const char kFirst[] = {'A', 'z', '\xD1', ' '};
  std::string text = kFirst[value % 4] + std::to_string(value);
  text.resize(static_cast<std::size_t>(field.width), ' ');
  return text;
}

// (key, record) ascending, character keys as unsigned bytes and integer keys
// by value.
bool indexLess(const FieldDef& field, const MdxEntry& a, const MdxEntry& b) {
  if (a.key != b.key) {
    if (field.type == FieldType::Integer) return integerValue(a.key) < integerValue(b.key);
    return std::memcmp(a.key.data(), b.key.data(), a.key.size()) < 0;
  }
  return a.record < b.record;
}

void PrintTo(const RoundTrip& c, std::ostream* out) { *out << c.name; }

class MdxRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(MdxRoundTrip, ReadsBackEveryEntryInIndexOrder) {
  const RoundTrip& c = GetParam();
  const MdxTag tag = mdxTagFor(c.field.name, c.field);
  std::vector<MdxEntry> entries;
  for (std::uint32_t record = 1; record <= c.records; ++record) {
    entries.push_back({mdxKey(c.field, fieldBytesOf(c.field, record)), record});
  }
  std::vector<MdxEntry> expected = entries;
  std::sort(expected.begin(), expected.end(),
            [&c](const MdxEntry& a, const MdxEntry& b) { return indexLess(c.field, a, b); });
  std::shuffle(entries.begin(), entries.end(), std::mt19937(42));

  const std::string file = buildMdx("PRUEBA", {{tag, entries}}, kDate);
  const std::vector<MdxTagContents> read = readMdx(file, "PRUEBA.MDX");
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].tag, tag);
  EXPECT_TRUE(read[0].entries == expected);

  const std::size_t maxKeys = 1012 / ((static_cast<std::size_t>(tag.keyLength) + 7) / 4 * 4);
  const TreeShape shape = shapeOf(file, 1);
  const std::size_t header = tagHeaderAt(file, 1);
  EXPECT_EQ(shape.levels, c.levels);
  EXPECT_LE(shape.mostInLeaf, maxKeys - 1);
  EXPECT_LE(shape.mostInBranch, maxKeys - 1);
  if (shape.levels > 1) {
    EXPECT_GE(shape.fewestChildren, 2u);
  }
  EXPECT_EQ(u32(file, header + 4), 2 * shape.nodes);
  EXPECT_EQ(u32(file, header + 248), shape.firstLeaf);
  EXPECT_EQ(u32(file, header + 252), shape.lastLeaf);
  EXPECT_EQ(file[header + 246], c.records > 0 ? 1 : 0);
  EXPECT_EQ(file.size() % kPage, 0u);
  EXPECT_EQ(u32(file, 32), file.size() / kPage);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MdxRoundTrip,
    ::testing::Values(RoundTrip{"Empty", characterField("ABREV", 10), 0, 1},
                      RoundTrip{"OneEntry", integerField("HORA"), 1, 1},
                      RoundTrip{"AFewEntries", characterField("ABREV", 10), 6, 1},
                      RoundTrip{"OneFullLeaf", integerField("HORA"), 125, 1},
                      RoundTrip{"OneMoreThanALeaf", integerField("HORA"), 126, 2},
                      // 13 entries of 240 bytes: 5 leaves, never a branch with one child.
                      RoundTrip{"WideKeys", characterField("TEXTO", 240), 13, 3},
                      RoundTrip{"WideKeysManyLevels", characterField("TEXTO", 240), 700, 5},
                      RoundTrip{"ManyCharacterKeys", characterField("PROF_DIA_SES", 13), 50000, 3},
                      RoundTrip{"ManyIntegerKeys", integerField("HORA"), 20000, 3}),
    [](const ::testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });

TEST(MdxWriter, RefusesTagsItCannotStore) {
  const MdxTag abrev = mdxTagFor("ABREV", characterField("ABREV", 10));
  const MdxTag lower{"abrev", "ABREV", 'C', 10};
  struct Case {
    const char* name;
    std::vector<MdxTagContents> tags;
  };
  const Case cases[] = {
      {"TwoTagsOfOneName", {{abrev, {}}, {lower, {}}}},
      {"KeyOfTheWrongLength", {{abrev, {{"AB", 1}}}}},
      {"RecordZero", {{abrev, {{"AB        ", 0}}}}},
      {"UnknownKeyType", {{MdxTag{"X", "X", 'L', 1}, {}}}},
      {"NameTooLong", {{MdxTag{std::string(33, 'A'), "X", 'I', 4}, {}}}},
      {"TooManyTags", std::vector<MdxTagContents>(48, {abrev, {}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(buildMdx("PRUEBA", c.tags, kDate), support::Error);
  }
}

// ---------------------------------------------------------------------------
// Damaged files

// PRUEBA.MDX with two tags: CLAVE (C240, four levels; tag 1) and HORA (I).
std::string damageBase() {
  const FieldDef clave = characterField("CLAVE", 240);
  const FieldDef hora = integerField("HORA");
  std::vector<MdxEntry> wide;
  std::vector<MdxEntry> narrow;
  for (std::uint32_t record = 1; record <= 60; ++record) {
    wide.push_back({mdxKey(clave, "K" + std::to_string(100 + record)), record});
    narrow.push_back({mdxKey(hora, integerBytes(static_cast<std::int32_t>(record))), record});
  }
  return buildMdx("PRUEBA", {{mdxTagFor("CLAVE", clave), wide}, {mdxTagFor("HORA", hora), narrow}}, kDate);
}

constexpr std::size_t kWideGroup = 244;  // a CLAVE node's group length

std::size_t rootAt(const std::string& file) { return u32(file, tagHeaderAt(file, 1)) * kPage; }

std::size_t firstLeafAt(const std::string& file) { return u32(file, tagHeaderAt(file, 1) + 248) * kPage; }

struct Damage {
  const char* name;
  std::function<void(std::string&)> apply;
  std::string reason;     // part of the text between the parentheses
  bool tagTable = false;  // also found when only the tag table is read
};

TEST(MdxReader, DamagedFilesGiveAnErrorNamingTheFile) {
  const Damage damages[] = {
      {"ShorterThanTheHeader", [](std::string& f) { f.resize(1500); }, "archivo más corto que la cabecera",
       true},
      {"Truncated", [](std::string& f) { f.resize(f.size() - 2048); }, "páginas y el archivo", true},
      {"UnknownSlotSize", [](std::string& f) { f[26] = 40; }, "entradas de etiqueta de 40", true},
      {"TooManyTags", [](std::string& f) { f[28] = 48; }, "48 etiquetas en uso", true},
      {"MoreTagsThanSlotsUsed", [](std::string& f) { f[28] = 3; }, "etiqueta 3 no tiene nombre", true},
      {"TagHeaderInTheHeaderArea", [](std::string& f) { putU32(f, 555, 4); },
       "cabecera de la etiqueta CLAVE está en la página 4", true},
      {"TwoTagsShareAHeader", [](std::string& f) { putU32(f, 598, u32(f, 555)); }, "se usa dos veces", true},
      {"SlotAndHeaderTypesDiffer", [](std::string& f) { f[555 + 42] = 'N'; }, "tipos de clave distintos",
       true},
      {"KeyLengthZero", [](std::string& f) { f[tagHeaderAt(f, 2) + 12] = 0; }, "clave de 0 bytes", true},
      {"KeyLengthTooLong", [](std::string& f) { putU32(f, tagHeaderAt(f, 1) + 12, 241 | 4u << 16); },
       "clave de 241 bytes", true},
      {"GroupLengthWrong", [](std::string& f) { f[tagHeaderAt(f, 2) + 18] = 12; }, "longitud de grupo 12",
       true},
      {"MaxKeysTooBig", [](std::string& f) { f[tagHeaderAt(f, 1) + 14] = 5; }, "máximo de 5 claves", true},
      {"ChildPastTheEnd", [](std::string& f) { putU32(f, rootAt(f) + 8, 4000); },
       "en la página 4000, fuera del archivo"},
      {"ChildInTheHeaderArea", [](std::string& f) { putU32(f, rootAt(f) + 8, 2); },
       "en la página 2, fuera del archivo"},
      {"Cycle", [](std::string& f) { putU32(f, rootAt(f) + 8, u32(f, tagHeaderAt(f, 1))); },
       "se usa dos veces"},
      {"KeyCountTooBig", [](std::string& f) { putU32(f, firstLeafAt(f), 0xFFFFFFFF); },
       "nodo con 4294967295 claves"},
      {"EmptyLeafBelowTheRoot",
       [](std::string& f) {
         putU32(f, firstLeafAt(f), 0);
         putU32(f, firstLeafAt(f) + 8, 0);
       },
       "hoja vacía"},
      {"RecordZero", [](std::string& f) { putU32(f, firstLeafAt(f) + 8, 0); }, "registro 0"},
      {"LeafKeysOutOfOrder", [](std::string& f) { f[firstLeafAt(f) + 12 + 3] = 'Z'; }, "claves desordenadas"},
      {"BranchKeyNotTheLastOfItsChild", [](std::string& f) { f[rootAt(f) + 12 + 3] = '0'; },
       "clave de rama distinta"},
      // The root's first child becomes the leftmost leaf, with the matching key.
      {"LeavesAtDifferentDepths",
       [](std::string& f) {
         const std::size_t leaf = firstLeafAt(f);
         const std::size_t lastKey = leaf + 8 + (u32(f, leaf) - 1) * kWideGroup + 4;
         putU32(f, rootAt(f) + 8, static_cast<std::uint32_t>(leaf / kPage));
         put(f, rootAt(f) + 12, f.substr(lastKey, 240));
       },
       "hojas a distinta profundidad"},
  };
  const std::string base = damageBase();
  ASSERT_EQ(readMdx(base, "PRUEBA.MDX").size(), 2u);
  ASSERT_GE(shapeOf(base, 1).levels, 3);
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.name);
    std::string file = base;
    d.apply(file);
    const std::string message = expectDamage([&file] { readMdx(file, "PRUEBA.MDX"); });
    EXPECT_EQ(message.rfind("Índice dañado: PRUEBA.MDX (", 0), 0u) << message;
    EXPECT_NE(message.find(d.reason), std::string::npos) << message;
    if (d.tagTable) {
      EXPECT_EQ(expectDamage([&file] { readMdxTags(file, "PRUEBA.MDX"); }), message);
    } else {
      EXPECT_EQ(readMdxTags(file, "PRUEBA.MDX").size(), 2u);
    }
  }
}

}  // namespace
}  // namespace dbase
