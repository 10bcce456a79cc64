// Text to number conversions with the rules of the original runtime, used for
// the host window handle on the command line and for values typed into or
// copied to numeric table fields. Texts are Windows-1252 bytes like every
// value in the core; error texts quote them in UTF-8. Nothing here depends on
// the locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace support {

// Leading blanks, an optional '+' or '-', then decimal digits, or '$' and
// hexadecimal digits in either case. Hexadecimal values up to $FFFFFFFF wrap
// to 32-bit signed ("$FFFFFFFF" is -1); decimal values must fit in 32 bits.
// Anything else (empty text, trailing blanks, a lone sign or '$', letters)
// throws Error "'<text>' is not a valid integer value".
std::int32_t strToInt(std::string_view text);

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
