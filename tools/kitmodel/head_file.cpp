#include "tools/kitmodel/head_file.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>
#include <system_error>

#include "gridkit/error.hpp"

namespace kitmodel {

namespace {

using gridkit::KitError;

constexpr std::uint64_t kMarkerBytes = 4;  // a sequential record's length, before and after
constexpr std::size_t kTextBytes = 16;     // TEXT of a header
constexpr std::string_view kHeadText = "HEAD";

struct Layout {
  HeadForm form;
  std::uint64_t header_bytes;  // 44 or 52
  std::uint64_t real_bytes;    // 4 or 8
  bool markers;                // sequential form
};

// Tried in this order; sequential first, since its leading marker (44 or 52)
// is a surer sign than a stream header's plausible values.
constexpr std::array<Layout, 4> kLayouts = {{
    {HeadForm::Sequential44, 44, 4, true},
    {HeadForm::Sequential52, 52, 8, true},
    {HeadForm::Stream44, 44, 4, false},
    {HeadForm::Stream52, 52, 8, false},
}};

std::uint32_t u32_at(const std::byte* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint64_t u64_at(const std::byte* p) {
  return static_cast<std::uint64_t>(u32_at(p)) | static_cast<std::uint64_t>(u32_at(p + 4)) << 32;
}

std::int32_t i32_at(const std::byte* p) { return std::bit_cast<std::int32_t>(u32_at(p)); }

// A real of the file's precision, as a double (exact for both).
double real_at(const std::byte* p, std::uint64_t real_bytes) {
  if (real_bytes == 4) return static_cast<double>(std::bit_cast<float>(u32_at(p)));
  return std::bit_cast<double>(u64_at(p));
}

struct Header {
  std::int32_t step = 0, period = 0;
  double period_time = 0, total_time = 0;
  std::string text;  // without its padding blanks
  std::int32_t ncol = 0, nrow = 0, layer = 0;
};

// The header at `p` under `layout`, or why it is not one.
std::optional<Header> parse_header(const std::byte* p, const Layout& layout, std::string& why) {
  const std::uint64_t r = layout.real_bytes;
  Header h;
  h.step = i32_at(p);
  h.period = i32_at(p + 4);
  h.period_time = real_at(p + 8, r);
  h.total_time = real_at(p + 8 + r, r);
  const std::byte* text = p + 8 + 2 * r;
  const std::byte* counts = text + kTextBytes;
  h.ncol = i32_at(counts);
  h.nrow = i32_at(counts + 4);
  h.layer = i32_at(counts + 8);
  for (std::size_t k = 0; k < kTextBytes; ++k) {
    const auto c = static_cast<unsigned char>(text[k]);
    if (c < 0x20 || c > 0x7e) {
      why = "its TEXT field holds a byte that is not a printable character";
      return std::nullopt;
    }
  }
  const std::string raw(reinterpret_cast<const char*>(text), kTextBytes);
  const std::size_t first = raw.find_first_not_of(' ');
  h.text =
      first == std::string::npos ? "" : raw.substr(first, raw.find_last_not_of(' ') - first + 1);
  if (h.step < 1 || h.period < 1) {
    why = "time step " + std::to_string(h.step) + " and stress period " + std::to_string(h.period) +
          " are not both 1 or more";
    return std::nullopt;
  }
  if (h.ncol < 1 || h.nrow < 1 || h.layer < 1) {
    why = "NCOL " + std::to_string(h.ncol) + ", NROW " + std::to_string(h.nrow) + ", layer " +
          std::to_string(h.layer) + " are not all 1 or more";
    return std::nullopt;
  }
  if (!std::isfinite(h.period_time) || !std::isfinite(h.total_time)) {
    why = "its times are not finite numbers";
    return std::nullopt;
  }
  return h;
}

// What a walk over the records keeps: the record chosen and enough of the
// rest to say what the file holds when nothing matches.
struct Walk {
  long head_records = 0;
  std::optional<Header> chosen;
  std::uint64_t chosen_offset = 0;  // where the chosen array begins
  int max_layer = 0;
  std::optional<Header> last_head;  // the last HEAD record of any layer
  std::string other_text;           // TEXT of the first record that is not heads
};

class Walker {
 public:
  Walker(const ByteSource& source, std::string_view name, const Layout& layout)
      : source_(source), name_(name), layout_(layout) {}

  Walk run(const RecordChoice& choice) {
    Walk walk;
    std::array<std::byte, 64> header_bytes{};
    while (offset_ < source_.size()) {
      ++record_;
      record_start_ = offset_;
      if (layout_.markers) expect_marker(layout_.header_bytes, "header");
      need(layout_.header_bytes);
      source_.read(offset_, std::span(header_bytes.data(), layout_.header_bytes));
      std::string why;
      const std::optional<Header> header = parse_header(header_bytes.data(), layout_, why);
      if (!header) throw damaged(why);
      offset_ += layout_.header_bytes;
      const std::uint64_t cells =
          static_cast<std::uint64_t>(header->ncol) * static_cast<std::uint64_t>(header->nrow);
      if (cells > kMaxHeadFileBytes / layout_.real_bytes)
        throw damaged("NCOL " + std::to_string(header->ncol) + " x NROW " +
                      std::to_string(header->nrow) + " is more values than a file of 2 GiB holds");
      const std::uint64_t data_bytes = cells * layout_.real_bytes;
      if (layout_.markers) {
        expect_marker(layout_.header_bytes, "header");
        expect_marker(data_bytes, "array");
      }
      need(data_bytes);
      const std::uint64_t data_offset = offset_;
      offset_ += data_bytes;
      if (layout_.markers) expect_marker(data_bytes, "array");
      note(walk, *header, data_offset, choice);
    }
    return walk;
  }

 private:
  static void note(Walk& walk, const Header& h, std::uint64_t data_offset,
                   const RecordChoice& choice) {
    if (h.text != kHeadText) {
      if (walk.other_text.empty()) walk.other_text = h.text.empty() ? "(blank)" : h.text;
      return;
    }
    ++walk.head_records;
    walk.max_layer = std::max(walk.max_layer, static_cast<int>(h.layer));
    walk.last_head = h;
    if (h.layer != choice.layer) return;
    if (choice.period && h.period != *choice.period) return;
    if (choice.step && h.step != *choice.step) return;
    walk.chosen = h;
    walk.chosen_offset = data_offset;
  }

  void need(std::uint64_t bytes) const {
    const std::uint64_t left = source_.size() - offset_;
    if (bytes <= left) return;
    throw KitError::read_file(
        name_, "truncated: record " + std::to_string(record_) + " (from byte " +
                   std::to_string(record_start_) + ") needs " + std::to_string(bytes) +
                   " more bytes at byte " + std::to_string(offset_) + ", the file ends " +
                   std::to_string(left) + " bytes later (read as " +
                   std::string(form_name(layout_.form)) + ")");
  }

  void expect_marker(std::uint64_t length, std::string_view what) {
    need(kMarkerBytes);
    std::array<std::byte, kMarkerBytes> bytes{};
    source_.read(offset_, bytes);
    const std::uint32_t found = u32_at(bytes.data());
    if (found != length)
      throw damaged("the record marker at byte " + std::to_string(offset_) + " is " +
                    std::to_string(found) + ", not the " + std::to_string(length) +
                    " bytes of its " + std::string(what));
    offset_ += kMarkerBytes;
  }

  KitError damaged(const std::string& why) const {
    return KitError::read_file(name_, "record " + std::to_string(record_) + " (from byte " +
                                          std::to_string(record_start_) +
                                          ") is not a head record: " + why + " (read as " +
                                          std::string(form_name(layout_.form)) + ")");
  }

  const ByteSource& source_;
  std::string name_;
  const Layout& layout_;
  std::uint64_t offset_ = 0;
  std::uint64_t record_start_ = 0;
  long record_ = 0;
};

// Whether the file's first bytes are a header of `layout`.
bool starts_as(const ByteSource& source, const Layout& layout) {
  const std::uint64_t lead = layout.markers ? kMarkerBytes : 0;
  if (source.size() < lead + layout.header_bytes) return false;
  std::array<std::byte, 64> bytes{};
  source.read(0, std::span(bytes.data(), lead + layout.header_bytes));
  if (layout.markers && u32_at(bytes.data()) != layout.header_bytes) return false;
  std::string why;
  return parse_header(bytes.data() + lead, layout, why).has_value();
}

std::string choice_text(const RecordChoice& choice) {
  std::string text = "layer " + std::to_string(choice.layer);
  if (choice.period) text += ", stress period " + std::to_string(*choice.period);
  if (choice.step) text += ", time step " + std::to_string(*choice.step);
  return text;
}

KitError nothing_chosen(std::string_view name, const Walk& walk, const RecordChoice& choice) {
  if (walk.head_records == 0) {
    std::string why = "holds no HEAD records";
    if (!walk.other_text.empty()) why += " (its records are \"" + walk.other_text + "\")";
    return KitError::read_file(name, why);
  }
  const Header& last = *walk.last_head;
  return KitError::read_file(
      name, "holds no heads of " + choice_text(choice) + " (it holds layers 1 to " +
                std::to_string(walk.max_layer) + "; its last record is stress period " +
                std::to_string(last.period) + ", time step " + std::to_string(last.step) + ")");
}

HeadLayer read_values(const ByteSource& source, const Layout& layout, const Walk& walk) {
  // The layer keeps the chosen record's header, which reports name, beside
  // its values.
  const Header& h = *walk.chosen;
  HeadLayer result;
  result.form = layout.form;
  result.records = walk.head_records;
  result.step = h.step;
  result.period = h.period;
  result.period_time = h.period_time;
  result.total_time = h.total_time;
  result.layer = h.layer;
  result.ncol = h.ncol;
  result.nrow = h.nrow;
  const std::size_t count = static_cast<std::size_t>(h.ncol) * static_cast<std::size_t>(h.nrow);
  std::vector<std::byte> bytes(count * layout.real_bytes);
  source.read(walk.chosen_offset, bytes);
  result.values.resize(count);
  for (std::size_t k = 0; k < count; ++k)
    result.values[k] = real_at(bytes.data() + k * layout.real_bytes, layout.real_bytes);
  return result;
}

// A regular file read at offsets, its size taken once when it is opened.
class FileSource final : public ByteSource {
 public:
  FileSource(const std::filesystem::path& path, std::string_view name) : name_(name) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) throw KitError::open(name, "no such file");
    if (!std::filesystem::is_regular_file(status))
      throw KitError::open(name, "not a regular file (a head file is read by its size)");
    size_ = std::filesystem::file_size(path, ec);
    if (ec) throw KitError::open(name, ec.message());
    if (size_ > kMaxHeadFileBytes)
      throw KitError::open(name,
                           std::to_string(size_) + " bytes; head files of up to 2 GiB are read");
    in_.open(path, std::ios::binary);
    if (!in_) throw KitError::open(name, "cannot be read");
  }
  std::uint64_t size() const override { return size_; }
  void read(std::uint64_t offset, std::span<std::byte> out) const override {
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!in_ || static_cast<std::size_t>(in_.gcount()) != out.size())
      throw KitError::read_file(
          name_, "the file changed or failed while it was read, at byte " + std::to_string(offset));
  }

