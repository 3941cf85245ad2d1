#include "tools/kitmodel/residuals.hpp"

#include <algorithm>
#include <cmath>

#include "gridkit/node_snapping.hpp"

namespace kitmodel {

std::optional<gridkit::Cell> nearest_node(const gridkit::PointF& point) {
  const float tx = (point.x - gridkit::XORIG()) / gridkit::DELR();
  const float ty = (gridkit::YORIG() - point.y) / gridkit::DELC();
  const std::optional<int> col = gridkit::node_index_by_rounding(tx);
  const std::optional<int> row = gridkit::node_index_by_rounding(ty);
  if (!col || !row || !gridkit::inside_grid(*row, *col)) return std::nullopt;
  return gridkit::Cell{*row, *col};
}

std::vector<PointResidual> compare_points(const std::vector<gridkit::PointF>& points,
                                          const HeadLayer& heads, std::optional<float> no_head) {
  std::vector<PointResidual> result;
  result.reserve(points.size());
  for (const gridkit::PointF& point : points) {
    PointResidual r{point};
    const std::optional<gridkit::Cell> node = nearest_node(point);
    if (!node || node->row > heads.nrow || node->col > heads.ncol) {
      r.status = PointStatus::OffGrid;
    } else {
      r.node = *node;
      const double head = heads.at(node->row, node->col);
      if (!is_head(head, no_head)) {
        r.status = PointStatus::NoHead;
      } else {
        r.simulated = head;
        r.residual = head - static_cast<double>(point.z);
      }
    }
    result.push_back(r);
  }
  return result;
}

ResidualSummary summarize(const std::vector<PointResidual>& residuals) {
  ResidualSummary s;
  double sum = 0;
  double sum_squares = 0;
  for (std::size_t k = 0; k < residuals.size(); ++k) {
    const PointResidual& r = residuals[k];
    if (r.status == PointStatus::OffGrid) {
      ++s.off_grid;
      continue;
    }
    if (r.status == PointStatus::NoHead) {
      ++s.no_head;
      continue;
    }
    const double observed = static_cast<double>(r.point.z);
    if (s.used == 0) {
      s.observed_min = s.observed_max = observed;
      s.largest = k;
    }
    s.observed_min = std::min(s.observed_min, observed);
    s.observed_max = std::max(s.observed_max, observed);
    if (std::fabs(r.residual) > std::fabs(residuals[s.largest].residual)) s.largest = k;
    sum += r.residual;
    sum_squares += r.residual * r.residual;
    ++s.used;
  }
  if (s.used == 0) return s;
  const double n = static_cast<double>(s.used);
  s.mean = sum / n;
  s.rmse = std::sqrt(sum_squares / n);
  const double range = s.observed_max - s.observed_min;
  if (range > 0) s.rmse_percent_of_range = 100.0 * s.rmse / range;
  return s;
}

}  // namespace kitmodel
