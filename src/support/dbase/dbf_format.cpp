#include "support/dbase/dbf_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "support/cp1252.h"
#include "support/error.h"
#include "support/integer.h"
#include "support/text.h"

namespace dbase {
namespace {

constexpr std::size_t kLevel7HeaderSize = 68;
constexpr std::size_t kLevel7DescriptorSize = 48;
constexpr std::size_t kClassicDescriptorSize = 32;
constexpr char kTerminator = 0x0D;
constexpr int kMaxCharacterWidth = 254;

std::uint32_t readLe32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t readLe16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1])
                                                                            << 8);
}

void putLe32(std::string& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void putLe16(std::string& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>(v >> 8);
}

[[noreturn]] void damaged(const std::string& fileName, const std::string& reason) {
  throw support::Error("Tabla dañada: " + fileName + " (" + reason + ")");
}

bool acceptedVersion(unsigned char v) {
  switch (v) {
    case 0x02:
    case 0x03:
    case 0x83:
    case 0x8B:
    case 0x7B:
    case 0x43:
    case 0x63:
    case 0x8E:
    case 0xCB:
    case 0xE5:
    case 0xF5:
    case 0xFB:
    case 0x30:
    case 0x31:
    case 0x32:
    case 0x04:
    case 0x8C:
      return true;
    default:
      return false;
  }
}

bool binaryType(FieldType t) {
  return t == FieldType::Integer || t == FieldType::AutoIncrement || t == FieldType::Double;
}

bool decimalType(FieldType t) { return t == FieldType::Numeric || t == FieldType::Float; }

std::string fieldError(const FieldDef& field, const std::string& what) {
  return what + " en el campo '" + field.name + "'";
}

bool allBytes(std::string_view s, char c) {
  for (char x : s)
    if (x != c) return false;
  return true;
}

// Shortest decimal text that reads back as value ("5", "2.5", "-199.99").
std::string formatNumber(double value) {
  std::array<char, 64> buf{};
  const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), value);
  return std::string(buf.data(), result.ptr);
}

std::uint64_t doubleBits(double v) { return std::bit_cast<std::uint64_t>(v); }

std::string bigEndian(std::uint64_t v, int bytes) {
  std::string out(static_cast<std::size_t>(bytes), '\0');
  for (int i = bytes - 1; i >= 0; --i) {
    out[static_cast<std::size_t>(i)] = static_cast<char>(v & 0xFF);
    v >>= 8;
  }
  return out;
}

std::uint64_t fromBigEndian(std::string_view b) {
  std::uint64_t v = 0;
  for (char c : b) v = (v << 8) | static_cast<unsigned char>(c);
  return v;
}

std::uint64_t fromLittleEndian(std::string_view b) {
  std::uint64_t v = 0;
  for (std::size_t i = b.size(); i > 0; --i) v = (v << 8) | static_cast<unsigned char>(b[i - 1]);
  return v;
}

// The sortable 8-byte form of a double (as a Level 7 'O' field stores it).
std::string orderedDouble(double value) {
  if (value == 0.0) value = 0.0;  // -0.0 becomes +0.0
  std::uint64_t bits = doubleBits(value);
  bits = (bits >> 63) ? ~bits : bits | (std::uint64_t{1} << 63);
  return bigEndian(bits, 8);
}

double fromOrderedDouble(std::string_view b) {
  std::uint64_t bits = fromBigEndian(b);
  bits = (bits >> 63) ? bits & ~(std::uint64_t{1} << 63) : ~bits;
  return std::bit_cast<double>(bits);
}

// A Level 7 'I' field: big-endian with the sign bit inverted; all NUL is no value.
std::int32_t level7Int(std::string_view b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(fromBigEndian(b)) ^ 0x80000000u);
}

bool parseDecimal(std::string_view text, double& value) {
  const std::string t(support::trimBlanksAndNuls(text));
  if (t.empty()) return false;
  const char* begin = t.data();
  if (*begin == '+') ++begin;
  const auto result = std::from_chars(begin, t.data() + t.size(), value);
  return result.ec == std::errc() && result.ptr == t.data() + t.size();
}

