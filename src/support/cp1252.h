// Conversion between the Windows-1252 bytes that DAE files and work tables
// hold and the UTF-8 that messages and the user interface use. Every byte has
// a character: the five bytes that Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the C1 controls of the same number, so any byte
// string survives a round trip through UTF-8 unchanged.
#pragma once

#include <string>
#include <string_view>

namespace support {

std::string cp1252ToUtf8(std::string_view bytes);

// Characters that have no Windows-1252 byte, and bytes that are not valid
// UTF-8 (one '?' for each such byte), become '?'.
std::string utf8ToCp1252(std::string_view utf8);

// The text with every upper-case letter of Windows-1252 in lower case,
// accented letters and \x8A \x8C \x8E \x9F included: the form in which two
// names are compared without regard to case.
std::string foldCaseCp1252(std::string_view text);

}  // namespace support
