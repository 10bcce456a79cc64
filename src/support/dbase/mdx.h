// The production index file (.MDX, version 3 as written for Level 7 tables):
// building one from sorted keys, and reading one back, tag table and B-trees.
// Reading takes the whole file as bytes and never trusts them: a damaged or
// hostile file gives support::Error naming the file, never a crash.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "support/dbase/dbf_date.h"
#include "support/dbase/field.h"

namespace dbase {

// One tag as stored in the tag table and its header block.
struct MdxTag {
  std::string name;        // upper case, at most 32 characters
  std::string expression;  // the key expression: here always a field name
  char keyType = 'C';      // 'C', 'N', 'D', 'I', '+', 'O', '@'
  int keyLength = 0;       // K
  // Ascending, duplicates allowed, no FOR condition: the only kind of tag the
  // engine keeps in order (a host's other tags make its table read-only).
  bool ordinary = true;

  bool operator==(const MdxTag&) const = default;
};

// One leaf entry: the key bytes (exactly keyLength of them) and the 1-based
// record number.
struct MdxEntry {
  std::string key;
  std::uint32_t record = 0;

  bool operator==(const MdxEntry&) const = default;
};

struct MdxTagContents {
  MdxTag tag;
  std::vector<MdxEntry> entries;  // in leaf order
};

// The tag describing an index on field (key type and length from its type).
MdxTag mdxTagFor(const std::string& tagName, const FieldDef& field);

// The key bytes of one record for a tag on field, from the field's bytes as
// stored in the record (C: the bytes with NUL as blank; I/+/O/@: the raw
// bytes; N/F: 12-byte decimal, blank or non-numeric text keyed as 0; D:
// little-endian double Julian day, a blank date as day 0). A field that
// cannot carry a tag (L, memo, a character field wider than 240) is an Error.
std::string mdxKey(const FieldDef& field, std::string_view fieldBytes);

// The order of two keys of a tag of keyType: negative, zero or positive.
// Decimal (N) keys compare by value and date (D) keys by day; every other
// type as unsigned bytes, which is the collation of the DBWINUS0 driver.
int compareMdxKeys(char keyType, std::string_view a, std::string_view b);

// A complete .MDX for a table called tableName (base name, no extension).
// Entries are written in index order, (key by compareMdxKeys, record)
// ascending, whatever order they come in. Tags are written sorted by name.
// More than 47 tags, two tags of one name, a tag whose key length does not fit
// its type or an entry whose key is not keyLength bytes is an Error.
std::string buildMdx(std::string_view tableName, const std::vector<MdxTagContents>& tags, DbfDate date);

// The same, with each tag's entries filled in by entriesOf(tag number,
// entries) when that tag is written: a large table's entries are then held
// one tag at a time.
using EntryReader = std::function<void(std::size_t tag, std::vector<MdxEntry>& entries)>;
std::string buildMdx(std::string_view tableName, const std::vector<MdxTag>& tags,
                     const EntryReader& entriesOf, DbfDate date);

// The tag table only (what opening a table needs).
std::vector<MdxTag> readMdxTags(std::string_view bytes, const std::string& fileName);

// Every tag with its leaf entries in order, after checking the B-tree: node
// bounds, key counts, leaves at one depth, branch keys equal to the largest
// key of their child, and pages inside the file.
std::vector<MdxTagContents> readMdx(std::string_view bytes, const std::string& fileName);

}  // namespace dbase
