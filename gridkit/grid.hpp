// The one model grid every tool of the kit works on, and whole-grid arrays.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace gridkit {

inline constexpr int NCOL = 361;  // columns; column 1 is the westernmost
inline constexpr int NROW = 470;  // rows; row 1 is the northernmost
inline constexpr float DELR = 1000.0f;  // column width along X
inline constexpr float DELC = 1000.0f;  // row height along Y
inline constexpr float XORIG = 290568.0f;  // X of the node of column 1
inline constexpr float YORIG = 557128.0f;  // Y of the node of row 1

// A cell address, both counted from 1 as the files and dialogues count them.
struct Cell {
  int row = 0;
  int col = 0;
  friend bool operator==(const Cell&, const Cell&) = default;
};

inline bool inside_grid(int row, int col) {
  return row >= 1 && row <= NROW && col >= 1 && col <= NCOL;
}

// Node (cell centre) coordinates, in single precision for grid headers and
// point snapping, in double precision where the result feeds the projection.
inline float node_x(int col) { return XORIG + static_cast<float>(col - 1) * DELR; }
inline float node_y(int row) { return YORIG - static_cast<float>(row - 1) * DELC; }
inline double node_x_double(int col) {
  return static_cast<double>(XORIG) + static_cast<double>(col - 1) * static_cast<double>(DELR);
}
inline double node_y_double(int row) {
  return static_cast<double>(YORIG) - static_cast<double>(row - 1) * static_cast<double>(DELC);
}

// A whole-grid array of rows x cols values, stored row after row, addressed
// from 1 like the files. Sized for the model grid unless told otherwise
// (CORBELLA works on a user-given part of it).
template <class T>
class GridArray {
 public:
  GridArray() : GridArray(NROW, NCOL) {}
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
