// Table-driven implode stream decoder.
//
// Bit input: the stream's bits are held in a 64-bit buffer, first bit in bit
// 0, topped up from the 2048-byte input buffer before every token. The
// format's reference decoder keeps exactly the next 8 bits plus up to 7 spare
// ones and fails as soon as dropping bits would leave fewer than 8 valid bits
// behind; `drop` applies that same rule to the wide buffer, so a truncated
// stream stops at exactly the same token and hands over exactly the same
// bytes. Every length and distance code is resolved by one lookup on the low
// 8 buffer bits, an ASCII literal by at most two.
//
// Output: the window holds 4096 bytes of history (zeros at the start, so a
// match that reaches back before the first output byte copies zeros), then
// the new output. Once 4096 new bytes are complete they are written and the
// window slides by 4096.
#include "installer/dcl/explode.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "installer/dcl/codes.hpp"

namespace dcl {

namespace {

constexpr unsigned kHistory = kMaxWindow;  // history kept for matches
constexpr unsigned kCopySlack = 8;         // 8-byte match copies may run 7 bytes past a match
constexpr unsigned kHeaderSize = 2;
constexpr unsigned kMinFirstRead = 5;  // fewer bytes in the first read is an error
constexpr unsigned kTokenBits = 30;    // most bits one token takes: 1 + 7 + 8 + 8 + 6
constexpr unsigned kLookahead = 8;     // bits that must stay valid after every drop

struct WorkArea {
  std::uint8_t input[kReadSize];
  // history + one block of new output + overrun of the token completing it
  std::uint8_t window[kHistory + kWriteBlock + kMaxMatch + kCopySlack];
};
static_assert(sizeof(WorkArea) <= kWorkAreaSize);
static_assert(alignof(WorkArea) == 1, "the caller's work area may have any alignment");

std::uint64_t load_le64(const std::uint8_t* p) {
  if constexpr (std::endian::native == std::endian::little) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
  } else {
    std::uint64_t v = 0;
    for (unsigned i = 0; i < 8; ++i) v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return v;
  }
}

class Exploder {
 public:
  Exploder(ReadFunction read, WriteFunction write, WorkArea& work, void* param)
      : read_(read), write_(write), work_(work), param_(param) {}

  ExplodeResult run() {
    in_count_ = read_input();
    if (in_count_ < kMinFirstRead) return ExplodeResult::short_first_read;
    const unsigned coding = work_.input[0];
    dict_bits_ = work_.input[1];
    if (dict_bits_ < kMinDictBits || dict_bits_ > kMaxDictBits) {
      return ExplodeResult::bad_dictionary_size;
    }
    if (coding > 1) return ExplodeResult::bad_literal_coding;
    ascii_ = coding == 1;
    bitbuf_ = work_.input[kHeaderSize];
    bits_ = 8;
    in_pos_ = kHeaderSize + 1;
    std::memset(work_.window, 0, kHistory);
    out_pos_ = kHistory;

    const bool ended = decode_tokens();
    write_block(out_pos_ - kHistory);
    return ended ? ExplodeResult::ok : ExplodeResult::data_error;
  }

 private:
  // Calls the read routine for up to 2048 bytes; a larger count than asked
  // for is taken as 2048.
  unsigned read_input() {
    unsigned size = kReadSize;
    const unsigned got = read_(reinterpret_cast<char*>(work_.input), &size, param_);
    return std::min(got, kReadSize);
  }

  void write_block(unsigned size) {
    write_(reinterpret_cast<char*>(work_.window + kHistory), &size, param_);
  }

  // Tops the bit buffer up to at least 57 bits, or to every bit left in the
  // stream. The read routine is called only when the input buffer is used up;
  // once it has delivered 0 bytes it is not called again.
  void refill() {
    if (bits_ > 56) return;
    if (in_count_ - in_pos_ >= 8) {
      // Bits above bits_ may already hold the next stream bits; OR-ing the
      // same bytes in again leaves them unchanged.
      bitbuf_ |= load_le64(work_.input + in_pos_) << bits_;
      in_pos_ += (63 - bits_) >> 3;
      bits_ |= 56;
      return;
    }
    while (bits_ <= 56) {
      if (in_pos_ == in_count_) {
        if (input_ended_) return;
        in_count_ = read_input();
        in_pos_ = 0;
        if (in_count_ == 0) {
          input_ended_ = true;
          return;
        }
      }
      bitbuf_ |= static_cast<std::uint64_t>(work_.input[in_pos_++]) << bits_;
      bits_ += 8;
    }
  }

