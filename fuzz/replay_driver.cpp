// Stand-in for libFuzzer in ordinary builds: feeds every file of the seed
// corpus to the target, then a fixed number of pseudo-random mutations of
// those seeds (and of nothing), so a plain ctest run still exercises the
// parser on hostile bytes. The sequence is seeded, so failures repeat.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::vector<std::uint8_t>> load_seeds(const char* dir) {
  std::vector<std::vector<std::uint8_t>> seeds{{}};
  std::error_code ec;
  if (dir == nullptr || !std::filesystem::is_directory(dir, ec)) return seeds;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return seeds;
}

std::vector<std::uint8_t> mutate(std::vector<std::uint8_t> bytes, std::mt19937& rng) {
  const int edits = 1 + static_cast<int>(rng() % 8);
  for (int e = 0; e < edits; ++e) {
    switch (rng() % 5) {
      case 0:  // flip a byte
        if (!bytes.empty()) bytes[rng() % bytes.size()] = static_cast<std::uint8_t>(rng());
        break;
      case 1:  // insert a byte
        bytes.insert(bytes.begin() + static_cast<long>(rng() % (bytes.size() + 1)),
                     static_cast<std::uint8_t>(rng()));
        break;
      case 2:  // cut the tail
        if (!bytes.empty()) bytes.resize(rng() % bytes.size());
        break;
      case 3:  // insert a character that matters to text parsers
      {
        static const char kChars[] = " ,.\n\r\t-+eEdD*0123456789";
        bytes.insert(bytes.begin() + static_cast<long>(rng() % (bytes.size() + 1)),
                     static_cast<std::uint8_t>(kChars[rng() % (sizeof kChars - 1)]));
      } break;
      default:  // erase a byte
        if (!bytes.empty()) bytes.erase(bytes.begin() + static_cast<long>(rng() % bytes.size()));
        break;
    }
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  const auto seeds = load_seeds(argc > 1 ? argv[1] : nullptr);
  for (const auto& seed : seeds) LLVMFuzzerTestOneInput(seed.data(), seed.size());
  std::mt19937 rng(12345);
  const int rounds = 2000;
  for (int i = 0; i < rounds; ++i) {
    const auto input = mutate(seeds[rng() % seeds.size()], rng);
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::printf("replayed %zu seeds and %d mutations\n", seeds.size(), rounds);
  return 0;
}
