// Pinch-out of the layers cut off by an unconformity, at one node.
#pragma once

#include "gridkit/layer_files.hpp"

namespace pinchlay {

// Replaces layers first_layer .. NLAY-1 by a stack of layers one length unit
// thick resting on the unconformity top `u`, and moves the bottom of the layer
// above to meet it. The bottom layer is never changed; a first layer of NLAY
// or more changes nothing. first_layer must be 2 or more (the layer above
// has to exist).
void pinch_out_node(gridkit::NodeLayers& node, float u, long long first_layer);

}  // namespace pinchlay
