// The master/detail links between cursors: each cursor knows the master it
// follows (with the master's field that selects its records) and the
// details that follow it, so that a move of the master reaches them and
// closing or destroying either end leaves no dangling pointer.
#pragma once

#include <string>
#include <vector>

namespace dbase {

class Cursor;

class DetailLink {
 public:
  explicit DetailLink(Cursor& owner) : owner_(owner) {}
  ~DetailLink();
  DetailLink(const DetailLink&) = delete;
  DetailLink& operator=(const DetailLink&) = delete;

  // This cursor follows master's record through masterField.
  void follow(DetailLink& master, std::string masterField);
  // This cursor follows no master any more.
  void leave();
  // The details follow this cursor no more (it closes).
  void releaseDetails();

  Cursor* master() const { return master_ ? &master_->owner_ : nullptr; }
  const std::string& masterField() const { return masterField_; }
  // The cursors following this one.
  std::vector<Cursor*> details() const;
  // The same one by one, without a copy of the list (every move of a master
  // tells its details).
  std::size_t detailCount() const { return details_.size(); }
  Cursor& detail(std::size_t i) const { return details_[i]->owner_; }

 private:
  Cursor& owner_;
  DetailLink* master_ = nullptr;
  std::string masterField_;
  std::vector<DetailLink*> details_;
};

}  // namespace dbase
