#include "gridkit/array_layout.hpp"

#include <cmath>

#include "gridkit/numfmt.hpp"

namespace gridkit {

namespace {

struct LayoutFormat {
  ArrayLayout layout;
  std::string_view format;
};
constexpr LayoutFormat kFormats[] = {
    {ArrayLayout::Int, "(25I3)"},
    {ArrayLayout::Fixed, "(10F8.1)"},
    {ArrayLayout::Free, "(FREE)"},
    {ArrayLayout::Exp, "(8E10.5)"},
};

}  // namespace

std::string layout_name(ArrayLayout layout) {
  for (const auto& [name, item] : kArrayLayoutNames) {
    if (item == layout) return std::string(name);
  }
  return "?";
}

std::string layout_format(ArrayLayout layout) {
  for (const LayoutFormat& f : kFormats) {
    if (f.layout == layout) return std::string(f.format);
  }
  return "?";
}

std::string layout_formats(std::initializer_list<ArrayLayout> layouts, std::string_view last) {
  std::string text;
  std::size_t index = 0;
  for (const ArrayLayout layout : layouts) {
    if (index > 0) text += index + 1 == layouts.size() ? " " + std::string(last) + " " : ", ";
    text += layout_format(layout);
    ++index;
  }
  return text;
}

std::optional<ArrayLayout> layout_with_format(std::string_view format) {
  for (const LayoutFormat& f : kFormats) {
    if (f.format == format) return f.layout;
  }
  return std::nullopt;
}

bool fits_layout(double value, ArrayLayout layout) {
  if (!std::isfinite(value)) return false;
  const float single = static_cast<float>(value);
  switch (layout) {
    case ArrayLayout::Int:
      static_assert(kIntWidth == 3);
      return value > -99.5 && value < 999.5;  // rounds to -99 .. 999
    case ArrayLayout::Fixed:
      // Well inside "-99999.9" .. "999999.9" every value fits; nearer the
      // ends the field itself decides.
      static_assert(kFixedWidth == 8 && kFixedDecimals == 1);
      if (std::fabs(single) < 99999.0f) return true;
      return format_fixed(single, kFixedWidth, kFixedDecimals).front() != '*';
    case ArrayLayout::Exp:
      // Every float's exponent has two digits; only the sign has no room.
      return single >= 0.0f;
    case ArrayLayout::Free: return std::isfinite(single);
  }
  return false;
}

}  // namespace gridkit
