// Feeds arbitrary bytes to every grid array reader, the order-map reader and
// the point readers.
// Anything may be reported as a KitError; nothing may crash or hang.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gridkit/arrays.hpp"
#include "gridkit/error.hpp"
#include "gridkit/order_maps.hpp"
#include "gridkit/points.hpp"

namespace {

template <class Read>
void guarded(const std::string& text, Read read) {
  gridkit::InFile file = gridkit::InFile::from_text("fuzz", text);
  try {
    read(file);
  } catch (const gridkit::KitError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Short rows keep each run fast while exercising line changes.
  std::vector<float> reals(37);
  std::vector<std::int32_t> ints(37);
  gridkit::IntGrid ints_grid(3, 37);
  guarded(text, [&](gridkit::InFile& f) {
    while (true) gridkit::read_int_row(f, ints);
  });
  guarded(text, [&](gridkit::InFile& f) {
    while (true) gridkit::read_free_row(f, reals);
  });
  guarded(text, [&](gridkit::InFile& f) {
    while (true) gridkit::read_fixed_row(f, reals);
  });
  guarded(text, [&](gridkit::InFile& f) {
    while (true) gridkit::read_exp_row(f, reals);
  });
  guarded(text, [&](gridkit::InFile& f) {
    gridkit::IntGrid order(5, 40);
    gridkit::read_order_map(f, order, {2, 39});
    gridkit::read_grid(f, ints_grid, gridkit::ArrayLayout::Free);
  });
  guarded(text, [&](gridkit::InFile& f) {
    while (gridkit::read_point_double(f)) {
    }
  });
  guarded(text, [&](gridkit::InFile& f) {
    while (gridkit::read_point_xy(f)) {
    }
  });
  return 0;
}
