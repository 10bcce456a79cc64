#include "support/dbase/index_check.h"

#include <algorithm>

#include "support/dbase/dbf_format.h"
#include "support/dbase/mdx.h"
#include "support/error.h"
#include "support/file_system.h"
#include "support/text.h"

namespace dbase {
namespace fs = std::filesystem;

namespace {

int fieldNamed(const DbfLayout& layout, const std::string& name) {
  for (std::size_t i = 0; i < layout.fields.size(); ++i) {
    if (support::equalsIgnoringCase(layout.fields[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

// What the tag on field must hold: one entry per record, in index order.
std::vector<MdxEntry> expectedEntries(const DbfLayout& layout, std::string_view records, int field) {
  const FieldDef& def = layout.fields[static_cast<std::size_t>(field)];
  struct Row {
    std::string sort;
    MdxEntry entry;
  };
  std::vector<Row> rows;
  for (std::uint32_t i = 0; i < layout.recordCount; ++i) {
    const std::string_view bytes =
        records.substr(i * layout.recordLength + layout.offsets[static_cast<std::size_t>(field)],
                       static_cast<std::size_t>(def.width));
    rows.push_back({sortKey(def, layout.family, bytes), {mdxKey(def, bytes), i + 1}});
  }
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.sort < b.sort; });
  std::vector<MdxEntry> entries;
  for (Row& r : rows) entries.push_back(std::move(r.entry));
  return entries;
}

}  // namespace

std::vector<std::string> checkIndexes(const fs::path& folder, std::string_view table) {
  std::string name(table);
  if (name.size() > 4 && (name.ends_with(".DBF") || name.ends_with(".dbf"))) name.resize(name.size() - 4);
  const auto dbf = support::findNoCase(folder, name + ".DBF");
  if (!dbf) throw support::Error("No existe la tabla " + support::displayPath(folder / (name + ".DBF")));
  const std::string bytes = support::readFile(*dbf);
  const DbfLayout layout = parseDbfHeader(bytes, support::displayPath(*dbf));
  const std::string_view records =
      std::string_view(bytes).substr(layout.headerLength, layout.recordCount * layout.recordLength);

  std::vector<std::string> problems;
  if (bytes[kUnfinishedOffset] != 0) {
    problems.push_back("La tabla no se terminó de escribir: el programa que la escribía se interrumpió");
  }
  const auto mdx = support::findNoCase(folder, name + ".MDX");
  if (!layout.mdxFlag) {
    if (mdx) problems.push_back("La tabla no declara índice, pero existe " + support::displayPath(*mdx));
    return problems;
  }
  if (!mdx) {
    problems.push_back("Falta el índice " + support::displayPath(folder / (name + ".MDX")));
    return problems;
  }
  for (const MdxTagContents& tag : readMdx(support::readFile(*mdx), support::displayPath(*mdx))) {
    const int field = fieldNamed(layout, tag.tag.expression);
    if (field < 0) {
      problems.push_back("Índice " + tag.tag.name + ": su clave '" + tag.tag.expression +
                         "' no es un campo de la tabla");
      continue;
    }
    const std::vector<MdxEntry> expected = expectedEntries(layout, records, field);
    if (expected.size() != tag.entries.size()) {
      problems.push_back("Índice " + tag.tag.name + ": " + std::to_string(tag.entries.size()) +
                         " entradas para " + std::to_string(expected.size()) + " registros");
      continue;
    }
    const auto diff = std::mismatch(expected.begin(), expected.end(), tag.entries.begin());
    if (diff.first != expected.end()) {
      problems.push_back("Índice " + tag.tag.name + ": la entrada " +
                         std::to_string(diff.first - expected.begin() + 1) + " no corresponde al registro " +
                         std::to_string(diff.first->record));
    }
  }
  return problems;
}

}  // namespace dbase
