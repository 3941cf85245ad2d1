// The fast printing and reading paths against the first, plainly exact
// implementation (tests/reference), on millions of generated values: every
// printed field must be the same bytes and every read value the same bits.
//
// KIT_NUMFMT_VALUES sets the values per layout and generator (default 25000,
// a few seconds in all); KIT_NUMFMT_SEED changes the generated values. A long
// run: KIT_NUMFMT_VALUES=5000000 tests/gridkit_numfmt_equality_test
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "gridkit/numfmt.hpp"
#include "gridkit/numparse.hpp"
#include "gridkit/tests/reference/reference_numfmt.hpp"

namespace gridkit {
namespace {

long env_or(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text ? std::atol(text) : fallback;
}

const long kValues = env_or("KIT_NUMFMT_VALUES", 25000);

using Rng = std::mt19937_64;

// ---- generated values -----------------------------------------------------

float random_float_bits(Rng& rng) {
  return std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
}
double random_double_bits(Rng& rng) {
  return std::bit_cast<double>(static_cast<std::uint64_t>(rng()));
}

// A random sign, and a decimal-looking value: up to 9 digits with the point
// anywhere from 10^-12 to 10^12 (what data files hold).
double decimal_looking(Rng& rng) {
  const double mantissa = static_cast<double>(rng() % 1000000000);
  const int shift = static_cast<int>(rng() % 25) - 12;
  const double v = mantissa * std::pow(10.0, shift - static_cast<int>(rng() % 9));
  return (rng() & 1) ? -v : v;
}

// m 2^e with an odd m of few bits: a short exact decimal expansion ending in
// 5, so an exact tie at some digit. `bits` up to 24 for floats, 53 for doubles.
double short_dyadic(Rng& rng, int bits, int min_exp, int max_exp) {
  const int b = 1 + static_cast<int>(rng() % static_cast<unsigned>(bits));
  const std::uint64_t m = (rng() & ((std::uint64_t{1} << b) - 1)) | 1;
  const int e = min_exp + static_cast<int>(rng() % static_cast<unsigned>(max_exp - min_exp + 1));
  const double v = std::ldexp(static_cast<double>(m), e);
  return (rng() & 1) ? -v : v;
}

// (2n+1)/2 x 10^j exactly: a tie at the place 10^j, for j from -3 to 8
// (ties of integer places up to the 7th digit of large values, and of the
// first decimals).
double decimal_tie(Rng& rng) {
  const int j = static_cast<int>(rng() % 12) - 3;
  double v;
  if (j <= 0) {
    // (2n+1) 5^-j / 2^(1-j) with the odd factor a multiple of 5^-j.
    const std::uint64_t odd = (rng() % 4000000) * 2 + 1;
    v = std::ldexp(static_cast<double>(odd), j - 1);
  } else {
    const std::uint64_t odd = (rng() % 2000) * 2 + 1;
    v = static_cast<double>(odd) * std::pow(5.0, j) * std::ldexp(1.0, j - 1);
  }
  return (rng() & 1) ? -v : v;
}

// Just around 10^k, 10^k - 1/2 10^j and the fields' limits (999999.95,
// -99999.95, 9999999.5): where rounding carries into a new digit or the
// value stops fitting. A few ulps either side.
double near_carry(Rng& rng, bool single) {
  const int k = static_cast<int>(rng() % 50) - 20;
  const int j = k - static_cast<int>(rng() % 18);
  double v = std::pow(10.0, k) - ((rng() & 1) ? 0.5 * std::pow(10.0, j) : 0.0);
  const int ulps = static_cast<int>(rng() % 7) - 3;
  if (single) {
    float f = static_cast<float>(v);
    for (int u = 0; u < std::abs(ulps); ++u) f = std::nextafter(f, ulps < 0 ? 0.0f : 1e38f);
    v = f;
  } else {
    for (int u = 0; u < std::abs(ulps); ++u) v = std::nextafter(v, ulps < 0 ? 0.0 : 1e308);
  }
  return (rng() & 1) ? -v : v;
}

float subnormal_float(Rng& rng) {
  const auto bits = static_cast<std::uint32_t>(rng() % (1u << 23)) |
                    (static_cast<std::uint32_t>(rng() & 1) << 31);
  return std::bit_cast<float>(bits);
}

const float kSpecialFloats[] = {0.0f,
                                -0.0f,
                                std::numeric_limits<float>::infinity(),
                                -std::numeric_limits<float>::infinity(),
                                std::numeric_limits<float>::quiet_NaN(),
                                std::numeric_limits<float>::max(),
                                std::numeric_limits<float>::min(),
                                std::numeric_limits<float>::denorm_min(),
                                999999.94f,
                                999999.96f,
                                -99999.95f,
                                -99999.945f,
                                9999999.5f,
                                0.05f,
                                0.95f};

// A generator of single values (promoted to double for the fixed fields).
struct FloatSource {
  const char* name;
  std::function<float(Rng&)> next;
};

std::vector<FloatSource> float_sources() {
  return {
      {"random bits", random_float_bits},
      {"decimal-looking", [](Rng& r) { return static_cast<float>(decimal_looking(r)); }},
      {"short dyadics", [](Rng& r) { return static_cast<float>(short_dyadic(r, 24, -40, 30)); }},
      {"decimal ties", [](Rng& r) { return static_cast<float>(decimal_tie(r)); }},
      {"near a carry", [](Rng& r) { return static_cast<float>(near_carry(r, true)); }},
      {"subnormals", subnormal_float},
  };
}

struct DoubleSource {
  const char* name;
  std::function<double(Rng&)> next;
};

std::vector<DoubleSource> double_sources() {
  return {
      {"random bits", random_double_bits},
      {"decimal-looking", decimal_looking},
      {"short dyadics", [](Rng& r) { return short_dyadic(r, 53, -120, 80); }},
      {"decimal ties", decimal_tie},
      {"near a carry", [](Rng& r) { return near_carry(r, false); }},
      {"subnormals",
       [](Rng& r) {
         return std::bit_cast<double>(static_cast<std::uint64_t>(r()) &
                                      ((std::uint64_t{1} << 52) - 1));
       }},
  };
}

// ---- printing ---------------------------------------------------------------

struct FloatLayout {
  const char* name;
  std::function<std::string(float)> fast;
  std::function<std::string(float)> slow;
};

struct DoubleLayout {
  const char* name;
  std::function<std::string(double)> fast;
  std::function<std::string(double)> slow;
};

// A mismatch report: layout, source, value in hexadecimal, both texts.
template <class T>
void expect_same(const char* layout, const char* source, T value, const std::string& fast,
                 const std::string& slow, long& failures) {
  if (fast == slow) return;
  if (++failures <= 10) {
    char hex[64];
    std::snprintf(hex, sizeof hex, "%a", static_cast<double>(value));
    ADD_FAILURE() << layout << " (" << source << ") of " << hex << ": fast \"" << fast
                  << "\", reference \"" << slow << "\"";
  }
}

TEST(NumberFormatsMatchReference, EveryPrintLayoutGivesTheSameBytes) {
  const std::vector<FloatLayout> float_layouts = {
      {"F8.1 array field", [](float v) { return format_fixed(v, 8, 1); },
       [](float v) { return reference::format_fixed(v, 8, 1); }},
      {"F10.5 field", [](float v) { return format_fixed(v, 10, 5); },
       [](float v) { return reference::format_fixed(v, 10, 5); }},
      {"F6.2 field", [](float v) { return format_fixed(v, 6, 2); },
       [](float v) { return reference::format_fixed(v, 6, 2); }},
      {"F14.0 field", [](float v) { return format_fixed(v, 14, 0); },
       [](float v) { return reference::format_fixed(v, 14, 0); }},
      {"F20.9 field", [](float v) { return format_fixed(v, 20, 9); },
       [](float v) { return reference::format_fixed(v, 20, 9); }},
      {"E10.5 exponent field", format_exp10, reference::format_exp10},
      {"free-format real", free_real_field, reference::free_real_field},
  };
  const std::vector<DoubleLayout> double_layouts = {
      {"free-format double", free_double_field, reference::free_double_field},
      {"F24.9 double field", [](double v) { return format_fixed(v, 24, 9, kDoubleDigits); },
       [](double v) { return reference::format_fixed(v, 24, 9, 16); }},
      {"F12.4 double field", [](double v) { return format_fixed(v, 12, 4, kDoubleDigits); },
       [](double v) { return reference::format_fixed(v, 12, 4, 16); }},
  };
  Rng rng(static_cast<std::uint64_t>(env_or("KIT_NUMFMT_SEED", 14)));
  long failures = 0;
  long checked = 0;
  for (const FloatLayout& layout : float_layouts) {
    for (const float v : kSpecialFloats)
      expect_same(layout.name, "special", v, layout.fast(v), layout.slow(v), failures);
    for (const FloatSource& source : float_sources()) {
      for (long n = 0; n < kValues; ++n) {
        const float v = source.next(rng);
        expect_same(layout.name, source.name, v, layout.fast(v), layout.slow(v), failures);
      }
      checked += kValues;
    }
  }
  for (const DoubleLayout& layout : double_layouts) {
    for (const DoubleSource& source : double_sources()) {
      for (long n = 0; n < kValues; ++n) {
        const double v = source.next(rng);
        expect_same(layout.name, source.name, v, layout.fast(v), layout.slow(v), failures);
      }
      checked += kValues;
    }
  }
  EXPECT_EQ(failures, 0);
  std::printf("printed values compared: %ld\n", checked);
}

// ---- reading ------------------------------------------------------------------

// Texts as files hold them: printed by the kit's own layouts or by printf in
// many forms, with D exponents, '+' signs, long digit strings, values beyond
// the type's range, and random junk from the characters numbers are made of.
std::string random_token(Rng& rng) {
  char text[128];
  const double v = (rng() % 3 == 0) ? random_double_bits(rng) : decimal_looking(rng);
  switch (rng() % 8) {
    case 0: std::snprintf(text, sizeof text, "%.*f", static_cast<int>(rng() % 10), v); break;
    case 1: std::snprintf(text, sizeof text, "%.*e", static_cast<int>(rng() % 30), v); break;
    case 2: std::snprintf(text, sizeof text, "%.*g", static_cast<int>(1 + rng() % 20), v); break;
    case 3:
      std::snprintf(text, sizeof text, "%.9g", static_cast<double>(random_float_bits(rng)));
      break;
    case 4: return reference::free_real_field(static_cast<float>(v));
    case 5: {
      const char alphabet[] = "0123456789+-.eEdD ";
      std::string junk;
      const int length = 1 + static_cast<int>(rng() % 10);
      for (int i = 0; i < length; ++i) junk += alphabet[rng() % (sizeof alphabet - 1)];
      return junk;
    }
    case 6: std::snprintf(text, sizeof text, "%.0f", std::trunc(decimal_looking(rng))); break;
    default:
      std::snprintf(text, sizeof text, "%.3f", static_cast<double>(short_dyadic(rng, 24, -30, 20)));
      break;
  }
  std::string token = text;
  if (rng() % 4 == 0) {
    const std::size_t e = token.find('e');
    if (e != std::string::npos) token[e] = (rng() & 1) ? 'D' : 'd';
  }
  if (rng() % 8 == 0 && token[0] != '-') token.insert(0, 1, '+');
  while (!token.empty() && token[0] == ' ') token.erase(0, 1);
  return token;
}

// A fixed field of `width` columns: a printed field, or a token with its
// point dropped (an implied decimal) and blanks put in anywhere.
std::string random_field(Rng& rng, int width) {
  std::string field;
  if (rng() % 3 == 0) {
    field = width == 10 ? reference::format_exp10(static_cast<float>(decimal_looking(rng)))
                        : reference::format_fixed(decimal_looking(rng), width, 1);
  } else {
    field = random_token(rng);
    if (rng() & 1) {
      const std::size_t point = field.find('.');
      if (point != std::string::npos) field.erase(point, 1);
    }
  }
  for (int blanks = static_cast<int>(rng() % 3); blanks > 0; --blanks) {
    field.insert(rng() % (field.size() + 1), 1, ' ');
  }
  if (static_cast<int>(field.size()) < width)
    field.insert(0, static_cast<std::size_t>(width) - field.size(), ' ');
  return field.substr(0, static_cast<std::size_t>(width));
}

template <class T>
std::string show(const std::optional<T>& v) {
  if (!v) return "not a number";
  if constexpr (std::is_integral_v<T>) return std::to_string(*v);
  char text[64];
  std::snprintf(text, sizeof text, "%a", static_cast<double>(*v));
  return text;
}

// Same bits (a sign of zero included), or both not a number.
template <class T>
bool same(const std::optional<T>& a, const std::optional<T>& b) {
  if (a.has_value() != b.has_value()) return false;
  if (!a) return true;
  if constexpr (std::is_floating_point_v<T>) return std::memcmp(&*a, &*b, sizeof(T)) == 0;
  return *a == *b;
}

TEST(NumberFormatsMatchReference, EveryReaderGivesTheSameBits) {
  struct Reader {
    const char* name;
    std::function<std::string(Rng&)> text;
    std::function<bool(const std::string&, std::string&, std::string&)> compare;
  };
  const auto compare_with = [](auto fast, auto slow) {
    return [fast, slow](const std::string& text, std::string& a, std::string& b) {
      const auto x = fast(text);
      const auto y = slow(text);
      a = show(x);
      b = show(y);
      return same(x, y);
    };
  };
  const std::vector<Reader> readers = {
      {"free-format float", random_token,
       compare_with([](const std::string& t) { return parse_float(t); },
                    [](const std::string& t) { return reference::parse_float(t); })},
      {"free-format double", random_token,
       compare_with([](const std::string& t) { return parse_double(t); },
                    [](const std::string& t) { return reference::parse_double(t); })},
      {"F8.1 field", [](Rng& r) { return random_field(r, 8); },
       compare_with([](const std::string& t) { return parse_fixed_float(t, 1); },
                    [](const std::string& t) { return reference::parse_fixed_float(t, 1); })},
      {"E10.5 field", [](Rng& r) { return random_field(r, 10); },
       compare_with([](const std::string& t) { return parse_fixed_float(t, 5); },
                    [](const std::string& t) { return reference::parse_fixed_float(t, 5); })},
      {"F10.0 double field", [](Rng& r) { return random_field(r, 10); },
       compare_with([](const std::string& t) { return parse_fixed_double(t, 0); },
                    [](const std::string& t) { return reference::parse_fixed_double(t, 0); })},
      {"I3 field", [](Rng& r) { return random_field(r, 3); },
       compare_with([](const std::string& t) { return parse_fixed_integer(t); },
                    [](const std::string& t) { return reference::parse_fixed_integer(t); })},
  };
  Rng rng(static_cast<std::uint64_t>(env_or("KIT_NUMFMT_SEED", 14)) + 1);
  long failures = 0;
  long checked = 0;
  for (const Reader& reader : readers) {
    for (long n = 0; n < 2 * kValues; ++n) {
      const std::string text = reader.text(rng);
      std::string fast, slow;
      if (!reader.compare(text, fast, slow) && ++failures <= 10) {
        ADD_FAILURE() << reader.name << " of \"" << text << "\": fast " << fast << ", reference "
                      << slow;
      }
    }
    checked += 2 * kValues;
  }
  EXPECT_EQ(failures, 0);
  std::printf("read texts compared: %ld\n", checked);
}

}  // namespace
}  // namespace gridkit
