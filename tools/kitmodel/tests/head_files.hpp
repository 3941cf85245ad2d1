// Binary head files as MODFLOW writes them, built in memory for the tests.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/kitmodel/head_file.hpp"

namespace kitmodel_test {

struct Record {
  int step = 1;
  int period = 1;
  double total_time = 1.0;
  int layer = 1;
  std::vector<double> values{};  // NCOL() x NROW(), row 1 first
  std::string text = "HEAD";     // right-justified in 16 characters
};

// The records in `form`, each of a grid of ncol x nrow.
std::vector<std::byte> head_file(kitmodel::HeadForm form, int ncol, int nrow,
                                 const std::vector<Record>& records);

}  // namespace kitmodel_test
