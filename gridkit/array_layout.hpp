// The four layouts of the kit's whole-grid array files, by the name the
// command lines take and the format a model description gives. Every row
// starts on a new line; rows run from 1 (north), each from column 1 (west).
//
//  - int (25I3), for IBOUND and zone arrays: 25 integers to a line in fields
//    of 3 columns; blank fields and the missing tail of a short line read 0,
//    columns after 75 are ignored.
//  - fixed (10F8.1): 10 reals to a line in fields of 8 with 1 decimal; on
//    input a field without a point has 1 implied decimal, a blank field or
//    the missing tail of a short line reads 0.
//  - exp (8E10.5), for conductivities: 8 reals to a line in fields of 10
//    (12.5 as ".12500E+02"), 5 implied decimals on input; a negative value
//    has no room for its sign.
//  - free (FREE): numbers separated by blanks, tabs or commas, over as many
//    lines as the row takes (repeat counts "3*0.0" allowed); written as the
//    kit's list output, four values to a line.
//
// Values that do not fit their field are written as asterisks, which no
// reader takes back; fits_layout tells them beforehand.
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace gridkit {

enum class ArrayLayout { Int, Fixed, Free, Exp };

// Field geometry of the fixed-column layouts.
inline constexpr int kIntPerLine = 25;
inline constexpr int kIntWidth = 3;
inline constexpr int kFixedPerLine = 10;
inline constexpr int kFixedWidth = 8;
inline constexpr int kFixedDecimals = 1;
inline constexpr int kExpPerLine = 8;  // in fields of kExpFieldWidth (numfmt.hpp)
inline constexpr int kExpImpliedDecimals = 5;

// The names the command lines take, in the order their usage lists them.
inline constexpr std::array<std::pair<std::string_view, ArrayLayout>, 4> kArrayLayoutNames{{
    {"int", ArrayLayout::Int},
    {"fixed", ArrayLayout::Fixed},
    {"free", ArrayLayout::Free},
    {"exp", ArrayLayout::Exp},
}};

std::string layout_name(ArrayLayout layout);    // "int"
std::string layout_format(ArrayLayout layout);  // "(25I3)", as control records give it
// Formats as a message lists them: "(25I3), (10F8.1) or (FREE)", with `last`
// ("or", "and") before the last one.
std::string layout_formats(std::initializer_list<ArrayLayout> layouts, std::string_view last);
// The layout a model description's format names; nullopt for any other text.
std::optional<ArrayLayout> layout_with_format(std::string_view format);

// Whether `value` shows in the layout's field rather than as asterisks; for
// the int layout after rounding to the nearest integer.
bool fits_layout(double value, ArrayLayout layout);

}  // namespace gridkit
