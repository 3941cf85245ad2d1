#include "bench/dcl_sample_data.hpp"

#include <cmath>
#include <cstdio>
#include <random>

namespace dcl_bench {

std::vector<std::uint8_t> prose(std::size_t size) {
  std::mt19937 rng(1);
  // A vocabulary of made-up words; word i is drawn with weight 1 / (i + 1).
  std::vector<std::string> words;
  const char* const syllables[] = {"ta", "ri", "on",  "el", "mar", "sto", "ve", "in", "qua", "de",
                                   "lo", "ne", "gra", "th", "us",  "pe",  "ar", "ca", "men", "ti"};
  for (int i = 0; i < 2000; ++i) {
    std::string w;
    const int n = 1 + static_cast<int>(rng() % 3) + (i > 100 ? 1 : 0);
    for (int s = 0; s < n; ++s) w += syllables[rng() % 20];
    words.push_back(w);
  }
  std::vector<double> weights(words.size());
  for (std::size_t i = 0; i < weights.size(); ++i) weights[i] = 1.0 / static_cast<double>(i + 1);
  std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
  std::string text;
  bool capital = true;
  std::size_t line = 0;
  while (text.size() < size) {
    std::string w = words[pick(rng)];
    if (capital) w[0] = static_cast<char>(w[0] - 'a' + 'A');
    capital = false;
    text += w;
    line += w.size() + 1;
    const unsigned r = rng() % 16;
    if (r == 0) {
      text += '.';
      capital = true;
    }
    if (r == 1) text += ',';
    if (line > 70) {
      text += "\r\n";
      line = 0;
    } else {
      text += ' ';
    }
  }
  text.resize(size);
  return {text.begin(), text.end()};
}

std::vector<std::uint8_t> grid_text(std::size_t size) {
  std::mt19937 rng(2);
  std::normal_distribution<double> step(0.0, 1.5);
  std::string text;
  double level = 250.0;
  char field[16];
  while (text.size() < size) {
    for (int col = 1; col <= 361 && text.size() < size; ++col) {
      level += step(rng);
      std::snprintf(field, sizeof field, "%8.1f", std::round(level * 10.0) / 10.0);
      text += field;
      if (col % 10 == 0 || col == 361) text += '\n';
    }
  }
  text.resize(size);
  return {text.begin(), text.end()};
}

std::vector<std::uint8_t> program_image(std::size_t size) {
  std::mt19937 rng(3);
  std::vector<std::uint8_t> out;
  // Instruction-like templates; 0xEE marks an operand byte that varies.
  const std::vector<std::vector<std::uint8_t>> templates = {
      {0x55, 0x8B, 0xEC, 0x83, 0xEC, 0xEE},  // frame set-up
      {0x8B, 0x45, 0xEE},                    // load local
      {0x89, 0x45, 0xEE},                    // store local
      {0xE8, 0xEE, 0xEE, 0x00, 0x00},        // call
      {0x6A, 0xEE},                          // push byte
      {0xFF, 0x15, 0xEE, 0xEE, 0x40, 0x00},  // call through import
      {0x85, 0xC0, 0x74, 0xEE},              // test and branch
      {0x8B, 0xE5, 0x5D, 0xC3},              // frame end
      {0x33, 0xC0},                          // clear
      {0x8D, 0x4D, 0xEE, 0x51},              // address of local
  };
  while (out.size() < size) {
    const unsigned kind = rng() % 10;
    if (kind < 7) {  // a run of code
      for (int i = 0; i < 200; ++i) {
        for (std::uint8_t b : templates[rng() % templates.size()]) {
          out.push_back(b == 0xEE ? static_cast<std::uint8_t>((rng() % 32) * 4) : b);
        }
      }
    } else if (kind == 7) {  // a table of addresses
      std::uint32_t v = 0x00401000 + (rng() % 0x1000);
      for (int i = 0; i < 100; ++i) {
        v += 4 + (rng() % 64);
        for (int k = 0; k < 4; ++k) out.push_back(static_cast<std::uint8_t>(v >> (8 * k)));
      }
    } else if (kind == 8) {  // strings
      const char* const names[] = {"GetModuleFileNameA", "CreateFileA", "ReadFile",
                                   "WriteFile",          "CloseHandle", "Drawing file",
                                   "Cannot open %s",     "TARNIX"};
      for (int i = 0; i < 20; ++i) {
        const std::string s = names[rng() % 8];
        out.insert(out.end(), s.begin(), s.end());
        out.push_back(0);
      }
    } else {  // alignment padding
      out.insert(out.end(), 16 + rng() % 500, 0);
    }
  }
  out.resize(size);
  return out;
}

std::vector<std::uint8_t> noise(std::size_t size) {
  std::mt19937 rng(4);
  std::vector<std::uint8_t> out(size);
  for (auto& b : out) b = static_cast<std::uint8_t>(rng());
  return out;
}

std::vector<SampleData> all_samples(std::size_t size) {
  return {{"prose", prose(size)},
          {"grid text", grid_text(size)},
          {"program image", program_image(size)},
          {"noise", noise(size)}};
}

}  // namespace dcl_bench
