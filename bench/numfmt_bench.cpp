// Printing and reading reals: nanoseconds per value for each layout, the
// first exact implementation (reference) against today's, on values like
// those of model arrays (elevations with two decimals, conductivities over
// nine decades, coordinates). Checks that both give the same text and bits.
// Also whole rows: writing and reading a grid-sized array through the row
// writers and readers. Times are this thread's CPU time, best of 3.
//
//   bench-numfmt [values]   (default 200000)
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "gridkit/arrays.hpp"
#include "gridkit/grid.hpp"
#include "gridkit/numfmt.hpp"
#include "gridkit/numparse.hpp"
#include "gridkit/tests/reference/reference_numfmt.hpp"

namespace {

// CPU time of this thread: the machine is shared, and time spent waiting
// for a core is not the code's.
double thread_ns() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

// Best of three runs of `work` over `count` values, in ns per value.
double ns_per_value(long count, const std::function<void()>& work) {
  double best = 1e300;
  for (int run = 0; run < 3; ++run) {
    const double start = thread_ns();
    work();
    best = std::min(best, (thread_ns() - start) / static_cast<double>(count));
  }
  return best;
}

std::vector<float> elevations(long count, std::mt19937_64& rng) {
  std::uniform_real_distribution<double> level(-50.0, 2500.0);
  std::vector<float> v;
  for (long i = 0; i < count; ++i)
    v.push_back(static_cast<float>(std::round(level(rng) * 100.0) / 100.0));
  return v;
}

std::vector<float> conductivities(long count, std::mt19937_64& rng) {
  std::uniform_real_distribution<double> decade(-6.0, 3.0);
  std::vector<float> v;
  for (long i = 0; i < count; ++i) v.push_back(static_cast<float>(std::pow(10.0, decade(rng))));
  return v;
}

std::vector<double> coordinates(long count, std::mt19937_64& rng) {
  std::uniform_real_distribution<double> metres(88128.0, 650568.0);
  std::vector<double> v;
  for (long i = 0; i < count; ++i) v.push_back(metres(rng));
  return v;
}

volatile std::size_t g_sink = 0;  // keeps the work from being optimised away

void report(const char* what, double old_ns, double new_ns, bool same) {
  std::printf("%-28s %10.1f %10.1f %8.1fx  %s\n", what, old_ns, new_ns, old_ns / new_ns,
              same ? "same output" : "OUTPUT DIFFERS");
}

template <class T, class Fast, class Slow>
void print_layout(const char* what, const std::vector<T>& values, Fast fast, Slow slow) {
  bool same = true;
  for (const T v : values) same = same && fast(v) == slow(v);
  const long n = static_cast<long>(values.size());
  const double old_ns = ns_per_value(n, [&] {
    for (const T v : values) g_sink = g_sink + slow(v).size();
  });
  const double new_ns = ns_per_value(n, [&] {
    for (const T v : values) g_sink = g_sink + fast(v).size();
  });
  report(what, old_ns, new_ns, same);
}

// The fast writers as the row writers call them: into a buffer, no string.
template <class T, class Put>
double put_ns(const std::vector<T>& values, Put put) {
  char buffer[64];
  return ns_per_value(static_cast<long>(values.size()), [&] {
    for (const T v : values) g_sink = g_sink + static_cast<std::size_t>(put(buffer, v) - buffer);
  });
}

template <class Fast, class Slow>
void read_layout(const char* what, const std::vector<std::string>& texts, Fast fast, Slow slow) {
  bool same = true;
  for (const std::string& t : texts) same = same && fast(t) == slow(t);
  const long n = static_cast<long>(texts.size());
  const double old_ns = ns_per_value(n, [&] {
    for (const std::string& t : texts) g_sink = g_sink + slow(t).has_value();
  });
  const double new_ns = ns_per_value(n, [&] {
    for (const std::string& t : texts) g_sink = g_sink + fast(t).has_value();
  });
  report(what, old_ns, new_ns, same);
}

// A grid-sized real array written by `write` and read back by `read`; prints
// ns per value for each and checks the values come back.
template <class Write, class Read>
void whole_grid(const char* what, const gridkit::RealGrid& grid, Write write, Read read) {
  using namespace gridkit;
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "bench-numfmt-grid.txt";
  const long n = static_cast<long>(NROW()) * NCOL();
  const double write_ns = ns_per_value(n, [&] {
    OutFile out(path, "grid");
    for (int i = 1; i <= NROW(); ++i) write(out, grid.row(i));
    out.flush();
  });
  RealGrid back;
  const double read_ns = ns_per_value(n, [&] {
    InFile in = InFile::open_existing(path, "grid");
    for (int i = 1; i <= NROW(); ++i) read(in, back.row(i));
  });
  std::filesystem::remove(path);
  std::printf("%-28s write %6.1f ns/value, read %6.1f ns/value (file I/O included)\n", what,
              write_ns, read_ns);
  g_sink = g_sink + static_cast<std::size_t>(back(1, 1));
}

}  // namespace

