// Tag descriptions, key bytes and key order of the production index.
#include "support/dbase/mdx.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/dbase/mdx_layout.h"
#include "support/error.h"
#include "support/text.h"

namespace dbase {
namespace {

constexpr std::size_t kDecimalKeyLength = 12;
constexpr std::size_t kMaxDecimalDigits = 20;  // two per byte in bytes 2..11
constexpr int kDecimalExponentBias = 0x34;

char keyTypeOf(const FieldDef& field) {
  const char letter = static_cast<char>(field.type);
  switch (letter) {
    case 'C':
    case 'I':
    case '+':
    case 'O':
    case '@':
    case 'D':
      return letter;
    case 'N':
    case 'F':
      return 'N';
    default:
      throw support::Error("No se puede indexar el campo " + field.name + " de tipo " +
                           std::string(1, letter));
  }
}

int keyLengthFor(const FieldDef& field) {
  const std::optional<int> length = mdx::keyLengthOf(keyTypeOf(field), field.width);
  if (!length) {
    throw support::Error("No se puede indexar el campo " + field.name + ": una clave de " +
                         std::to_string(field.width) + " bytes no cabe en el índice");
  }
  return *length;
}

// 0.d1d2d3... x 10^E as a biased exponent byte, a sign/digit-count byte and
// the significant digits two to a byte. Blank or non-numeric text (a null or
// an overflow fill such as "***") is keyed as zero.
std::string decimalKey(std::string_view fieldBytes) {
  std::string key(kDecimalKeyLength, '\0');
  mdx::putU8(key, 0, kDecimalExponentBias);
  mdx::putU8(key, 1, 0x01);

  std::string_view text = support::trimBlanksAndNuls(fieldBytes);
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  std::string digits;
  std::size_t integerDigits = std::string_view::npos;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      digits += c;
    } else if (c == '.' && integerDigits == std::string_view::npos) {
      integerDigits = digits.size();
    } else {
      return key;
    }
  }
  if (integerDigits == std::string_view::npos) integerDigits = digits.size();
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return key;
  const std::size_t last = digits.find_last_not_of('0');
  const std::string significant = digits.substr(first, std::min(last + 1 - first, kMaxDecimalDigits));
  const long exponent = static_cast<long>(integerDigits) - static_cast<long>(first);
  // Only a field far wider than any decimal field gets here.
  if (exponent + kDecimalExponentBias < 0 || exponent + kDecimalExponentBias > 0xFF) return key;

  mdx::putU8(key, 0, static_cast<std::uint8_t>(exponent + kDecimalExponentBias));
  mdx::putU8(key, 1, static_cast<std::uint8_t>((negative ? 0x80 : 0) | significant.size() << 2 | 0x01));
  for (std::size_t i = 0; i < significant.size(); ++i) {
    const int digit = significant[i] - '0';
    key[2 + i / 2] = static_cast<char>(key[2 + i / 2] | (i % 2 == 0 ? digit << 4 : digit));
  }
  return key;
}

int parseDigits(std::string_view text) {
  int value = 0;
  for (const char c : text) value = value * 10 + (c - '0');
  return value;
}

// The Julian day number of an ASCII YYYYMMDD date as a little-endian double;
// a blank or malformed date is day 0.
std::string dateKey(std::string_view fieldBytes) {
  double day = 0.0;
  const std::string_view text = fieldBytes.substr(0, 8);
  if (text.size() == 8 &&
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    const int year = parseDigits(text.substr(0, 4));
    const int month = parseDigits(text.substr(4, 2));
    const int dayOfMonth = parseDigits(text.substr(6, 2));
    if (month >= 1 && month <= 12 && dayOfMonth >= 1 && dayOfMonth <= 31) {
      const int a = (14 - month) / 12;
      const long y = year + 4800 - a;
      const long m = month + 12 * a - 3;
      day = static_cast<double>(dayOfMonth + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045);
    }
  }
  const auto bits = std::bit_cast<std::uint64_t>(day);
  std::string key(8, '\0');
  mdx::putU32(key, 0, static_cast<std::uint32_t>(bits));
  mdx::putU32(key, 4, static_cast<std::uint32_t>(bits >> 32));
  return key;
}

template <typename T>
int threeWay(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// Unsigned byte order; char_traits<char> compares as unsigned char.
int byteOrder(std::string_view a, std::string_view b) { return threeWay(a.compare(b), 0); }

int decimalSign(std::string_view key) {
  if (key.substr(2).find_first_not_of('\0') == std::string_view::npos) return 0;
  return (mdx::getU8(key, 1) & 0x80) != 0 ? -1 : 1;
}

// Sign first; then exponent and digits, reversed for negative values. The
// digit-count byte plays no part: writers disagree on it.
int decimalOrder(std::string_view a, std::string_view b) {
  if (a.size() != kDecimalKeyLength || b.size() != kDecimalKeyLength) return byteOrder(a, b);
  const int signA = decimalSign(a);
  const int signB = decimalSign(b);
  if (signA != signB) return threeWay(signA, signB);
  int magnitude = threeWay(mdx::getU8(a, 0), mdx::getU8(b, 0));
  if (magnitude == 0) magnitude = byteOrder(a.substr(2), b.substr(2));
  return signA * magnitude;
}

// A double's bits turned so that unsigned order is numeric order.
std::uint64_t orderedDouble(std::string_view key) {
  const std::uint64_t bits = mdx::getU32(key, 0) | static_cast<std::uint64_t>(mdx::getU32(key, 4)) << 32;
  return (bits >> 63) != 0 ? ~bits : bits | std::uint64_t{1} << 63;
}

int dateOrder(std::string_view a, std::string_view b) {
  if (a.size() != 8 || b.size() != 8) return byteOrder(a, b);
  return threeWay(orderedDouble(a), orderedDouble(b));
}

}  // namespace

namespace mdx {

std::optional<int> keyLengthOf(char keyType, int fieldWidth) {
  switch (keyType) {
    case 'C':
      if (fieldWidth < 1 || fieldWidth > kMaxKeyLength) return std::nullopt;
      return fieldWidth;
    case 'I':
    case '+':
      return 4;
    case 'O':
    case '@':
    case 'D':
      return 8;
    case 'N':
      return static_cast<int>(kDecimalKeyLength);
    default:
      return std::nullopt;
  }
}

}  // namespace mdx

MdxTag mdxTagFor(const std::string& tagName, const FieldDef& field) {
  return {support::upperAscii(tagName), support::upperAscii(field.name), keyTypeOf(field),
          keyLengthFor(field)};
}

std::string mdxKey(const FieldDef& field, std::string_view fieldBytes) {
  const char keyType = keyTypeOf(field);
  const auto length = static_cast<std::size_t>(keyLengthFor(field));
  switch (keyType) {
    case 'N':
      return decimalKey(fieldBytes);
    case 'D':
      return dateKey(fieldBytes);
    case 'C': {
      std::string key(fieldBytes.substr(0, length));
      key.resize(length, ' ');
      std::replace(key.begin(), key.end(), '\0', ' ');
      return key;
    }
    default: {
      std::string key(fieldBytes.substr(0, length));
      key.resize(length, '\0');
      return key;
    }
  }
}

int compareMdxKeys(char keyType, std::string_view a, std::string_view b) {
  switch (keyType) {
    case 'N':
      return decimalOrder(a, b);
    case 'D':
      return dateOrder(a, b);
    default:
      return byteOrder(a, b);
  }
}

}  // namespace dbase
