#include "tools/pinchlay/pinch_out.hpp"

namespace pinchlay {

// Each step is one single-precision operation: the layer's height above the
// unconformity (an integer count of units) is added to U, and the bottom is
// the new top less 1.0, except that the lowest pinched layer ends at U itself.
void pinch_out_node(gridkit::NodeLayers& node, float u, long long first_layer) {
  constexpr int last_pinched = gridkit::NLAY - 1;
  if (first_layer > last_pinched) return;
  const int first = static_cast<int>(first_layer);
  for (int k = first; k <= last_pinched; ++k) {
    const float new_top = u + static_cast<float>(gridkit::NLAY - k);
    node.top(k) = new_top;
    if (k == first) node.bot(k - 1) = new_top;
    node.bot(k) = new_top - 1.0f;
    if (k == last_pinched) node.bot(k) = u;
  }
}

}  // namespace pinchlay
