// Text to number conversions: decimal numbers of DAE files and of values typed
// into or copied to numeric table fields, and the hexadecimal host window
// handle on the command line. Texts are Windows-1252 bytes like every
// value in the core; error texts quote them in UTF-8. Nothing here depends on
// the locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace support {

// A decimal number, as DAE files and tables write them: leading blanks, an
// optional '+' or '-', then decimal digits; the value must fit in 32 bits.
// Anything else (empty text, trailing blanks, a lone sign, letters, a '$'
// hexadecimal number) throws Error "'<text>' is not a valid integer value".
std::int32_t strToInt(std::string_view text);

// The host window handle on the command line: hexadecimal digits in either
// case, without prefix, read as the runtime reads '$' followed by them. Values
// up to FFFFFFFF wrap to 32-bit signed ("FFFFFFFF" is -1). Anything else
// (empty text, blanks, a sign, other letters, more than 32 bits) throws Error
// "'$<digits>' is not a valid integer value".
std::int32_t hexStrToInt(std::string_view digits);

// A text stored into an integer field: the empty text stores no value
// (nullopt); any other text follows strToInt's rules, and a bad one throws
// Error "'<text>' is not a valid integer value for field '<fieldName>'".
std::optional<std::int32_t> fieldTextToInt(std::string_view text, std::string_view fieldName);

// A text stored into a floating-point field: the empty text stores no value
// (nullopt); otherwise blanks around the number are ignored, '.' or ',' is the
// decimal point and an exponent may follow. A bad text throws Error
// "'<text>' is not a valid floating point value for field '<fieldName>'".
std::optional<double> fieldTextToFloat(std::string_view text, std::string_view fieldName);

}  // namespace support
