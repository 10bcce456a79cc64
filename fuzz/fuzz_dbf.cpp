// Fuzz target: any bytes as a table file. Reading the header and every field
// of every record may end in support::Error, never in a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/dbase/dbf_format.h"
#include "support/dbase/mdx.h"
#include "support/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    const dbase::DbfLayout layout = dbase::parseDbfHeader(bytes, "fuzz.dbf");
    for (std::uint32_t r = 0; r < layout.recordCount; ++r) {
      const std::string_view record =
          bytes.substr(layout.headerLength + r * layout.recordLength, layout.recordLength);
      for (std::size_t f = 0; f < layout.fields.size(); ++f) {
        const dbase::FieldDef& field = layout.fields[f];
        const std::string_view value =
            record.substr(layout.offsets[f], static_cast<std::size_t>(field.width));
        (void)dbase::decodeText(field, layout.family, value);
        (void)dbase::sortKey(field, layout.family, value);
        (void)dbase::mdxKey(field, value);
        try {
          (void)dbase::decodeInteger(field, layout.family, value);
          (void)dbase::decodeNumber(field, layout.family, value);
        } catch (const support::Error&) {
          // text that is not a number: an expected outcome
        }
      }
    }
  } catch (const support::Error&) {
    // a damaged table: an expected outcome
  }
  return 0;
}
