// Value types that describe a dBase table: its fields, its index tags and the
// values written into a record.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace dbase {

// The type letter stored in the field descriptor. Tables the program creates
// use Character, Integer, Logical and Double; the rest are only read (the
// host may leave any of them in its own tables).
enum class FieldType : char {
  Character = 'C',
  Integer = 'I',  // 32-bit, big-endian with the sign bit inverted
  Logical = 'L',
  Double = 'O',         // the "float" kind of the program's tables
  Numeric = 'N',        // ASCII decimal
  Float = 'F',          // ASCII decimal, like Numeric
  Date = 'D',           // ASCII YYYYMMDD
  AutoIncrement = '+',  // stored like Integer
};

struct FieldDef {
  std::string name;
  FieldType type = FieldType::Character;
  int width = 0;  // bytes in the record
  int decimals = 0;

  bool operator==(const FieldDef&) const = default;
};

FieldDef characterField(std::string name, int width);
FieldDef integerField(std::string name);
FieldDef logicalField(std::string name);
FieldDef floatField(std::string name);

// A tag orders the table by one field, ascending, duplicates allowed. The
// program always names a tag after its field.
struct TagDef {
  std::string name;
  std::string field;

  bool operator==(const TagDef&) const = default;
};

struct TableDef {
  std::string name;
  std::vector<FieldDef> fields;
  std::vector<TagDef> tags;

  bool operator==(const TableDef&) const = default;
};

// A value for one field of "append with values": nothing (the field stays
// empty), text (Windows-1252 bytes), an integer, a boolean or a float.
using Value = std::variant<std::monostate, std::string, std::int32_t, bool, double>;

}  // namespace dbase
