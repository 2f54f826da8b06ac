#pragma once
// The lists of the machining generators: records counted from 1, owned by the list, a
// current record, and a fixed cap beyond which an append is refused.
#include <algorithm>
#include <cassert>
#include <memory>
#include <vector>

namespace movra {

template <class Record>
class RecordList {
 public:
  // Capacity is the most records the list holds.
  explicit RecordList(int Capacity) : capacity_(Capacity) {}

  int Count() const { return static_cast<int>(items_.size()); }
  int Capacity() const { return capacity_; }
  bool Empty() const { return items_.empty(); }

  // Appends a zero-filled record and makes it current; false when the list is full.
  bool Add() {
    if (Count() >= capacity_) return false;
    items_.push_back(std::make_unique<Record>());
    current_ = Count();
    return true;
  }
  // Appends a copy of Value and makes it current; false when the list is full.
  bool Add(const Record& Value) {
    if (Count() >= capacity_) return false;
    items_.push_back(std::make_unique<Record>(Value));
    current_ = Count();
    return true;
  }
  // Record Index (1-based), or nullptr for an index out of range.
  Record* operator()(int Index) {
    return Index >= 1 && Index <= Count() ? items_[static_cast<std::size_t>(Index - 1)].get()
                                          : nullptr;
  }
  const Record* operator()(int Index) const {
    return Index >= 1 && Index <= Count() ? items_[static_cast<std::size_t>(Index - 1)].get()
                                          : nullptr;
  }
  Record* First() { return (*this)(1); }
  Record* Last() { return (*this)(Count()); }
  // The record last appended or visited, or nullptr.
  Record* Current() { return (*this)(current_); }
  int CurrentIndex() const { return current_; }
  void SetCurrent(int Index) { current_ = Index >= 1 && Index <= Count() ? Index : 0; }

  // Moves the last record to Index (1-based); the records from Index on move up by one.
  void MoveLastTo(int Index) {
    if (Index < 1 || Index >= Count()) return;
    std::rotate(items_.begin() + (Index - 1), items_.end() - 1, items_.end());
    current_ = Index;
  }
  // Frees record Index; the records after it move down by one.
  void Remove(int Index) {
    if (Index < 1 || Index > Count()) return;
    items_.erase(items_.begin() + (Index - 1));
    if (current_ > Count()) current_ = Count();
  }
  void Clear() {
    items_.clear();
    current_ = 0;
  }
  // Frees every record for which Drop(record) holds; the rest close up in order, and the
  // freed ones no longer count to the cap. No record is current afterwards.
  template <class Predicate>
  void RemoveIf(Predicate Drop) {
    std::erase_if(items_, [&](const std::unique_ptr<Record>& r) { return Drop(*r); });
    current_ = 0;
  }

 private:
  std::vector<std::unique_ptr<Record>> items_;
  int capacity_;
  int current_ = 0;
};

}  // namespace movra
