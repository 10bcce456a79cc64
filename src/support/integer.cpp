#include "support/integer.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

#include "support/cp1252.h"
#include "support/error.h"
#include "support/text.h"

namespace support {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexDigitValue(char c) {
  if (isDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The value of a whole text of hexadecimal digits, nullopt when a character
// is not one or the value passes 32 bits.
std::optional<std::uint32_t> parseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    const int digit = hexDigitValue(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

// The magnitude of a whole text of decimal digits, nullopt when a character
// is not a digit or the magnitude passes limit.
std::optional<std::uint64_t> parseDecimal(std::string_view digits, std::uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    if (!isDigit(c)) return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > limit) return std::nullopt;
  }
  return value;
}

std::optional<std::int32_t> parseInteger(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  constexpr std::uint64_t kMaxPositive = 2147483647u;
  const std::optional<std::uint64_t> magnitude =
      parseDecimal(text, negative ? kMaxPositive + 1 : kMaxPositive);
  if (!magnitude) return std::nullopt;
  const auto value = static_cast<std::int64_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

// The number of a text made of an optional sign, digits with at most one
// decimal point ('.' or ','; at least one digit) and an optional exponent.
std::optional<double> parseFloat(std::string_view text) {
  std::string normalized;
  std::size_t i = 0;
  const auto take = [&](char c) {
    normalized += c;
    ++i;
  };
  const auto takeDigits = [&] {
    const std::size_t start = i;
    while (i < text.size() && isDigit(text[i])) take(text[i]);
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') normalized += '-';
    ++i;
  }
  std::size_t mantissaDigits = takeDigits();
  if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
    take('.');
    mantissaDigits += takeDigits();
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    take('e');
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) take(text[i]);
    if (takeDigits() == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  double value = 0;
  const char* end = normalized.data() + normalized.size();
  const auto [ptr, ec] = std::from_chars(normalized.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::string quoted(std::string_view text) { return "'" + cp1252ToUtf8(text) + "'"; }

}  // namespace

std::int32_t strToInt(std::string_view text) {
  const std::optional<std::int32_t> value = parseInteger(text);
  if (!value) throw Error(quoted(text) + " is not a valid integer value");
  return *value;
}

std::int32_t hexStrToInt(std::string_view digits) {
  const std::optional<std::uint32_t> value = parseHex(digits);
  if (!value) throw Error(quoted("$" + std::string(digits)) + " is not a valid integer value");
  // Narrowing wraps modulo 2^32, so "FFFFFFFF" is -1.
  return static_cast<std::int32_t>(*value);
}

std::optional<std::int32_t> fieldTextToInt(std::string_view text, std::string_view fieldName) {
  if (text.empty()) return std::nullopt;
  const std::optional<std::int32_t> value = parseInteger(text);
  if (!value) throw Error(quoted(text) + " is not a valid integer value for field " + quoted(fieldName));
  return value;
}

std::optional<double> fieldTextToFloat(std::string_view text, std::string_view fieldName) {
  if (text.empty()) return std::nullopt;
  const std::optional<double> value = parseFloat(QuitaBlancos(text));
  if (!value)
    throw Error(quoted(text) + " is not a valid floating point value for field " + quoted(fieldName));
  return value;
}

}  // namespace support
