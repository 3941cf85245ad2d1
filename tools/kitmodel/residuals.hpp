// Observed levels against simulated heads: each point of a CRSTM point file
// is compared with the head at its nearest node, column
// NINT((X - XORIG) / DELR) + 1 and row NINT((YORIG - Y) / DELC) + 1 on the
// model grid, in single precision, halves away from zero.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "gridkit/grid.hpp"
#include "gridkit/points.hpp"
#include "tools/kitmodel/head_file.hpp"

namespace kitmodel {

enum class PointStatus {
  Used,     // compared
  OffGrid,  // its nearest node lies outside the grid
  NoHead,   // its node is inactive or dry
};

struct PointResidual {
  gridkit::PointF point;
  PointStatus status = PointStatus::Used;
  gridkit::Cell node{};  // when not OffGrid
  double simulated = 0;  // when Used
  double residual = 0;   // simulated - observed, when Used
};

struct ResidualSummary {
  std::size_t used = 0;
  std::size_t off_grid = 0;
  std::size_t no_head = 0;
  double mean = 0;  // of the residuals, simulated - observed
  double rmse = 0;
  std::size_t largest = 0;  // index of the largest absolute residual (first of equals)
  double observed_min = 0;  // range of the observed levels of the points used
  double observed_max = 0;
  // RMSE as a percentage of the observed range; none when the range is 0.
  std::optional<double> rmse_percent_of_range;
};

// The point's nearest node, or none when it lies off the grid.
std::optional<gridkit::Cell> nearest_node(const gridkit::PointF& point);

// Every point against `heads` (a layer of the model grid's size); `no_head`
// is a further value marking a cell without a head (see is_head).
std::vector<PointResidual> compare_points(const std::vector<gridkit::PointF>& points,
                                          const HeadLayer& heads,
                                          std::optional<float> no_head = std::nullopt);

// The statistics over the points used; `used` is 0 when none was.
ResidualSummary summarize(const std::vector<PointResidual>& residuals);

}  // namespace kitmodel
