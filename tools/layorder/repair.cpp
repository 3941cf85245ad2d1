#include "tools/layorder/repair.hpp"

#include <cmath>

namespace layorder {

// Every difference is held as a float, and every new value is computed from
// the stored float operands one operation at a time: (x - |d|) - 1.0.
void repair_node(gridkit::NodeLayers& node) {
  for (int k = 1; k <= gridkit::NLAY; ++k) {
    const float thickness = node.top(k) - node.bot(k);
    if (!(thickness > 0.0f)) {
      const float lowered = node.bot(k) - std::fabs(thickness);
      node.bot(k) = lowered - 1.0f;
    }
    if (k == gridkit::NLAY) break;
    const float overlap = node.bot(k) - node.top(k + 1);
    if (overlap < 0.0f) {
      const float lowered = node.top(k + 1) - std::fabs(overlap);
      node.top(k + 1) = lowered - 1.0f;
    }
  }
}

}  // namespace layorder