std::string decimalText(const FieldDef& field, double value) {
  std::array<char, 64> buf{};
  const auto result =
      std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, field.decimals);
  std::string text(buf.data(), result.ptr);
  if (text.size() > static_cast<std::size_t>(field.width)) {
    throw support::Error(fieldError(field, "El valor " + text + " no cabe"));
  }
  return std::string(static_cast<std::size_t>(field.width) - text.size(), ' ') + text;
}

// The key of a field of another kind than characters.
std::string orderedKey(const FieldDef& field, DbfFamily family, std::string_view bytes) {
  switch (field.type) {
    case FieldType::Integer:
    case FieldType::AutoIncrement:
      if (family == DbfFamily::Level7) return std::string(bytes);
      return bigEndian(static_cast<std::uint32_t>(decodeInteger(field, family, bytes)) ^ 0x80000000u, 4);
    case FieldType::Double:
    case FieldType::Numeric:
    case FieldType::Float:
      // No value sorts first, as an all-NUL binary key does.
      if (isEmptyValue(field, family, bytes)) return std::string(8, '\0');
      return orderedDouble(decodeNumber(field, family, bytes));
    default:
      return std::string(bytes);
  }
}

}  // namespace

DbfLayout parseDbfHeader(std::string_view bytes, const std::string& fileName) {
  return parseDbfHeader(bytes, bytes.size(), fileName);
}

DbfLayout parseDbfHeader(std::string_view bytes, std::uint64_t fileSize, const std::string& fileName) {
  if (bytes.size() < 32) damaged(fileName, "cabecera incompleta");
  const auto version = static_cast<unsigned char>(bytes[0]);
  if (!acceptedVersion(version)) damaged(fileName, "no es una tabla dBase");
  DbfLayout layout;
  layout.family = (version & 0x07) == 4                  ? DbfFamily::Level7
                  : (version >= 0x30 && version <= 0x32) ? DbfFamily::VisualFoxPro
                                                         : DbfFamily::Classic;
  layout.headerLength = readLe16(bytes, 8);
  layout.recordLength = readLe16(bytes, 10);
  layout.mdxFlag = bytes[28] != 0;
  const std::size_t firstDescriptor = layout.family == DbfFamily::Level7 ? kLevel7HeaderSize : 32;
  const std::size_t descriptorSize =
      layout.family == DbfFamily::Level7 ? kLevel7DescriptorSize : kClassicDescriptorSize;
  if (layout.headerLength < firstDescriptor + 1) damaged(fileName, "longitud de cabecera incorrecta");
  if (layout.headerLength > bytes.size()) damaged(fileName, "la cabecera es más larga que el archivo");
  if (layout.recordLength < 1) damaged(fileName, "longitud de registro incorrecta");

  const std::size_t nameSize = layout.family == DbfFamily::Level7 ? 32 : 11;
  std::size_t at = firstDescriptor;
  std::size_t widthSum = 1;
  while (at < layout.headerLength && bytes[at] != kTerminator) {
    if (at + descriptorSize > layout.headerLength) damaged(fileName, "descriptor de campo incompleto");
    const std::string_view desc = bytes.substr(at, descriptorSize);
    const std::size_t nul = desc.substr(0, nameSize).find('\0');
    if (nul == std::string_view::npos) damaged(fileName, "nombre de campo sin terminar");
    FieldDef field;
    field.name = support::trimBlanksAndNuls(desc.substr(0, nul));
    if (field.name.empty()) damaged(fileName, "campo sin nombre");
    const std::size_t typeAt = layout.family == DbfFamily::Level7 ? 32 : 11;
    const std::size_t widthAt = layout.family == DbfFamily::Level7 ? 33 : 16;
    field.type = static_cast<FieldType>(desc[typeAt]);
    field.width = static_cast<unsigned char>(desc[widthAt]);
    field.decimals = static_cast<unsigned char>(desc[widthAt + 1]);
    if (field.width == 0) damaged(fileName, "campo '" + field.name + "' de longitud cero");
    layout.offsets.push_back(widthSum);
    widthSum += static_cast<std::size_t>(field.width);
    layout.fields.push_back(std::move(field));
    at += descriptorSize;
  }
  if (layout.fields.empty()) damaged(fileName, "la tabla no tiene campos");
  if (widthSum != layout.recordLength && layout.family != DbfFamily::Level7) {
    // FoxPro and Clipper keep the high byte of a long character width in the decimals.
    widthSum = 1;
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
      FieldDef& f = layout.fields[i];
      if (f.type == FieldType::Character && f.decimals != 0) {
        f.width += 256 * f.decimals;
        f.decimals = 0;
      }
      layout.offsets[i] = widthSum;
      widthSum += static_cast<std::size_t>(f.width);
    }
  }
  if (widthSum != layout.recordLength)
    damaged(fileName, "la longitud de registro no coincide con los campos");

  // Bytes after the last record (or a missing end mark) are harmless; fewer
  // whole records than the count means the file was cut short.
  layout.recordCount = readLe32(bytes, kCountOffset);
  const std::uint64_t present = (fileSize - layout.headerLength) / layout.recordLength;
  if (layout.recordCount > present) {
    damaged(fileName, "la cabecera declara " + std::to_string(layout.recordCount) +
                          " registros, pero el archivo solo contiene " + std::to_string(present) +
                          " completos");
  }
  return layout;
}

