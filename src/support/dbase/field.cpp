#include "support/dbase/field.h"

#include <utility>

namespace dbase {

FieldDef characterField(std::string name, int width) {
  return {std::move(name), FieldType::Character, width, 0};
}

FieldDef integerField(std::string name) { return {std::move(name), FieldType::Integer, 4, 0}; }

FieldDef logicalField(std::string name) { return {std::move(name), FieldType::Logical, 1, 0}; }

FieldDef floatField(std::string name) { return {std::move(name), FieldType::Double, 8, 0}; }

}  // namespace dbase
