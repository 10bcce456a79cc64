#include "support/dbase/table_creation.h"

#include <algorithm>
#include <system_error>

#include "support/dbase/dbf_format.h"
#include "support/dbase/mdx.h"
#include "support/dbase/table_data.h"
#include "support/error.h"
#include "support/file_system.h"
#include "support/platform.h"

namespace dbase {
namespace fs = std::filesystem;

namespace {

std::vector<MdxTagContents> emptyTags(const std::string& name, const std::vector<FieldDef>& fields,
                                      const std::vector<TagDef>& tags) {
  std::vector<MdxTagContents> contents;
  for (const TagDef& tag : tags) {
    const auto field =
        std::find_if(fields.begin(), fields.end(), [&](const FieldDef& f) { return f.name == tag.field; });
    if (field == fields.end() || tag.name.empty() || tag.name.size() > 32) {
      throw support::Error("Índice no válido " + tag.name + " en la tabla " + name);
    }
    MdxTagContents c{mdxTagFor(tag.name, *field), {}};
    c.tag.expression = tag.field;
    contents.push_back(std::move(c));
  }
  return contents;
}

// Where files can be removed while open (POSIX), deleting a table that
// another program (the host) holds would leave that program working on a
// file nobody sees any more: such a table is not re-created.
void refuseHeldByAnotherProgram(const fs::path& folder, const std::string& name) {
  for (const fs::path& old : support::findAllNoCase(folder, name + ".DBF")) {
    support::LockedFile file;
    try {
      file = support::LockedFile::open(old);
    } catch (const support::Error&) {
      continue;  // not even readable: removing it decides
    }
    if (!file.tryLock(support::LockedFile::Lock::Exclusive)) {
      throw support::Error("La tabla " + support::displayPath(old) + " está en uso por otro programa");
    }
  }
}

}  // namespace

void createTable(const fs::path& folder, const std::string& name, const std::vector<FieldDef>& fields,
                 const std::vector<TagDef>& tags) {
  const fs::path target = folder / (name + ".DBF");
  const auto existing = support::findNoCase(folder, name + ".DBF");
  if (TableData::isOpenInProcess(existing.value_or(target))) {
    throw support::Error("La tabla " + support::displayPath(target) +
                         " está abierta y no se puede crear de nuevo");
  }
  const std::vector<MdxTagContents> indexTags = emptyTags(name, fields, tags);
  // Unfinished until the first handle that opens it for changes closes it.
  const std::string header = level7Header(fields, 0, !indexTags.empty(), true, today());
  refuseHeldByAnotherProgram(folder, name);
  for (const char* ext : {".DBF", ".MDX"}) {
    for (const fs::path& old : support::findAllNoCase(folder, name + ext)) {
      std::error_code ignored;  // whatever survives is replaced below
      fs::remove(old, ignored);
    }
  }
  if (!indexTags.empty()) {
    support::writeFileAtomically(folder / (name + ".MDX"), buildMdx(name, indexTags, today()));
  }
  support::writeFileAtomically(target, header + std::string(1, kEndOfFile));
}

}  // namespace dbase