int main(int argc, char** argv) {
  using namespace gridkit;
  const long count = argc > 1 ? std::atol(argv[1]) : 200000;
  std::mt19937_64 rng(14);
  const std::vector<float> levels = elevations(count, rng);
  const std::vector<float> ks = conductivities(count, rng);
  const std::vector<double> xs = coordinates(count, rng);

  std::printf("%ld values per layout, best of 3\n", count);
  std::printf("%-28s %10s %10s %9s\n", "printing (std::string)", "old ns", "new ns", "speed-up");
  print_layout(
      "F8.1 array field", levels, [](float v) { return format_fixed(v, 8, 1); },
      [](float v) { return reference::format_fixed(v, 8, 1); });
  print_layout(
      "F10.5 field", levels, [](float v) { return format_fixed(v, 10, 5); },
      [](float v) { return reference::format_fixed(v, 10, 5); });
  print_layout("E10.5 exponent field", ks, format_exp10, reference::format_exp10);
  print_layout("free-format real", levels, free_real_field, reference::free_real_field);
  print_layout("free-format double", xs, free_double_field, reference::free_double_field);
  std::printf("%-28s %10s %10s\n", "printing into a buffer", "", "new ns");
  std::printf("%-28s %10s %10.1f\n", "F8.1 array field", "",
              put_ns(levels, [](char* out, float v) { return put_fixed(out, v, 8, 1); }));
  std::printf("%-28s %10s %10.1f\n", "E10.5 exponent field", "",
              put_ns(ks, [](char* out, float v) { return put_exp10(out, v); }));
  std::printf("%-28s %10s %10.1f\n", "free-format real", "", put_ns(levels, put_free_real));
  std::printf("%-28s %10s %10.1f\n", "free-format double", "", put_ns(xs, put_free_double));

  std::vector<std::string> free_tokens, fixed_fields, exp_fields;
  for (long i = 0; i < count; ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f",
                  static_cast<double>(levels[static_cast<std::size_t>(i)]));
    free_tokens.push_back(text);
    fixed_fields.push_back(reference::format_fixed(levels[static_cast<std::size_t>(i)], 8, 1));
    exp_fields.push_back(reference::format_exp10(ks[static_cast<std::size_t>(i)]));
  }
  std::printf("%-28s %10s %10s %9s\n", "reading", "old ns", "new ns", "speed-up");
  read_layout(
      "free-format float", free_tokens, [](const std::string& t) { return parse_float(t); },
      [](const std::string& t) { return reference::parse_float(t); });
  read_layout(
      "F8.1 field", fixed_fields, [](const std::string& t) { return parse_fixed_float(t, 1); },
      [](const std::string& t) { return reference::parse_fixed_float(t, 1); });
  read_layout(
      "E10.5 field", exp_fields, [](const std::string& t) { return parse_fixed_float(t, 5); },
      [](const std::string& t) { return reference::parse_fixed_float(t, 5); });

  RealGrid grid;
  RealGrid k_grid;  // the exponent layout holds no negative values
  for (int i = 1; i <= NROW(); ++i) {
    for (int j = 1; j <= NCOL(); ++j) {
      grid(i, j) = levels[static_cast<std::size_t>((i * NCOL() + j) % count)];
      k_grid(i, j) = ks[static_cast<std::size_t>((i * NCOL() + j) % count)];
    }
  }
  std::printf("whole %d x %d grids\n", NROW(), NCOL());
  whole_grid("10 x F8.1 rows", grid, write_fixed_row, read_fixed_row);
  whole_grid("8 x E10.5 rows", k_grid, write_exp_row, read_exp_row);
  whole_grid("F8.1 rows read free-format", grid, write_fixed_row, read_free_row);
  return 0;
}
