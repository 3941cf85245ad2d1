// Reading one layer's heads back from a MODFLOW binary head file.
//
// Format notes (all integers and reals little-endian):
// - A head file is a run of records, one per layer and saved time step, each
//   a header followed by NCOL() x NROW() reals, row 1 first, columns 1..NCOL() in
//   each row.
// - Header: KSTP, KPER (int32); PERTIM, TOTIM (the time in the stress period
//   and in the simulation, reals of the file's precision); TEXT (16
//   characters, "            HEAD" for heads); NCOL(), NROW(), ILAY (int32).
//   With 4-byte reals that is 44 bytes (MODFLOW-2005 as released); with
//   8-byte reals 52 bytes (MODFLOW 6, and MODFLOW-2005 built in double
//   precision). The two cannot be told apart, and need not be.
// - Stream form: records follow one another with nothing between them.
//   Sequential form (a Fortran unformatted file): the header and the array
//   are each a record of their own, with its length in bytes as an int32
//   before and after it.
// The form is told by the first header alone (its TEXT must be printable,
// its counts positive) and then every record of the file is checked against
// it: the file must end exactly where its last record does.
//
// Limits: files up to 2 GiB; only the header of each record and the one
// array asked for are read, so a long simulation costs one small read per
// record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kitmodel {

inline constexpr std::uint64_t kMaxHeadFileBytes = std::uint64_t{1} << 31;  // 2 GiB

enum class HeadForm {
  Stream44,      // MODFLOW-2005 single precision, no record markers
  Sequential44,  // MODFLOW-2005 single precision, record markers
  Stream52,      // MODFLOW 6, or a double-precision build
  Sequential52,  // a double-precision build with record markers
};

// "MODFLOW 6 or double-precision, stream (52-byte headers, 8-byte reals)" and the like.
std::string_view form_name(HeadForm form);

// Bytes at known offsets of a file of known size.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t size() const = 0;
  // Fills `out` from `offset`; the caller keeps offset + out.size() <= size().
  virtual void read(std::uint64_t offset, std::span<std::byte> out) const = 0;
};

// Bytes held in memory (tests, fuzzing).
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::span<const std::byte> bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  void read(std::uint64_t offset, std::span<std::byte> out) const override;

 private:
  std::span<const std::byte> bytes_;
};

// Which array to take: the last record of `layer` whose period and step match
// those given (any when not given).
struct RecordChoice {
  int layer = 1;
  std::optional<int> period;
  std::optional<int> step;
};

struct HeadLayer {
  HeadForm form = HeadForm::Stream44;
  long records = 0;  // head records in the file, every layer and time
  int step = 0;      // KSTP
  int period = 0;    // KPER
  double period_time = 0;
  double total_time = 0;
  int layer = 0;
  int ncol = 0;
  int nrow = 0;
  std::vector<double> values;  // row 1 first, NCOL() a row
  double at(int row, int col) const {
    return values[static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(ncol) +
                  static_cast<std::size_t>(col - 1)];
  }
};

// The chosen layer of the head file in `source`, called `name` in reports. A
// file of no known form, a truncated or damaged one, or a choice the file does
// not hold is a KitError naming the file and what was expected.
HeadLayer read_head_layer(const ByteSource& source, std::string_view name,
                          const RecordChoice& choice);

// The same from a regular file of at most kMaxHeadFileBytes.
HeadLayer read_head_layer(const std::filesystem::path& path, std::string_view name,
                          const RecordChoice& choice);

// Whether a value is a head rather than MODFLOW's mark of an inactive cell
// (HNOFLO) or a dry one (HDRY): marks are the values of magnitude 1E+30 or more
// (MODFLOW 6's 1E+30 and -1E+30, the usual HDRY of MODFLOW-2005), -999.99 and
// -888 (the usual HNOFLO and HDRY of MODFLOW-2005 models), and anything not a
// finite number; and `also`, a model's own HNOFLO or HDRY when given.
// Compared in single precision, so that a double-precision file's -999.99 is
// the same mark.
bool is_head(double value, std::optional<float> also = std::nullopt);

}  // namespace kitmodel
