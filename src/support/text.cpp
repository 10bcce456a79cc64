#include "support/text.h"

namespace support {

namespace {

bool isBlank(char c) { return c == ' '; }

bool isControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

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

}  // namespace support