  // Drops n bits. Checked: fails when fewer than 8 valid bits would remain,
  // as the reference decoder does when it cannot fetch the byte after them.
  // Unchecked: the caller has made sure the whole token is in the buffer.
  template <bool Checked>
  bool drop(unsigned n) {
    if (Checked && bits_ < n + kLookahead) return false;
    bitbuf_ >>= n;
    bits_ -= n;
    return true;
  }

  unsigned peek(unsigned n) const { return static_cast<unsigned>(bitbuf_) & ((1U << n) - 1U); }

  enum class Step { more, end, fail };

  // Runs tokens until the end code (true) or a failed read (false). While
  // the buffer holds a whole token and the 8 bits after it, drops need no
  // checks; only the last few tokens of a stream take the checked path.
  bool decode_tokens() {
    static_assert(kTokenBits + kLookahead <= 57, "refill must cover a token");
    for (;;) {
      if (bits_ < kTokenBits + kLookahead) refill();
      const Step step =
          bits_ >= kTokenBits + kLookahead ? decode_token<false>() : decode_token<true>();
      if (step != Step::more) return step == Step::end;
      if (out_pos_ >= kHistory + kWriteBlock) slide();
    }
  }

  template <bool Checked>
  Step decode_token() {
    if ((bitbuf_ & 1U) == 0) {
      if (!drop<Checked>(1) || !decode_literal<Checked>()) return Step::fail;
      return Step::more;
    }
    if constexpr (!Checked) {
      return decode_match_fast();
    }
    if (!drop<Checked>(1)) return Step::fail;
    const LengthEntry& le = kLengthTable[peek(8)];
    if (!drop<Checked>(le.code_bits)) return Step::fail;
    const unsigned length = le.base + peek(le.extra_bits);
    // The end code stands even when its extra bits end the input.
    if (!drop<Checked>(le.extra_bits)) return length == kEndCode ? Step::end : Step::fail;
    if (length == kEndCode) return Step::end;
    const DistanceEntry& de = kDistanceTable[peek(8)];
    if (!drop<Checked>(de.code_bits)) return Step::fail;
    const unsigned low_bits = length == 2 ? 2 : dict_bits_;
    const unsigned distance = ((unsigned{de.symbol} << low_bits) | peek(low_bits)) + 1;
    if (!drop<Checked>(low_bits)) return Step::fail;
    copy_match(distance, length);
    return Step::more;
  }

  // A match whose bits are all in the buffer: the same fields as above,
  // each code taken together with the plain bits after it in one shift.
  Step decode_match_fast() {
    std::uint64_t b = bitbuf_ >> 1;
    const LengthEntry& le = kLengthTable[b & 0xFFU];
    const unsigned length =
        le.base + (static_cast<unsigned>(b >> le.code_bits) & ((1U << le.extra_bits) - 1U));
    if (length == kEndCode) return Step::end;
    b >>= le.code_bits + le.extra_bits;
    const DistanceEntry& de = kDistanceTable[b & 0xFFU];
    const unsigned low_bits = length == 2 ? 2 : dict_bits_;
    const unsigned low = static_cast<unsigned>(b >> de.code_bits) & ((1U << low_bits) - 1U);
    const unsigned distance = ((unsigned{de.symbol} << low_bits) | low) + 1;
    const unsigned used = 1U + le.code_bits + le.extra_bits + de.code_bits + low_bits;
    bitbuf_ >>= used;
    bits_ -= used;
    copy_match(distance, length);
    return Step::more;
  }

