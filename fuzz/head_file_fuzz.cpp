// Feeds arbitrary bytes to the MODFLOW head-file reader as a file of that
// size. Anything may be reported as a KitError; nothing may crash, hang, read
// outside the bytes or allocate more than the array the bytes hold.
#include <cstddef>
#include <cstdint>
#include <span>

#include "gridkit/error.hpp"
#include "tools/kitmodel/head_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const kitmodel::MemorySource source(std::span(reinterpret_cast<const std::byte*>(data), size));
  const kitmodel::RecordChoice choices[] = {{1, {}, {}}, {2, 1, {}}, {1, {}, 2}};
  for (const kitmodel::RecordChoice& choice : choices) {
    try {
      const kitmodel::HeadLayer layer = kitmodel::read_head_layer(source, "fuzz.hds", choice);
      for (double v : layer.values) (void)kitmodel::is_head(v);
    } catch (const gridkit::KitError&) {
    }
  }
  return 0;
}
