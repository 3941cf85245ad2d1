// CORBELLA's run: the grid size, the output base name (both outputs created
// at once), the five input arrays, then read all, mix, write all.
#include "tools/corbella/corbella.hpp"

#include <span>
#include <string>
#include <string_view>

#include "gridkit/arrays.hpp"
#include "gridkit/dialogue.hpp"
#include "gridkit/grid.hpp"
#include "tools/corbella/mix.hpp"

namespace corbella {
namespace {

using gridkit::Console;
using gridkit::Record;

constexpr int kNameLength = 40;  // FILIN, the name field of every answer
// Units named by the blank-name retry, in the order the files are opened.
constexpr int kOutputUnit = 10;
constexpr int kFirstInputUnit = 12;

// A count from 1 to `largest`; anything else would not fit the arrays sized
// for the model grid, and is refused and asked again.
int ask_count(Console& con, std::string_view prompt, std::string_view what, int largest) {
  for (;;) {
    con.write(Record().text(prompt));
    long long count = 0;
    con.read_values(std::span<long long>(&count, 1));
    if (count >= 1 && count <= largest) return static_cast<int>(count);
    con.write(Record().text(std::string(" THE NUMBER OF ") + std::string(what) +
                            " MUST BE FROM 1 TO " + std::to_string(largest) +
                            " - PLEASE ENTER IT AGAIN"));
  }
}

// An input question asked in two records: the prompt's opening, then what
// the array holds.
gridkit::InFile ask_input(Console& con, const std::filesystem::path& folder,
                          std::string_view first_text, std::string_view second_text, int unit) {
  con.write(Record().text(first_text));
  return gridkit::ask_existing(con, folder, Record().text(second_text), kNameLength, unit);
}

}  // namespace

void run_corbella(Console& con, const std::filesystem::path& folder) {
  const int ncol =
      ask_count(con, " ENTER THE NUMBER OF COLUMNS IN THE MODEL: ", "COLUMNS", gridkit::NCOL());
  const int nrow =
      ask_count(con, " ENTER THE NUMBER OF ROWS IN THE MODEL: ", "ROWS", gridkit::NROW());

  auto [kh_file, kv_file] = gridkit::ask_output(
      con, folder,
      Record().text(" ENTER THE FIRST EIGHT CHARACTERS OF THE ").text(" OUTPUT FILENAME:"),
      kNameLength, kOutputUnit, {".KH", ".KV"});

  constexpr std::string_view kContaining = " ENTER THE FILENAME OF THE ARRAY CONTAINING ";
  gridkit::InFile sand_kh_file =
      ask_input(con, folder, kContaining,
                " HORIZONTAL HYDRAULIC CONDUCTIVITY OF THE \"SAND\":", kFirstInputUnit);
  gridkit::InFile clay_kh_file =
      ask_input(con, folder, kContaining,
                " HORIZONTAL HYDRAULIC CONDUCTIVITY OF THE \"CLAY\":", kFirstInputUnit + 1);
  gridkit::InFile sand_kv_file =
      ask_input(con, folder, kContaining,
                " VERTICAL HYDRAULIC CONDUCTIVITY OF THE \"SAND\":", kFirstInputUnit + 2);
  gridkit::InFile clay_kv_file =
      ask_input(con, folder, kContaining,
                " VERTICAL HYDRAULIC CONDUCTIVITY OF THE \"CLAY\":", kFirstInputUnit + 3);
  gridkit::InFile sand_file = ask_input(con, folder, "ENTER THE FILENAME OF THE ARRAY CONTAINING ",
                                        "PERCENT \"SAND\":", kFirstInputUnit + 4);

  // All input is read before anything is written.
  corbella::LayerArrays layer(nrow, ncol);
  const auto row_of = [ncol](gridkit::RealGrid& grid, int row) {
    return grid.row(row).first(static_cast<std::size_t>(ncol));
  };
  for (int row = 1; row <= nrow; ++row) {
    gridkit::read_exp_row(sand_kh_file, row_of(layer.sand_kh, row));
    gridkit::read_exp_row(clay_kh_file, row_of(layer.clay_kh, row));
    gridkit::read_exp_row(sand_kv_file, row_of(layer.sand_kv, row));
    gridkit::read_exp_row(clay_kv_file, row_of(layer.clay_kv, row));
    gridkit::read_fixed_row(sand_file, row_of(layer.sand_share, row));
  }

  corbella::mix_layer(layer);

  for (int row = 1; row <= nrow; ++row) {
    gridkit::write_exp_row(kh_file, row_of(layer.kh_mix, row));
    gridkit::write_exp_row(kv_file, row_of(layer.kv_mix, row));
  }
  kh_file.flush();
  kv_file.flush();
  con.stop();
}

}  // namespace corbella
