// The running smallest and largest of a sequence of values, as the DSAA
// header, the tools' reports and the maps' colour bands need them.
//
// include() compares strictly: a value equal to an extreme leaves it as it
// was (0.0 does not replace -0.0, nor the other way round) and a NaN never
// becomes one. Where the pair starts is the caller's, and it decides the
// rest: fixed values (a DSAA header's 0 and 0), the first value of the
// sequence (a first NaN then stays both extremes for good), or none().
#pragma once

#include <limits>

namespace gridkit {

template <class T>
struct Extremes {
  T smallest{};
  T largest{};

  static constexpr Extremes starting_at(T first) { return {first, first}; }
  // Nothing seen yet: the first value included that is not a NaN becomes
  // both extremes.
  static constexpr Extremes none() {
    return {std::numeric_limits<T>::max(), std::numeric_limits<T>::lowest()};
  }
  // True while a pair started by none() has seen no value.
  constexpr bool empty() const { return smallest > largest; }

  constexpr void include(T v) {
    if (v > largest) largest = v;
    if (v < smallest) smallest = v;
  }
};

}  // namespace gridkit
