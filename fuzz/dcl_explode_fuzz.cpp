// Feeds arbitrary bytes to the implode stream decoder, in reads of varying
// size, and checks its promises: a result code 0..4, output in 4096-byte
// blocks and one final block, nothing written for results 1 to 3. The same
// bytes are then compressed and must decode back unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "installer/dcl/explode.hpp"
#include "installer/dcl/implode.hpp"

namespace {

struct Io {
  std::span<const std::uint8_t> in;
  std::size_t pos = 0;
  std::size_t chunk = 0;
  std::vector<unsigned> writes;
  std::size_t produced = 0;
};

unsigned int read_chunks(char* buffer, unsigned int* size, void* param) {
  auto& io = *static_cast<Io*>(param);
  if (*size != dcl::kReadSize) std::abort();
  std::size_t n = std::min<std::size_t>({*size, io.in.size() - io.pos, io.chunk});
  if (n != 0) std::memcpy(buffer, io.in.data() + io.pos, n);
  io.pos += n;
  return static_cast<unsigned int>(n);
}

void count_writes(char* buffer, unsigned int* size, void* param) {
  auto& io = *static_cast<Io*>(param);
  volatile char touch = *size != 0 ? buffer[*size - 1] : 0;  // the block must be readable
  (void)touch;
  io.writes.push_back(*size);
  io.produced += *size;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // First byte: read size and compressor settings; the rest is the stream.
  const std::uint8_t control = data[0];
  const std::span<const std::uint8_t> stream(data + 1, size - 1);

  Io io{stream, 0, (control & 0x0F) == 0 ? dcl::kReadSize : 5U + (control & 0x0F) * 97U, {}, 0};
  std::vector<std::uint8_t> work(dcl::kWorkAreaSize, control);
  const dcl::ExplodeResult result = dcl::explode(read_chunks, count_writes, work.data(), &io);
  const int code = static_cast<int>(result);
  if (code < 0 || code > 4) std::abort();
  if (code >= 1 && code <= 3 && !io.writes.empty()) std::abort();
  if (code == 0 || code == 4) {
    if (io.writes.empty() || io.writes.back() >= dcl::kWriteBlock) std::abort();
    for (std::size_t i = 0; i + 1 < io.writes.size(); ++i) {
      if (io.writes[i] != dcl::kWriteBlock) std::abort();
    }
  }

  const dcl::ImplodeOptions options{
      (control & 0x10) != 0 ? dcl::LiteralCoding::ascii : dcl::LiteralCoding::binary,
      1024U << ((control >> 5) % 3),
      (control & 0x80) != 0 ? dcl::ParseMode::greedy : dcl::ParseMode::optimal};
  const auto packed = dcl::implode(stream, options);
  const dcl::Exploded back = dcl::explode_bytes(packed);
  if (back.result != dcl::ExplodeResult::ok) std::abort();
  if (back.bytes.size() != stream.size() ||
      !std::equal(back.bytes.begin(), back.bytes.end(), stream.begin())) {
    std::abort();
  }
  return 0;
}
