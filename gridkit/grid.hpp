// The model grid every tool of the kit works on, and whole-grid arrays.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace gridkit {

// The model grid a run works on: square cells in rows and columns, column 1
// the westernmost, row 1 the northernmost, and the CRSTM position of the node
// (cell centre) of column 1, row 1. Positions are single precision, as every
// grid header and snapped point of the kit is.
struct ModelGrid {
  int columns = 361;
  int rows = 470;
  float cell_size = 1000.0f;  // along X and along Y
  float first_x = 290568.0f;  // X of the node of column 1
  float first_y = 557128.0f;  // Y of the node of row 1
  friend bool operator==(const ModelGrid&, const ModelGrid&) = default;
};

// The grid the kit was made for, and the one a run uses unless it is given
// another (gridkit/grid_file.hpp).
inline constexpr ModelGrid kBuiltInGrid{};

namespace detail {
extern const ModelGrid* current_grid;
}

// The grid of the run in progress.
inline const ModelGrid& model_grid() { return *detail::current_grid; }

// The grid's figures under the names the array files and MODFLOW give them.
inline int NCOL() { return model_grid().columns; }
inline int NROW() { return model_grid().rows; }
inline float DELR() { return model_grid().cell_size; }
inline float DELC() { return model_grid().cell_size; }
inline float XORIG() { return model_grid().first_x; }
inline float YORIG() { return model_grid().first_y; }

// Makes `grid` the model grid while it lives, then gives back the one
// before: how a run, or a test, works on a grid of its own. Runs on several
// threads set it before the threads start; nothing changes it during them.
class GridScope {
 public:
  explicit GridScope(const ModelGrid& grid);
  ~GridScope();
  GridScope(const GridScope&) = delete;
  GridScope& operator=(const GridScope&) = delete;

 private:
  ModelGrid grid_;
  const ModelGrid* outer_;
};

// A cell address, both counted from 1 as the files and dialogues count them.
struct Cell {
  int row = 0;
  int col = 0;
  friend bool operator==(const Cell&, const Cell&) = default;
};

inline bool inside_grid(int row, int col) {
  return row >= 1 && row <= NROW() && col >= 1 && col <= NCOL();
}

// Node (cell centre) coordinates, in single precision for grid headers and
// point snapping, in double precision where the result feeds the projection.
inline float node_x(int col) { return XORIG() + static_cast<float>(col - 1) * DELR(); }
inline float node_y(int row) { return YORIG() - static_cast<float>(row - 1) * DELC(); }
inline double node_x_double(int col) {
  return static_cast<double>(XORIG()) + static_cast<double>(col - 1) * static_cast<double>(DELR());
}
inline double node_y_double(int row) {
  return static_cast<double>(YORIG()) - static_cast<double>(row - 1) * static_cast<double>(DELC());
}

// A whole-grid array of rows x cols values, stored row after row, addressed
// from 1 like the files. Sized for the model grid of the run unless told otherwise
// (CORBELLA works on a user-given part of it).
template <class T>
class GridArray {
 public:
  GridArray() : GridArray(NROW(), NCOL()) {}
  GridArray(int rows, int cols, T fill = T{})
      : rows_(rows), cols_(cols), data_(static_cast<std::size_t>(rows) * cols, fill) {}

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  T& operator()(int row, int col) { return data_[index(row, col)]; }
  const T& operator()(int row, int col) const { return data_[index(row, col)]; }
  // The values of one row, columns 1..cols() at [0..cols()-1].
  std::span<T> row(int row) {
    return {data_.data() + index(row, 1), static_cast<std::size_t>(cols_)};
  }
  std::span<const T> row(int row) const {
    return {data_.data() + index(row, 1), static_cast<std::size_t>(cols_)};
  }
  std::vector<T>& values() { return data_; }
  const std::vector<T>& values() const { return data_; }

 private:
  std::size_t index(int row, int col) const {
    return static_cast<std::size_t>(row - 1) * cols_ + static_cast<std::size_t>(col - 1);
  }
  int rows_;
  int cols_;
  std::vector<T> data_;
};

using RealGrid = GridArray<float>;
using IntGrid = GridArray<std::int32_t>;

}  // namespace gridkit
