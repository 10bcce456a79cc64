#include "support/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace support {
namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = cp1252ToUtf8(all);
  EXPECT_EQ(utf8ToCp1252(utf8), all);
}

struct Mapping {
  const char* name;
  std::string byte;
  std::string utf8;
};

const Mapping kMappings[] = {
    {"AsciiIsUnchanged", "A", "A"},
    {"NulIsKept", std::string(1, '\0'), std::string(1, '\0')},
    {"Euro", "\x80", "\xE2\x82\xAC"},
    {"SCaron", "\x8A", "\xC5\xA0"},
    {"ZCaron", "\x8E", "\xC5\xBD"},
    {"LeftDoubleQuote", "\x93", "\xE2\x80\x9C"},
    {"TradeMark", "\x99", "\xE2\x84\xA2"},
    {"YDiaeresis", "\x9F", "\xC5\xB8"},
    {"UndefinedByteIsC1Control", "\x81", "\xC2\x81"},
    {"UndefinedByte9D", "\x9D", "\xC2\x9D"},
    {"NoBreakSpace", "\xA0", "\xC2\xA0"},
    {"EAcute", "\xE9", "\xC3\xA9"},
    {"NTilde", "\xF1", "\xC3\xB1"},
    {"YDiaeresisSmall", "\xFF", "\xC3\xBF"},
};

TEST(Cp1252, KnownBytesMapBothWays) {
  for (const Mapping& m : kMappings) {
    SCOPED_TRACE(m.name);
    EXPECT_EQ(cp1252ToUtf8(m.byte), m.utf8);
    EXPECT_EQ(utf8ToCp1252(m.utf8), m.byte);
  }
}

TEST(Cp1252, WordsConvertWhole) {
  EXPECT_EQ(cp1252ToUtf8("Mi\xE9rcoles S\xE1"
                         "bado"),
            "Mi\xC3\xA9rcoles S\xC3\xA1"
            "bado");
  EXPECT_EQ(utf8ToCp1252("Mi\xC3\xA9rcoles S\xC3\xA1"
                         "bado"),
            "Mi\xE9rcoles S\xE1"
            "bado");
}

struct Unconvertible {
  const char* name;
  std::string utf8;
  std::string expected;
};

const Unconvertible kUnconvertible[] = {
    {"CharacterWithoutByte",
     "a\xE2\x82\xB9"
     "b",
     "a?b"},                                          // Indian rupee sign
    {"C1ControlWithoutByte", "\xC2\x80", "?"},        // U+0080 is not the euro byte
    {"CharacterBeyondBmp", "\xF0\x9F\x98\x80", "?"},  // emoji
    {"LoneContinuationByte",
     "a\x80"
     "b",
     "a?b"},
    {"InvalidLeadByte", "\xFF\xFE", "??"},
    {"TruncatedAtEnd", "ab\xE2\x82", "ab??"},
    {"TruncatedBeforeAscii",
     "\xC3"
     "A",
     "?A"},
    {"OverlongSlash", "\xC0\xAF", "??"},
    {"OverlongThreeBytes", "\xE0\x80\xAF", "???"},
    {"Surrogate", "\xED\xA0\x80", "???"},
    {"BeyondUnicode", "\xF4\x90\x80\x80", "????"},
};

TEST(Cp1252, UnconvertibleTextBecomesQuestionMarks) {
  for (const Unconvertible& c : kUnconvertible) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(utf8ToCp1252(c.utf8), c.expected);
  }
}

TEST(Cp1252, CaseFoldingLowersEveryUpperCaseLetterAndNothingElse) {
  const struct {
    const char* name;
    const char* text;
    const char* folded;
  } cases[] = {
      {"Ascii", "Aula 3B", "aula 3b"},
      {"AccentedVowelsAndEnye", "\xC1\xC9\xCD\xD3\xDA\xD1\xDC", "\xE1\xE9\xED\xF3\xFA\xF1\xFC"},
      {"CaronsLigatureAndYDiaeresis", "\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"},
      {"MultiplicationSignAndSharpSStay", "\xD7\xDF", "\xD7\xDF"},
      {"LowerCaseStays", "\xE1z", "\xE1z"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(foldCaseCp1252(c.text), c.folded);
  }
}

}  // namespace
}  // namespace support
