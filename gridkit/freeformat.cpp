#include "gridkit/freeformat.hpp"

#include <string>

#include "gridkit/numparse.hpp"

namespace gridkit {

namespace {

bool is_separator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r'; }

}  // namespace

bool scan_free(const NextLine& next_line, int count, const OnToken& on_token) {
  int index = 0;
  while (index < count) {
    const std::optional<std::string_view> line = next_line();
    if (!line) return false;
    std::size_t pos = 0;
    const std::string_view text = *line;
    while (index < count) {
      while (pos < text.size() && is_separator(text[pos])) ++pos;
      if (pos >= text.size()) break;
      std::size_t end = pos;
      while (end < text.size() && !is_separator(text[end])) ++end;
      const std::string_view token = text.substr(pos, end - pos);
      pos = end;
      const std::size_t star = token.find('*');
      if (star != std::string_view::npos && star > 0 && star + 1 < token.size()) {
        const std::optional<long long> repeat = parse_integer(token.substr(0, star));
        if (repeat && *repeat > 0) {
          const std::string_view value = token.substr(star + 1);
          for (long long r = 0; r < *repeat && index < count; ++r) on_token(index++, value);
          continue;
        }
      }
      on_token(index++, token);
    }
  }
  return true;
}

}  // namespace gridkit
