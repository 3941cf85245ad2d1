#include "tools/kitmodel/tests/head_files.hpp"

#include <bit>
#include <cstdint>

namespace kitmodel_test {

namespace {

void put_u32(std::vector<std::byte>& out, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<std::byte>(v >> (8 * k)));
}

void put_real(std::vector<std::byte>& out, double v, bool wide) {
  if (!wide) {
    put_u32(out, std::bit_cast<std::uint32_t>(static_cast<float>(v)));
    return;
  }
  const auto bits = std::bit_cast<std::uint64_t>(v);
  put_u32(out, static_cast<std::uint32_t>(bits));
  put_u32(out, static_cast<std::uint32_t>(bits >> 32));
}

}  // namespace

std::vector<std::byte> head_file(kitmodel::HeadForm form, int ncol, int nrow,
                                 const std::vector<Record>& records) {
  using kitmodel::HeadForm;
  const bool wide = form == HeadForm::Stream52 || form == HeadForm::Sequential52;
  const bool markers = form == HeadForm::Sequential44 || form == HeadForm::Sequential52;
  const std::uint32_t header_bytes = wide ? 52 : 44;
  const std::uint32_t data_bytes = static_cast<std::uint32_t>(ncol * nrow) * (wide ? 8 : 4);
  std::vector<std::byte> out;
  for (const Record& r : records) {
    if (markers) put_u32(out, header_bytes);
    put_u32(out, static_cast<std::uint32_t>(r.step));
    put_u32(out, static_cast<std::uint32_t>(r.period));
    put_real(out, r.total_time, wide);
    put_real(out, r.total_time, wide);
    const std::string text = std::string(16 - r.text.size(), ' ') + r.text;
    for (char c : text) out.push_back(static_cast<std::byte>(c));
    put_u32(out, static_cast<std::uint32_t>(ncol));
    put_u32(out, static_cast<std::uint32_t>(nrow));
    put_u32(out, static_cast<std::uint32_t>(r.layer));
    if (markers) {
      put_u32(out, header_bytes);
      put_u32(out, data_bytes);
    }
    for (double v : r.values) put_real(out, v, wide);
    if (markers) put_u32(out, data_bytes);
  }
  return out;
}

}  // namespace kitmodel_test
