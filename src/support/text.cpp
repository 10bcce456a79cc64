#include "support/text.h"

#include <algorithm>

namespace support {

namespace {

bool isBlank(char c) { return c == ' '; }

bool isControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

bool isBlankOrNul(char c) { return c == ' ' || c == '\0'; }

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

template <typename Predicate>
std::string_view dropLeading(std::string_view text, Predicate drop) {
  while (!text.empty() && drop(text.front())) text.remove_prefix(1);
  return text;
}

template <typename Predicate>
std::string_view dropTrailing(std::string_view text, Predicate drop) {
  while (!text.empty() && drop(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string QuitaBlancos(std::string_view text) {
  return std::string(dropLeading(dropTrailing(text, isBlank), isBlank));
}

std::string QuitaBlancosIzq(std::string_view text) { return std::string(dropLeading(text, isBlank)); }

std::string QuitaBlancosDer(std::string_view text) { return std::string(dropTrailing(text, isBlank)); }

std::string Iniciales(std::string_view text) {
  std::string initials;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (isBlank(text[i])) initials += text[i + 1];
  }
  return initials;
}

std::string trimControls(std::string_view text) {
  return std::string(dropLeading(dropTrailing(text, isControlOrBlank), isControlOrBlank));
}

std::string_view trimBlanksAndNuls(std::string_view text) {
  return dropLeading(dropTrailing(text, isBlankOrNul), isBlankOrNul);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper(x) == upper(y); });
}

std::string upperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = upper(c);
  return result;
}

std::string oneLine(std::string_view text) {
  std::string line;
  for (const char c : text) {
    if (c != '\n' && c != '\r') {
      line += c;
    } else if (!line.empty() && line.back() != ' ') {
      line += ' ';
    }
  }
  return line;
}

}  // namespace support
