// The model description reader of kitmodel over arbitrary bytes: the TOML
// parse and every key, type and layout check after it. Any input either
// gives a description or a KitError; nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gridkit/error.hpp"
#include "tools/kitmodel/model_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const kitmodel::ModelFile model = kitmodel::parse_model_file(text, "MODEL.toml", ".");
    (void)model;
  } catch (const gridkit::KitError&) {
  }
  return 0;
}