std::string dateBytes(DbfDate date) {
  std::string b(3, '\0');
  b[0] = static_cast<char>((date.year - 1900) & 0xFF);
  b[1] = static_cast<char>(date.month);
  b[2] = static_cast<char>(date.day);
  return b;
}

std::string level7Header(const std::vector<FieldDef>& fields, std::uint32_t recordCount, bool mdxFlag,
                         bool unfinished, DbfDate date) {
  const std::size_t headerLength = kLevel7HeaderSize + kLevel7DescriptorSize * fields.size() + 1;
  std::size_t recordLength = 1;
  for (const FieldDef& f : fields) {
    if (f.name.empty() || f.name.size() > 31)
      throw support::Error("Nombre de campo no válido: '" + f.name + "'");
    const bool fixed = f.type == FieldType::Integer     ? f.width == 4
                       : f.type == FieldType::Logical   ? f.width == 1
                       : f.type == FieldType::Double    ? f.width == 8
                       : f.type == FieldType::Character ? f.width >= 1 && f.width <= kMaxCharacterWidth
                       : decimalType(f.type)            ? f.width >= 1 && f.width <= 20
                                                        : false;
    if (!fixed) throw support::Error("Definición no válida del campo '" + f.name + "'");
    recordLength += static_cast<std::size_t>(f.width);
  }
  if (fields.empty() || headerLength > 0xFFFF || recordLength > 0xFFFF) {
    throw support::Error("Definición de tabla no válida");
  }
  std::string h(headerLength, '\0');
  h[0] = 0x04;
  const std::string d = dateBytes(date);
  h.replace(1, 3, d);
  putLe32(h, kCountOffset, recordCount);
  putLe16(h, 8, static_cast<std::uint16_t>(headerLength));
  putLe16(h, 10, static_cast<std::uint16_t>(recordLength));
  h[kUnfinishedOffset] = unfinished ? 1 : 0;
  h[28] = mdxFlag ? 1 : 0;
  const char driver[] = "DBWINUS0";
  std::memcpy(&h[32], driver, sizeof driver - 1);
  std::size_t at = kLevel7HeaderSize;
  for (const FieldDef& f : fields) {
    std::memcpy(&h[at], f.name.data(), f.name.size());
    h[at + 32] = static_cast<char>(f.type);
    h[at + 33] = static_cast<char>(f.width);
    h[at + 34] = static_cast<char>(f.decimals);
    at += kLevel7DescriptorSize;
  }
  h[at] = kTerminator;
  return h;
}