  template <bool Checked>
  bool decode_literal() {
    unsigned value;
    if (!ascii_) {
      value = peek(8);
      if (!drop<Checked>(8)) return false;
    } else {
      // Both levels every time (table 0 adds nothing): random text has no
      // pattern for a branch on the code's length to learn. Dropping all
      // the bits at once fails exactly when one of the two drops (first 8
      // bits, then the rest) would.
      const AsciiEntry& e = kAsciiTables.first[peek(8)];
      const auto next =
          static_cast<unsigned>(bitbuf_ >> kLookupBits) & ((1U << kAsciiSubBits) - 1U);
      const AsciiSubEntry& s = kAsciiTables.second[e.subtable][next];
      const unsigned code_bits = unsigned{e.code_bits} + s.code_bits;
      value = unsigned{e.value} | s.value;
      if (!drop<Checked>(code_bits)) return false;
    }
    work_.window[out_pos_++] = static_cast<std::uint8_t>(value);
    return true;
  }

  // Copies a match from `distance` bytes back; the source may overlap the
  // bytes being written, which repeats the last `distance` bytes. The
  // distance is at most 4096 and at least 4096 bytes precede out_pos_.
  void copy_match(unsigned distance, unsigned length) {
    std::uint8_t* dst = work_.window + out_pos_;
    const std::uint8_t* src = dst - distance;
    if (distance >= 8) {
      for (unsigned i = 0; i < length; i += 8) std::memcpy(dst + i, src + i, 8);
    } else if (distance == 1) {
      std::memset(dst, *src, length);
    } else {
      for (unsigned i = 0; i < length; ++i) dst[i] = src[i];
    }
    out_pos_ += length;
  }

  void slide() {
    write_block(kWriteBlock);
    std::memmove(work_.window, work_.window + kWriteBlock, out_pos_ - kWriteBlock);
    out_pos_ -= kWriteBlock;
  }

  ReadFunction read_;
  WriteFunction write_;
  WorkArea& work_;
  void* param_;
  bool ascii_ = false;
  unsigned dict_bits_ = 0;
  std::uint64_t bitbuf_ = 0;  // stream bits, next bit in bit 0
  unsigned bits_ = 0;         // valid bits in bitbuf_
  unsigned in_pos_ = 0;
  unsigned in_count_ = 0;
  bool input_ended_ = false;
  unsigned out_pos_ = 0;  // next free byte of the window
};

}  // namespace

ExplodeResult explode(ReadFunction read, WriteFunction write, void* work_area, void* param) {
  // The work area is plain bytes; WorkArea is a struct of byte arrays.
  auto& work = *static_cast<WorkArea*>(work_area);
  return Exploder(read, write, work, param).run();
}

namespace {

struct MemoryStreams {
  std::span<const std::uint8_t> input;
  std::size_t position = 0;
  std::vector<std::uint8_t>* output = nullptr;
};

unsigned int read_memory(char* buffer, unsigned int* size, void* param) {
  auto& io = *static_cast<MemoryStreams*>(param);
  const std::size_t n = std::min<std::size_t>(*size, io.input.size() - io.position);
  if (n != 0) std::memcpy(buffer, io.input.data() + io.position, n);
  io.position += n;
  return static_cast<unsigned int>(n);
}

void write_memory(char* buffer, unsigned int* size, void* param) {
  auto& io = *static_cast<MemoryStreams*>(param);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer);
  io.output->insert(io.output->end(), bytes, bytes + *size);
}

}  // namespace

Exploded explode_bytes(std::span<const std::uint8_t> stream) {
  Exploded out;
  MemoryStreams io{stream, 0, &out.bytes};
  std::array<std::uint8_t, kWorkAreaSize> work;  // needs no initialisation
  out.result = explode(read_memory, write_memory, work.data(), &io);
  return out;
}

std::string_view result_text(ExplodeResult result) {
  switch (result) {
    case ExplodeResult::ok: return "decoded";
    case ExplodeResult::bad_dictionary_size:
      return "window size code in the header is not 4, 5 or 6";
    case ExplodeResult::bad_literal_coding:
      return "literal coding byte in the header is not 0 or 1";
    case ExplodeResult::short_first_read: return "stream is 4 bytes or shorter";
    case ExplodeResult::data_error: return "input ended before the end code";
  }
  return "unknown result";
}

}  // namespace dcl
