#include "support/text.h"

#include <gtest/gtest.h>

#include <string>

namespace support {
namespace {

using TextFunction = std::string (*)(std::string_view);

std::string blankAndNulTrim(std::string_view text) { return std::string(trimBlanksAndNuls(text)); }

struct TextCase {
  const char* name;
  TextFunction function;
  std::string input;
  std::string expected;
};

const TextCase kTextCases[] = {
    {"TrimOfEmptyIsEmpty", QuitaBlancos, "", ""},
    {"TrimOfBlanksIsEmpty", QuitaBlancos, "     ", ""},
    {"TrimDropsBothEnds", QuitaBlancos, "  Aula 3  ", "Aula 3"},
    {"TrimKeepsLeadingTab", QuitaBlancos, "\tAula ", "\tAula"},
    {"TrimKeepsTrailingCrLf", QuitaBlancos, " Aula\r\n", "Aula\r\n"},
    {"TrimKeepsInnerBlanks", QuitaBlancos, " a  b ", "a  b"},
    {"TrimKeepsNonBreakingSpace", QuitaBlancos,
     "\xA0"
     "a\xA0",
     "\xA0"
     "a\xA0"},
    {"RightTrimDropsTrailing", QuitaBlancosDer, "AB  ", "AB"},
    {"RightTrimKeepsLeading", QuitaBlancosDer, "  AB  ", "  AB"},
    {"RightTrimOfBlanksIsEmpty", QuitaBlancosDer, "   ", ""},
    {"RightTrimOfEmptyIsEmpty", QuitaBlancosDer, "", ""},
    {"RightTrimStopsAtTab", QuitaBlancosDer, "AB\t  ", "AB\t"},
    {"LeftTrimDropsLeading", QuitaBlancosIzq, "  AB", "AB"},
    {"LeftTrimKeepsTrailing", QuitaBlancosIzq, "  AB  ", "AB  "},
    {"LeftTrimOfBlanksIsEmpty", QuitaBlancosIzq, "   ", ""},
    {"LeftTrimOfEmptyIsEmpty", QuitaBlancosIzq, "", ""},
    {"LeftTrimStopsAtTab", QuitaBlancosIzq, "  \tAB", "\tAB"},
    {"InitialsSkipFirstWord", Iniciales, "Lengua Castellana y Literatura", "CyL"},
    {"InitialsTakeFirstAfterLeadingBlank", Iniciales, " Ciencias", "C"},
    {"InitialsIgnoreFinalBlank", Iniciales, "Ciencias ", ""},
    {"InitialsOfDoubleBlankGiveBlankThenLetter", Iniciales, "a  b", " b"},
    {"InitialsOfEmptyIsEmpty", Iniciales, "", ""},
    {"InitialsOfOneBlankIsEmpty", Iniciales, " ", ""},
    {"InitialsIgnoreTabs", Iniciales, "Hola\tmundo y\tfin", "y"},
    {"InitialsKeepHighBytes", Iniciales,
     "Lengua \xC9"
     "uskera",
     "\xC9"},
    {"ControlTrimOfEmptyIsEmpty", trimControls, "", ""},
    {"ControlTrimDropsControlsAndBlanks", trimControls,
     "\t\r\n \x01"
     "Aula 3\x1A \r\n",
     "Aula 3"},
    {"ControlTrimOfControlsOnlyIsEmpty", trimControls, "\x1F\t \r", ""},
    {"ControlTrimKeepsInnerControls", trimControls, " a\tb ", "a\tb"},
    {"ControlTrimKeepsHighBytes", trimControls, "\xA0\xE9 \x80", "\xA0\xE9 \x80"},
    {"ControlTrimKeepsDelete", trimControls,
     "\x7F"
     "a",
     "\x7F"
     "a"},
    {"PaddingTrimDropsBlanksAndNuls", blankAndNulTrim, std::string(" \0AB C\0 \0", 9), "AB C"},
    {"PaddingTrimKeepsTabsAndInnerNuls", blankAndNulTrim, std::string("\tA\0B\t", 5),
     std::string("\tA\0B\t", 5)},
    {"PaddingTrimOfPaddingIsEmpty", blankAndNulTrim, std::string("\0 \0", 3), ""},
    {"UpperChangesAsciiLettersOnly", upperAscii, "prof.dbf \xE1\xF1 Zz9", "PROF.DBF \xE1\xF1 ZZ9"},
};

TEST(TextHelpers, EachCaseGivesItsResult) {
  for (const TextCase& c : kTextCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.function(c.input), c.expected);
  }
}

struct CaseCase {
  const char* name;
  std::string a;
  std::string b;
  bool equal;
};

const CaseCase kCaseCases[] = {
    {"SameText", "ABREV", "ABREV", true},
    {"AsciiCaseIgnored", "abrev.Dbf", "ABREV.DBF", true},
    {"OtherLettersKeepTheirCase", "\xE1", "\xC1", false},
    {"LengthsDiffer", "ABREV", "ABREV ", false},
    {"BothEmpty", "", "", true},
    {"NotLettersAreNotFolded", "@[", "`{", false},
};

TEST(TextHelpers, CaseIsIgnoredForAsciiLettersOnly) {
  for (const CaseCase& c : kCaseCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(equalsIgnoringCase(c.a, c.b), c.equal);
    EXPECT_EQ(equalsIgnoringCase(c.b, c.a), c.equal);
  }
}

}  // namespace
}  // namespace support
