#include "support/integer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "support/error.h"

namespace support {
namespace {

// The text of the Error that call throws, or "no error" when it returns.
template <typename Call>
std::string errorText(Call call) {
  try {
    call();
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

struct IntCase {
  const char* name;
  std::string text;
  std::int32_t expected;
};

const IntCase kValidIntegers[] = {
    {"LeadingBlanks", " 12", 12},
    {"PlusSign", "+5", 5},
    {"MinusSign", "-7", -7},
    {"Zero", "0", 0},
    {"LeadingZeros", "000000000000042", 42},
    {"BlanksBeforeSign", "  -3", -3},
    {"Largest", "2147483647", INT32_MAX},
    {"Smallest", "-2147483648", INT32_MIN},
};

TEST(StrToInt, ValidTextsGiveTheirValue) {
  for (const IntCase& c : kValidIntegers) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(strToInt(c.text), c.expected);
    EXPECT_EQ(fieldTextToInt(c.text, "NUM"), c.expected);
  }
}

// Numbers are decimal: the runtime's '$' hexadecimal notation is refused like
// any other letter.
const char* const kInvalidIntegers[] = {
    "",    "12 ", "1x",  "-",    "+",   "2147483648", "-2147483649",          "$",  "$G1",   "$100000000",
    "- 5", "\t5", "1.0", "0x1A", "--1", "$-1",        "99999999999999999999", "$A", "$1A2F", "-$10",
    " $5", "+$5", "$0",  "5$",
};

TEST(StrToInt, InvalidTextsThrowTheRuntimeMessage) {
  for (const char* text : kInvalidIntegers) {
    SCOPED_TRACE(text);
    EXPECT_EQ(errorText([&] { strToInt(text); }), "'" + std::string(text) + "' is not a valid integer value");
  }
}

struct HexCase {
  const char* name;
  std::string digits;
  std::int32_t expected;
};

const HexCase kValidHex[] = {
    {"UpperCase", "1A2F", 0x1A2F},
    {"LowerCase", "1a2f", 0x1A2F},
    {"DecimalLooking", "10", 16},
    {"LeadingZeros", "0000000000FF", 255},
    {"AllOnesWrapsToMinusOne", "FFFFFFFF", -1},
    {"HighBitWraps", "80000000", INT32_MIN},
};

TEST(HexStrToInt, HexadecimalDigitsGiveTheirValue) {
  for (const HexCase& c : kValidHex) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(hexStrToInt(c.digits), c.expected);
  }
}

TEST(HexStrToInt, AnythingElseThrowsWithTheDollarPrefixedText) {
  for (const char* digits : {"", "zz", "1G", " 1A", "1A ", "-1", "+1", "$1A", "100000000", "0x1A"}) {
    SCOPED_TRACE(digits);
    EXPECT_EQ(errorText([&] { hexStrToInt(digits); }),
              "'$" + std::string(digits) + "' is not a valid integer value");
  }
}

TEST(StrToInt, MessageQuotesWindows1252TextAsUtf8) {
  EXPECT_EQ(errorText([] { strToInt("1\xF1"); }), "'1\xC3\xB1' is not a valid integer value");
}

TEST(FieldTextToInt, EmptyTextStoresNoValue) { EXPECT_EQ(fieldTextToInt("", "NUM"), std::nullopt); }

TEST(FieldTextToInt, InvalidTextsNameTheField) {
  EXPECT_EQ(errorText([] { fieldTextToInt(" ", "NUMALUM"); }),
            "' ' is not a valid integer value for field 'NUMALUM'");
  EXPECT_EQ(errorText([] { fieldTextToInt("7a", "HORA"); }),
            "'7a' is not a valid integer value for field 'HORA'");
  EXPECT_EQ(errorText([] { fieldTextToInt("\xBA", "N"); }),
            "'\xC2\xBA' is not a valid integer value for field 'N'");
}

struct FloatCase {
  const char* name;
  std::string text;
  double expected;
};

const FloatCase kValidFloats[] = {
    {"Integer", "42", 42.0},
    {"DecimalPoint", "2.5", 2.5},
    {"DecimalComma", "2,5", 2.5},
    {"BlanksAround", "  -3.25  ", -3.25},
    {"PlusSign", "+1", 1.0},
    {"NoIntegerPart", ".5", 0.5},
    {"NoFraction", "5.", 5.0},
    {"Exponent", "1.5E3", 1500.0},
    {"NegativeExponent", "25e-1", 2.5},
    {"SignedExponent", "1,0e+2", 100.0},
};

TEST(FieldTextToFloat, ValidTextsGiveTheirValue) {
  for (const FloatCase& c : kValidFloats) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(fieldTextToFloat(c.text, "F"), c.expected);
  }
}

TEST(FieldTextToFloat, EmptyTextStoresNoValue) { EXPECT_EQ(fieldTextToFloat("", "F"), std::nullopt); }

const char* const kInvalidFloats[] = {
    "   ", "abc", "1.2.3", "1,2,3", "1e",  "1e+", "e5",    ".",
    "-",   "1 2", "1.5x",  "$10",   "inf", "nan", "0x1p3", "1e999",
};

TEST(FieldTextToFloat, InvalidTextsNameTheField) {
  for (const char* text : kInvalidFloats) {
    SCOPED_TRACE(text);
    EXPECT_EQ(errorText([&] { fieldTextToFloat(text, "HORAS"); }),
              "'" + std::string(text) + "' is not a valid floating point value for field 'HORAS'");
  }
}

}  // namespace
}  // namespace support