std::string emptyFieldBytes(const FieldDef& field, DbfFamily family) {
  const bool binary =
      binaryType(field.type) && !(family != DbfFamily::Level7 && field.type == FieldType::Double);
  return std::string(static_cast<std::size_t>(field.width), binary ? '\0' : ' ');
}

bool isEmptyValue(const FieldDef& field, DbfFamily family, std::string_view bytes) {
  if (family == DbfFamily::Level7 && binaryType(field.type)) return allBytes(bytes, '\0');
  if (decimalType(field.type)) {
    double v = 0;
    return !parseDecimal(bytes, v);
  }
  if (field.type == FieldType::Logical) {
    const char c = bytes.empty() ? ' ' : bytes[0];
    return !(c == 'T' || c == 't' || c == 'Y' || c == 'y' || c == 'F' || c == 'f' || c == 'N' || c == 'n');
  }
  return support::trimBlanksAndNuls(bytes).empty();
}

std::string decodeText(const FieldDef& field, DbfFamily family, std::string_view bytes) {
  switch (field.type) {
    case FieldType::Character:
      return std::string(characterValue(bytes));
    case FieldType::Logical:
      if (isEmptyValue(field, family, bytes)) return {};
      return decodeBoolean(field, family, bytes) ? "True" : "False";
    case FieldType::Integer:
    case FieldType::AutoIncrement:
    case FieldType::Double:
    case FieldType::Numeric:
    case FieldType::Float:
      if (isEmptyValue(field, family, bytes)) return {};
      if (field.type == FieldType::Integer || field.type == FieldType::AutoIncrement) {
        return std::to_string(decodeInteger(field, family, bytes));
      }
      return formatNumber(decodeNumber(field, family, bytes));
    default:
      return std::string(support::trimBlanksAndNuls(bytes));
  }
}

std::string_view characterValue(std::string_view bytes) {
  std::size_t e = bytes.size();
  while (e > 0 && (bytes[e - 1] == ' ' || bytes[e - 1] == '\0')) --e;
  return bytes.substr(0, e);
}

std::int32_t decodeInteger(const FieldDef& field, DbfFamily family, std::string_view bytes) {
  switch (field.type) {
    case FieldType::Integer:
    case FieldType::AutoIncrement:
      if (family == DbfFamily::VisualFoxPro) return static_cast<std::int32_t>(fromLittleEndian(bytes));
      return allBytes(bytes, '\0') ? 0 : level7Int(bytes);
    case FieldType::Character:
      return support::strToInt(decodeText(field, family, bytes));
    default: {
      if (isEmptyValue(field, family, bytes)) return 0;
      const double v = std::round(decodeNumber(field, family, bytes));
      if (!(v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max())) {
        throw support::Error(fieldError(field, "Valor fuera del rango de un entero"));
      }
      return static_cast<std::int32_t>(v);
    }
  }
}

double decodeNumber(const FieldDef& field, DbfFamily family, std::string_view bytes) {
  if (isEmptyValue(field, family, bytes)) return 0.0;
  switch (field.type) {
    case FieldType::Integer:
    case FieldType::AutoIncrement:
      return decodeInteger(field, family, bytes);
    case FieldType::Double:
      if (family == DbfFamily::Level7) return fromOrderedDouble(bytes);
      return std::bit_cast<double>(fromLittleEndian(bytes));
    case FieldType::Numeric:
    case FieldType::Float: {
      double v = 0;
      parseDecimal(bytes, v);
      return v;
    }
    default: {
      const auto v = support::fieldTextToFloat(decodeText(field, family, bytes), field.name);
      return v.value_or(0.0);
    }
  }
}

