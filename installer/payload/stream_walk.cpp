#include "installer/payload/stream_walk.hpp"

#include <memory>
#include <span>

#include "installer/payload/format.hpp"

namespace payload {

std::optional<Failure> walk_stream(const Payload& payload, Platform& platform,
                                   const std::function<void(const StreamStep&)>& visit) {
  std::string file = payload.image_path;
  std::uint64_t base = payload.payload_offset;
  std::shared_ptr<const std::uint8_t[]> storage = payload.storage;
  std::span<const std::uint8_t> buffer = payload.bytes;
  std::size_t pos = payload.stream_start;
  char continuation = '1';
  for (;;) {
    const Record r = read_record(buffer, pos);
    const auto fail = [&](std::string problem) {
      return Failure{file, base + r.offset, std::move(problem)};
    };
    switch (r.kind) {
      case RecordKind::broken: return fail(r.problem);
      case RecordKind::unknown:
        return fail(unknown_kind_problem(r.kind_byte, pos >= buffer.size()));
      case RecordKind::end: visit({r, base + r.offset, file, {}}); return std::nullopt;
      case RecordKind::file:
        if (const std::string problem = name_problem(r.name); !problem.empty())
          return fail(problem);
        visit({r, base + r.offset, file, {}});
        pos = r.next;
        break;
      case RecordKind::disk: {
        if (continuation == '1' + kMaxDisks) return fail("more than eight disk records");
        ++continuation;
        if (r.next != buffer.size()) {
          visit({r, base + r.offset, file, {}});
          pos = r.next;
          break;
        }
        const std::string next = payload.source_folder + continuation + ".DAT";
        visit({r, base + r.offset, file, next});
        FileRead read = platform.read_file(next);
        if (read.failure || read.size == 0) {
          return Failure{next, std::nullopt,
                         "continuation file " +
                             (read.failure ? read.failure->problem : std::string("is empty"))};
        }
        buffer = read.bytes();
        storage = std::move(read.storage);
        file = next;
        base = 0;
        pos = 0;
        break;
      }
    }
  }
}

}  // namespace payload
