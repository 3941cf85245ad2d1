// Thickness and overlap repair of the layer stack at one node.
#pragma once

#include "gridkit/layer_files.hpp"

namespace layorder {

// For each layer from the top down: a layer whose thickness is not greater
// than 0 (zero, negative or not a number) gets its bottom 1.0 below its top;
// then a next layer whose top rises above this layer's bottom gets that top
// 1.0 below it. A top lowered for layer K is the top that layer K+1's
// thickness is measured from.
void repair_node(gridkit::NodeLayers& node);

}  // namespace layorder
