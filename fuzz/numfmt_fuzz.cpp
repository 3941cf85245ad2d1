// The fast number paths against the reference on hostile bytes: the input
// is read as a token and as fixed fields by every parser, and its first
// bytes as a float and a double for every print layout. Any difference in
// value bits or printed text aborts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "gridkit/numfmt.hpp"
#include "gridkit/numparse.hpp"
#include "gridkit/tests/reference/reference_numfmt.hpp"

namespace {

template <class T>
void require_same(const std::optional<T>& fast, const std::optional<T>& slow) {
  if (fast.has_value() != slow.has_value()) std::abort();
  if (fast && std::memcmp(&*fast, &*slow, sizeof(T)) != 0) std::abort();
}

void require_same(const std::string& fast, const std::string& slow) {
  if (fast != slow) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace ref = gridkit::reference;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  require_same(gridkit::parse_float(text), ref::parse_float(text));
  require_same(gridkit::parse_double(text), ref::parse_double(text));
  require_same(gridkit::parse_integer(text), ref::parse_integer(text));
  for (const int places : {0, 1, 5}) {
    require_same(gridkit::parse_fixed_float(text, places), ref::parse_fixed_float(text, places));
    require_same(gridkit::parse_fixed_double(text, places), ref::parse_fixed_double(text, places));
  }
  require_same(gridkit::parse_fixed_integer(text), ref::parse_fixed_integer(text));

  if (size >= sizeof(float)) {
    float f = 0;
    std::memcpy(&f, data, sizeof f);
    require_same(gridkit::format_fixed(f, 8, 1), ref::format_fixed(f, 8, 1));
    require_same(gridkit::format_fixed(f, 10, 5), ref::format_fixed(f, 10, 5));
    require_same(gridkit::format_exp10(f), ref::format_exp10(f));
    require_same(gridkit::free_real_field(f), ref::free_real_field(f));
  }
  if (size >= sizeof(double)) {
    double d = 0;
    std::memcpy(&d, data, sizeof d);
    require_same(gridkit::free_double_field(d), ref::free_double_field(d));
    require_same(gridkit::format_fixed(d, 24, 9, gridkit::kDoubleDigits),
                 ref::format_fixed(d, 24, 9, 16));
  }
  return 0;
}
