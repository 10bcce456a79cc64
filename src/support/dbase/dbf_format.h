// The bytes of a .DBF file: reading the header of any dBase variant the host
// may leave (III/IV/V, FoxPro, Visual FoxPro, Level 7) and writing the Level 7
// header of the tables the program creates; encoding and decoding one field's
// bytes. The header is never trusted: every length and count is checked
// against the file before it is used.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "support/dbase/dbf_date.h"
#include "support/dbase/field.h"

namespace dbase {

// Which family wrote the file: it decides the meaning of some type letters.
enum class DbfFamily { Level7, Classic, VisualFoxPro };

struct DbfLayout {
  DbfFamily family = DbfFamily::Level7;
  bool mdxFlag = false;
  std::vector<FieldDef> fields;
  std::vector<std::size_t> offsets;  // of each field inside the record (after the deletion byte)
  std::size_t headerLength = 0;
  std::size_t recordLength = 0;
  std::uint32_t recordCount = 0;  // as stored; a file holding fewer records is refused
};

constexpr char kLiveRecord = ' ';
constexpr char kDeletedRecord = '*';
constexpr char kEndOfFile = 0x1A;
constexpr std::size_t kCountOffset = 4;  // header bytes holding the record count
// Header byte set while a program is changing the table and cleared once the
// table and its index are complete again: still set after a crash.
constexpr std::size_t kUnfinishedOffset = 14;

// Reads and checks the header of a table file. Throws support::Error naming
// fileName when the bytes are not a usable dBase table.
DbfLayout parseDbfHeader(std::string_view bytes, const std::string& fileName);
// The same from the file's first bytes (its header at least) and its size.
DbfLayout parseDbfHeader(std::string_view firstBytes, std::uint64_t fileSize, const std::string& fileName);

// The header of a new Level 7 table (68 bytes, descriptors, terminator).
// Throws support::Error when a definition cannot be stored (name too long,
// bad width, more fields than fit).
std::string level7Header(const std::vector<FieldDef>& fields, std::uint32_t recordCount, bool mdxFlag,
                         bool unfinished, DbfDate date);

std::string dateBytes(DbfDate date);  // the 3 bytes year-1900, month, day

// The bytes of a field holding no value (blank for text, NUL for binary types).
std::string emptyFieldBytes(const FieldDef& field, DbfFamily family);

// Reading a field's bytes. text(): character values without trailing blanks
// (or NULs); numbers in their shortest decimal form; logical "True"/"False";
// no value reads as "". Throws support::Error for conversions that make no
// sense (integer() of a text that is not a whole number).
std::string decodeText(const FieldDef& field, DbfFamily family, std::string_view bytes);
// A character field's bytes without their trailing blanks (or NULs): its text.
std::string_view characterValue(std::string_view bytes);
bool isEmptyValue(const FieldDef& field, DbfFamily family, std::string_view bytes);
std::int32_t decodeInteger(const FieldDef& field, DbfFamily family, std::string_view bytes);
double decodeNumber(const FieldDef& field, DbfFamily family, std::string_view bytes);
bool decodeBoolean(const FieldDef& field, DbfFamily family, std::string_view bytes);

// Encoding a value into a field's bytes (exactly field.width of them). Text
// is cut to a character field's width; text written to a numeric field is
// converted ("" stores no value). Throws support::Error naming the field when
// the value does not fit or cannot be converted.
std::string encodeText(const FieldDef& field, DbfFamily family, std::string_view text);
// A character field's bytes written in place: text cut to width, blanks after it.
inline void encodeCharacters(std::string_view text, char* out, std::size_t width) {
  const std::size_t kept = text.size() < width ? text.size() : width;
  if (kept > 0) std::memcpy(out, text.data(), kept);
  std::memset(out + kept, ' ', width - kept);
}
std::string encodeInteger(const FieldDef& field, DbfFamily family, std::int32_t value);
std::string encodeNumber(const FieldDef& field, DbfFamily family, double value);
std::string encodeBoolean(const FieldDef& field, DbfFamily family, bool value);

// A key whose byte order (memcmp) is the field's value order: what an index on
// the field sorts by in memory.
std::string sortKey(const FieldDef& field, DbfFamily family, std::string_view bytes);
// The same key, appended to out.
void appendSortKey(const FieldDef& field, DbfFamily family, std::string_view bytes, std::string& out);

}  // namespace dbase
