#include "support/dbase/detail_link.h"

#include <algorithm>
#include <utility>

namespace dbase {

DetailLink::~DetailLink() {
  leave();
  releaseDetails();
}

void DetailLink::follow(DetailLink& master, std::string masterField) {
  leave();
  master_ = &master;
  masterField_ = std::move(masterField);
  master.details_.push_back(this);
}

void DetailLink::leave() {
  if (!master_) return;
  auto& siblings = master_->details_;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  master_ = nullptr;
  masterField_.clear();
}

void DetailLink::releaseDetails() {
  for (DetailLink* detail : details_) detail->master_ = nullptr;
  details_.clear();
}

std::vector<Cursor*> DetailLink::details() const {
  std::vector<Cursor*> cursors;
  for (const DetailLink* detail : details_) cursors.push_back(&detail->owner_);
  return cursors;
}

}  // namespace dbase
