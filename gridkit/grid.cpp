#include "gridkit/grid.hpp"

namespace gridkit {

namespace detail {
const ModelGrid* current_grid = &kBuiltInGrid;
}

GridScope::GridScope(const ModelGrid& grid) : grid_(grid), outer_(detail::current_grid) {
  detail::current_grid = &grid_;
}

GridScope::~GridScope() { detail::current_grid = outer_; }

}  // namespace gridkit
