// Arbitrary bytes as a production index. Damage must end in support::Error,
// never a crash, a hang or an allocation the file does not justify. A file the
// reader accepts must also survive what the engine does with it: rebuilding
// every tag and reading the result back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/dbase/mdx.h"
#include "support/error.h"

namespace {

const std::string kFileName = "FUZZ.MDX";

std::size_t entryCount(const std::vector<dbase::MdxTagContents>& tags) {
  std::size_t count = 0;
  for (const dbase::MdxTagContents& tag : tags) count += tag.entries.size();
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    dbase::readMdxTags(bytes, kFileName);
  } catch (const support::Error&) {
  }
  std::vector<dbase::MdxTagContents> tags;
  std::string rebuilt;
  try {
    tags = dbase::readMdx(bytes, kFileName);
    rebuilt = dbase::buildMdx("FUZZ", tags, {2025, 3, 14});
  } catch (const support::Error&) {
    return 0;
  }
  // Not caught: a file of our own writing that does not read back is a fault.
  const std::vector<dbase::MdxTagContents> reread = dbase::readMdx(rebuilt, kFileName);
  if (reread.size() != tags.size() || entryCount(reread) != entryCount(tags)) __builtin_trap();
  return 0;
}
