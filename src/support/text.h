// Blank trimming and word initials for Windows-1252 byte strings cut out of
// DAE records or read from tables. Only the blank (code 32) counts as white
// space for the QuitaBlancos family: tabs and other control characters are
// kept. trimControls is the general trim that also drops control characters.
// And the names of files, dBase fields, tags and settings keys: ASCII letter
// case (bytes other than A-Z and a-z never change, whatever the locale) and
// the blank or NUL padding of names and values in dBase files.
// None of these functions can fail.
#pragma once

#include <string>
#include <string_view>

namespace support {

// The text without leading and trailing blanks.
std::string QuitaBlancos(std::string_view text);

// The text without leading blanks.
std::string QuitaBlancosIzq(std::string_view text);

// The text without trailing blanks.
std::string QuitaBlancosDer(std::string_view text);

// The character that follows each blank, in order. The first character is
// taken only when the text starts with a blank, a final blank gives nothing,
// and two blanks in a row give a blank and then the character after the
// second one ("a  b" gives " b").
std::string Iniciales(std::string_view text);

// The text without every character of code 32 or less at either end. Bytes
// of 0x80 and above are letters and symbols, never control characters.
std::string trimControls(std::string_view text);

// The text without blanks and NUL bytes at either end.
std::string_view trimBlanksAndNuls(std::string_view text);

// True when a and b differ at most in the case of ASCII letters.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The text with its ASCII letters in upper case.
std::string upperAscii(std::string_view text);

// The text on one line: each run of line breaks (CR, LF) becomes one blank,
// none where a blank is already there.
std::string oneLine(std::string_view text);

}  // namespace support