 private:
  std::string name_;
  std::uint64_t size_ = 0;
  mutable std::ifstream in_;
};

}  // namespace

std::string_view form_name(HeadForm form) {
  switch (form) {
    case HeadForm::Stream44:
      return "MODFLOW-2005 single precision, stream (44-byte headers, 4-byte reals)";
    case HeadForm::Sequential44:
      return "MODFLOW-2005 single precision, sequential (44-byte headers, 4-byte reals, record "
             "markers)";
    case HeadForm::Stream52:
      return "MODFLOW 6 or double precision, stream (52-byte headers, 8-byte reals)";
    case HeadForm::Sequential52:
      return "double precision, sequential (52-byte headers, 8-byte reals, record markers)";
  }
  return "?";
}

void MemorySource::read(std::uint64_t offset, std::span<std::byte> out) const {
  if (out.empty()) return;
  std::memcpy(out.data(), bytes_.data() + offset, out.size());
}

HeadLayer read_head_layer(const ByteSource& source, std::string_view name,
                          const RecordChoice& choice) {
  if (source.size() == 0) throw KitError::read_file(name, "empty, not a MODFLOW binary head file");
  if (source.size() > kMaxHeadFileBytes)
    throw KitError::read_file(
        name, std::to_string(source.size()) + " bytes; head files of up to 2 GiB are read");
  // A first header can pass for two forms (a stream file whose first KSTP is
  // 44, say); the form whose records run exactly to the end of the file is
  // the one. When none does, the first form's complaint is the report.
  std::optional<KitError> first_error;
  for (const Layout& layout : kLayouts) {
    if (!starts_as(source, layout)) continue;
    try {
      const Walk walk = Walker(source, name, layout).run(choice);
      if (!walk.chosen) throw nothing_chosen(name, walk, choice);
      return read_values(source, layout, walk);
    } catch (const KitError& e) {
      if (!first_error) first_error = e;
    }
  }
  if (first_error) throw *first_error;
  throw KitError::read_file(
      name,
      "not a MODFLOW binary head file: its first " +
          std::to_string(std::min<std::uint64_t>(source.size(), 56)) +
          " bytes are no record header of MODFLOW-2005 (44 bytes: KSTP, KPER, PERTIM, TOTIM as "
          "4-byte reals, TEXT, NCOL, NROW, ILAY) or of MODFLOW 6 and double-precision builds "
          "(52 bytes, PERTIM and TOTIM as 8-byte reals), in stream or sequential form");
}

HeadLayer read_head_layer(const std::filesystem::path& path, std::string_view name,
                          const RecordChoice& choice) {
  const FileSource source(path, name);
  return read_head_layer(source, name, choice);
}

bool is_head(double value, std::optional<float> also) {
  if (!std::isfinite(value) || std::fabs(value) >= 1.0e30 * (1 - 1e-6)) return false;
  const float single = static_cast<float>(value);
  return single != -999.99f && single != -888.0f && single != also;
}

}  // namespace kitmodel
