// Generated inputs for the implode codec benchmarks: deterministic, of the
// kinds the installer carries (text, program images) plus plain noise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dcl_bench {

struct SampleData {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

// Prose with a Zipf-like word distribution, punctuation and line breaks.
std::vector<std::uint8_t> prose(std::size_t size);
// Whole-grid real arrays in fixed 10F8.1 rows, as the kit's tools write them.
std::vector<std::uint8_t> grid_text(std::size_t size);
// Something like a program image: instruction patterns with varying operands,
// tables of 32-bit values, strings and zero padding.
std::vector<std::uint8_t> program_image(std::size_t size);
// Uniform random bytes.
std::vector<std::uint8_t> noise(std::size_t size);

// The four kinds, each `size` bytes.
std::vector<SampleData> all_samples(std::size_t size);

}  // namespace dcl_bench
