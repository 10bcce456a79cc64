// Walking the records a view shows, in the view's order, testing only the
// records that its scope allows: a detail link's key range of its tag, the
// records a filter's value finds through a hash, or, without either, the
// whole table. A detail whose master has no current record shows nothing
// and tests nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/dbase/tag_order.h"

namespace dbase {

class TableData;

// What a view shows and in which order.
struct ViewScope {
  int tag = -1;  // the order: a tag of the table, or -1 for the physical order
  // A filter: only the records whose field filterField reads filterValue.
  int filterField = -1;
  std::string filterValue;
  // A detail link: only the records whose key in linkTag is linkKey; no key
  // (the master has no current record) shows none.
  int linkTag = -1;
  std::optional<std::string> linkKey;

  bool operator==(const ViewScope&) const = default;
};

class ViewOrder {
 public:
  // Records tested against a view's scope by every view of this process,
  // since it started: what a walk costs, for the tests that guard it.
  static std::uint64_t recordsTested();

  // The first or last record shown; after / before another record, which
  // need not be shown itself (none: from the start or the end).
  std::optional<std::uint32_t> after(TableData& data, const ViewScope& scope,
                                     std::optional<std::uint32_t> from);
  std::optional<std::uint32_t> before(TableData& data, const ViewScope& scope,
                                      std::optional<std::uint32_t> from);
  // The first record shown whose key in the scope's tag is key. Requires: scope.tag >= 0.
  std::optional<std::uint32_t> firstWithKey(TableData& data, const ViewScope& scope, const std::string& key);
  bool shows(const TableData& data, const ViewScope& scope, std::uint32_t record) const;

 private:
  // Where the last walk in a tag order stopped, so that the next step does
  // not search for it again; holds while that order does not change.
  struct Place {
    std::uint32_t record = 0;
    int tag = -1;
    std::uint64_t version = 0;
    TagOrder::Position at;
  };
  // The records shown when they are not one range of the view's order (a
  // link walked in another order, a filter), sorted by (key, record); kept
  // until the table or the scope changes.
  struct Subset {
    std::uint64_t version = 0;
    ViewScope scope;
    std::vector<std::pair<std::string, std::uint32_t>> rows;
  };

  static bool usesSubset(const ViewScope& scope);
  static bool passes(const TableData& data, const ViewScope& scope, std::uint32_t record);
  const std::vector<std::pair<std::string, std::uint32_t>>& subset(TableData& data, const ViewScope& scope);
  static std::string orderKey(const TableData& data, const ViewScope& scope, std::uint32_t record);
  std::optional<std::uint32_t> walkTag(const TableData& data, const ViewScope& scope,
                                       std::optional<std::uint32_t> from, bool forward);
  std::optional<std::uint32_t> firstFrom(const TableData& data, const ViewScope& scope, TagOrder::Position p,
                                         const std::string* key);
  std::optional<TagOrder::Position> remembered(const TableData& data, int tag, std::uint32_t record) const;
  std::uint32_t remember(const TableData& data, int tag, TagOrder::Position at);

  std::optional<Place> place_;
  std::optional<Subset> subset_;
};

}  // namespace dbase
