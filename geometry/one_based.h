#pragma once
// Fixed tables that the machinist's world counts from 1 (geometry numbers 1..254, word
// values 1..1254, D parameters 1..10) keep that count at their interface.
#include <array>
#include <cassert>
#include <cstddef>

namespace movra {

template <class T, std::size_t N>
class OneBasedArray {
 public:
  static constexpr int Size = static_cast<int>(N);

  static constexpr bool InRange(int i) { return i >= 1 && i <= Size; }
  T& operator()(int i) {
    assert(InRange(i));
    return items_[static_cast<std::size_t>(i - 1)];
  }
  const T& operator()(int i) const {
    assert(InRange(i));
    return items_[static_cast<std::size_t>(i - 1)];
  }
  void Fill(const T& value) { items_.fill(value); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::array<T, N> items_{};
};

}  // namespace movra