bool decodeBoolean(const FieldDef& field, DbfFamily family, std::string_view bytes) {
  if (field.type != FieldType::Logical) {
    throw support::Error(fieldError(field, "El valor no es lógico"));
  }
  (void)family;
  const char c = bytes.empty() ? ' ' : bytes[0];
  return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

std::string encodeText(const FieldDef& field, DbfFamily family, std::string_view text) {
  switch (field.type) {
    case FieldType::Character: {
      std::string out(static_cast<std::size_t>(field.width), ' ');
      encodeCharacters(text, out.data(), out.size());
      return out;
    }
    case FieldType::Integer:
    case FieldType::AutoIncrement: {
      const auto v = support::fieldTextToInt(text, field.name);
      return v ? encodeInteger(field, family, *v) : emptyFieldBytes(field, family);
    }
    case FieldType::Double:
    case FieldType::Numeric:
    case FieldType::Float: {
      const auto v = support::fieldTextToFloat(text, field.name);
      return v ? encodeNumber(field, family, *v) : emptyFieldBytes(field, family);
    }
    case FieldType::Logical: {
      if (text.empty()) return emptyFieldBytes(field, family);
      const char c = text[0];
      if (c == 'T' || c == 't' || c == 'Y' || c == 'y') return "T";
      if (c == 'F' || c == 'f' || c == 'N' || c == 'n') return "F";
      throw support::Error("'" + support::cp1252ToUtf8(text) + "' is not a valid boolean value for field '" +
                           field.name + "'");
    }
    case FieldType::Date: {
      std::string out(text.substr(0, 8));
      out.resize(8, ' ');
      return out;
    }
    default:
      throw support::Error(fieldError(field, "No se puede escribir este tipo de campo"));
  }
}

std::string encodeInteger(const FieldDef& field, DbfFamily family, std::int32_t value) {
  switch (field.type) {
    case FieldType::Integer:
    case FieldType::AutoIncrement:
      if (family != DbfFamily::Level7)
        throw support::Error(fieldError(field, "No se puede escribir este tipo de campo"));
      if (value == std::numeric_limits<std::int32_t>::min()) {
        throw support::Error(fieldError(field, "Valor fuera de rango"));
      }
      return bigEndian(static_cast<std::uint32_t>(value) ^ 0x80000000u, 4);
    case FieldType::Character:
      return encodeText(field, family, std::to_string(value));
    default:
      return encodeNumber(field, family, value);
  }
}

std::string encodeNumber(const FieldDef& field, DbfFamily family, double value) {
  if (!std::isfinite(value)) throw support::Error(fieldError(field, "Valor numérico no válido"));
  switch (field.type) {
    case FieldType::Double:
      if (family != DbfFamily::Level7)
        throw support::Error(fieldError(field, "No se puede escribir este tipo de campo"));
      return orderedDouble(value);
    case FieldType::Numeric:
    case FieldType::Float:
      return decimalText(field, value);
    case FieldType::Integer:
    case FieldType::AutoIncrement: {
      const double r = std::round(value);
      if (!(r > std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max())) {
        throw support::Error(fieldError(field, "Valor fuera de rango"));
      }
      return encodeInteger(field, family, static_cast<std::int32_t>(r));
    }
    case FieldType::Character:
      return encodeText(field, family, formatNumber(value));
    default:
      throw support::Error(fieldError(field, "No se puede escribir un número"));
  }
}

std::string encodeBoolean(const FieldDef& field, DbfFamily family, bool value) {
  if (field.type == FieldType::Character) return encodeText(field, family, value ? "True" : "False");
  if (field.type != FieldType::Logical)
    throw support::Error(fieldError(field, "No se puede escribir un valor lógico"));
  return value ? "T" : "F";
}

std::string sortKey(const FieldDef& field, DbfFamily family, std::string_view bytes) {
  std::string key;
  appendSortKey(field, family, bytes, key);
  return key;
}

void appendSortKey(const FieldDef& field, DbfFamily family, std::string_view bytes, std::string& out) {
  if (field.type == FieldType::Character) {
    const std::size_t at = out.size();
    out += bytes;
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(at), out.end(), '\0', ' ');
    return;
  }
  out += orderedKey(field, family, bytes);
}

}  // namespace dbase
