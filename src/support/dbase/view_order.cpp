#include "support/dbase/view_order.h"

#include <algorithm>

#include "support/dbase/table_data.h"

namespace dbase {
namespace {

std::uint64_t g_recordsTested = 0;

}  // namespace

std::uint64_t ViewOrder::recordsTested() { return g_recordsTested; }

// A link walked in its own tag's order is one range of that order; anything
// else restricted is gathered and sorted.
bool ViewOrder::usesSubset(const ViewScope& scope) {
  if (scope.linkTag >= 0) return scope.tag != scope.linkTag;
  return scope.filterField >= 0;
}

// Live and through the filter; the link is the caller's range.
bool ViewOrder::passes(const TableData& data, const ViewScope& scope, std::uint32_t record) {
  ++g_recordsTested;
  if (data.deleted(record)) return false;
  if (scope.filterField < 0) return true;
  const FieldDef& field = data.fields()[static_cast<std::size_t>(scope.filterField)];
  return decodeText(field, data.layout().family, data.fieldBytes(record, scope.filterField)) ==
         scope.filterValue;
}

bool ViewOrder::shows(const TableData& data, const ViewScope& scope, std::uint32_t record) const {
  if (scope.linkTag >= 0 &&
      (!scope.linkKey || data.tagKey(data.tags()[static_cast<std::size_t>(scope.linkTag)],
                                     data.record(record)) != *scope.linkKey)) {
    return false;
  }
  return passes(data, scope, record);
}

std::string ViewOrder::orderKey(const TableData& data, const ViewScope& scope, std::uint32_t record) {
  if (scope.tag < 0) return {};
  return data.tagKey(data.tags()[static_cast<std::size_t>(scope.tag)], data.record(record));
}

const std::vector<std::pair<std::string, std::uint32_t>>& ViewOrder::subset(TableData& data,
                                                                            const ViewScope& scope) {
  if (subset_ && subset_->version == data.version() && subset_->scope == scope) return subset_->rows;
  Subset made{data.version(), scope, {}};
  const auto take = [&](std::uint32_t record) {
    if (passes(data, scope, record)) made.rows.emplace_back(orderKey(data, scope, record), record);
  };
  if (scope.linkTag >= 0) {
    const TagOrder& order = data.order(scope.linkTag);
    const TagOrder::Position end = order.upperBound(*scope.linkKey);
    for (TagOrder::Position p = order.lowerBound(*scope.linkKey); p != end; p = order.next(p)) {
      take(order.record(p));
    }
  } else {
    for (std::uint32_t record : data.matching({scope.filterField}, {scope.filterValue})) take(record);
  }
  std::sort(made.rows.begin(), made.rows.end());
  subset_ = std::move(made);
  return subset_->rows;
}

std::optional<TagOrder::Position> ViewOrder::remembered(const TableData& data, int tag,
                                                        std::uint32_t record) const {
  if (place_ && place_->record == record && place_->tag == tag &&
      place_->version == data.order(tag).version()) {
    return place_->at;
  }
  return std::nullopt;
}

std::uint32_t ViewOrder::remember(const TableData& data, int tag, TagOrder::Position at) {
  const TagOrder& order = data.order(tag);
  place_ = Place{order.record(at), tag, order.version(), at};
  return place_->record;
}

// The first record shown from p on while the entries' key is key (any key
// when there is none).
std::optional<std::uint32_t> ViewOrder::firstFrom(const TableData& data, const ViewScope& scope,
                                                  TagOrder::Position p, const std::string* key) {
  const TagOrder& order = data.order(scope.tag);
  for (; p != order.end() && (!key || order.key(p) == *key); p = order.next(p)) {
    if (passes(data, scope, order.record(p))) return remember(data, scope.tag, p);
  }
  return std::nullopt;
}

// A walk in a tag's order; with a link, the order is the link's tag and the
// walk stays inside the entries of the link's key.
std::optional<std::uint32_t> ViewOrder::walkTag(const TableData& data, const ViewScope& scope,
                                                std::optional<std::uint32_t> from, bool forward) {
  const TagOrder& order = data.order(scope.tag);
  const std::string* link = scope.linkTag >= 0 ? &*scope.linkKey : nullptr;
  const auto rangeStart = [&] {
    if (forward) return link ? order.lowerBound(*link) : order.begin();
    return link ? order.upperBound(*link) : order.end();
  };
  TagOrder::Position p;
  if (!from) {
    p = rangeStart();
  } else {
    // The record's key, read from where the last step stopped when that
    // still holds.
    const auto place = remembered(data, scope.tag, *from);
    const std::string computed = place ? std::string() : orderKey(data, scope, *from);
    const std::string_view key = place ? order.key(*place) : std::string_view(computed);
    // A record outside the link's range (the master moved) walks from the
    // range's nearer end, or finds nothing beyond it.
    const int side = link ? key.compare(*link) : 0;
    if (side != 0) {
      if ((side < 0) != forward) return std::nullopt;
      p = rangeStart();
    } else if (place) {
      p = forward ? order.next(*place) : *place;
    } else {
      p = forward ? order.after(key, *from) : order.at(key, *from);
    }
  }
  if (forward) return firstFrom(data, scope, p, link);
  while (p != order.begin()) {
    p = order.prior(p);
    if (link && order.key(p) != *link) break;
    if (passes(data, scope, order.record(p))) return remember(data, scope.tag, p);
  }
  return std::nullopt;
}

std::optional<std::uint32_t> ViewOrder::after(TableData& data, const ViewScope& scope,
                                              std::optional<std::uint32_t> from) {
  if (scope.linkTag >= 0 && !scope.linkKey) return std::nullopt;
  if (usesSubset(scope)) {
    const auto& rows = subset(data, scope);
    const auto it =
        from ? std::upper_bound(rows.begin(), rows.end(), std::pair(orderKey(data, scope, *from), *from))
             : rows.begin();
    return it == rows.end() ? std::nullopt : std::optional(it->second);
  }
  if (scope.tag >= 0) return walkTag(data, scope, from, true);
  for (std::uint32_t i = from ? *from + 1 : 0; i < data.size(); ++i) {
    if (passes(data, scope, i)) return i;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> ViewOrder::before(TableData& data, const ViewScope& scope,
                                               std::optional<std::uint32_t> from) {
  if (scope.linkTag >= 0 && !scope.linkKey) return std::nullopt;
  if (usesSubset(scope)) {
    const auto& rows = subset(data, scope);
    const auto it =
        from ? std::lower_bound(rows.begin(), rows.end(), std::pair(orderKey(data, scope, *from), *from))
             : rows.end();
    return it == rows.begin() ? std::nullopt : std::optional(std::prev(it)->second);
  }
  if (scope.tag >= 0) return walkTag(data, scope, from, false);
  for (std::uint32_t i = from ? *from : data.size(); i > 0; --i) {
    if (passes(data, scope, i - 1)) return i - 1;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> ViewOrder::firstWithKey(TableData& data, const ViewScope& scope,
                                                     const std::string& key) {
  if (scope.linkTag >= 0 && !scope.linkKey) return std::nullopt;
  if (usesSubset(scope)) {
    const auto& rows = subset(data, scope);
    const auto it = std::lower_bound(rows.begin(), rows.end(), std::pair(key, std::uint32_t{0}));
    return it == rows.end() || it->first != key ? std::nullopt : std::optional(it->second);
  }
  if (scope.linkTag >= 0 && key != *scope.linkKey) return std::nullopt;
  return firstFrom(data, scope, data.order(scope.tag).lowerBound(key), &key);
}

}  // namespace dbase
