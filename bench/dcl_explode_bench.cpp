// Decompression speed of explode(), in MB (10^6 bytes) of output per second,
// through its read and write routines from and to memory.
//
//   bench-dcl_explode [FILE...]   generated 2 MiB samples, then FILEs
#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/dcl_bench_common.hpp"
#include "installer/dcl/explode.hpp"
#include "installer/dcl/implode.hpp"

namespace {

struct Io {
  const std::vector<std::uint8_t>* in;
  std::size_t in_pos = 0;
  std::vector<std::uint8_t>* out;
  std::size_t out_pos = 0;
};

unsigned int read_mem(char* buffer, unsigned int* size, void* param) {
  auto& io = *static_cast<Io*>(param);
  std::size_t n = io.in->size() - io.in_pos;
  if (n > *size) n = *size;
  std::memcpy(buffer, io.in->data() + io.in_pos, n);
  io.in_pos += n;
  return static_cast<unsigned int>(n);
}

void write_mem(char* buffer, unsigned int* size, void* param) {
  auto& io = *static_cast<Io*>(param);
  std::memcpy(io.out->data() + io.out_pos, buffer, *size);
  io.out_pos += *size;
}

}  // namespace

int main(int argc, char** argv) {
  const auto samples = dcl_bench::inputs(argc, argv, 2U << 20);
  std::vector<std::uint8_t> work(dcl::kWorkAreaSize);
  std::printf("%-16s %-7s %6s %10s %10s %9s\n", "input", "literal", "window", "bytes", "stream",
              "MB/s");
  for (const auto& sample : samples) {
    for (const auto literals : {dcl::LiteralCoding::binary, dcl::LiteralCoding::ascii}) {
      for (const unsigned window : {2048U, 4096U}) {
        const auto stream = dcl::implode(sample.bytes, {literals, window});
        std::vector<std::uint8_t> out(sample.bytes.size());
        Io io{&stream, 0, &out, 0};
        dcl::ExplodeResult result = dcl::ExplodeResult::ok;
        const double seconds = dcl_bench::best_seconds(30, [&] {
          io.in_pos = 0;
          io.out_pos = 0;
          result = dcl::explode(read_mem, write_mem, work.data(), &io);
        });
        if (result != dcl::ExplodeResult::ok || out != sample.bytes) {
          std::printf("%s: round trip FAILED\n", sample.name.c_str());
          return 1;
        }
        std::printf("%-16s %-7s %6u %10zu %10zu %9.1f\n", sample.name.c_str(),
                    literals == dcl::LiteralCoding::ascii ? "ascii" : "binary", window,
                    sample.bytes.size(), stream.size(),
                    static_cast<double>(sample.bytes.size()) / seconds / 1e6);
      }
    }
  }
  return 0;
}
