// The command-line splitter keeps every two-byte character whole in one argument, drops only
// quotes and blanks, and keeps a blank only where quotes protect it.
#include "adapters/command_line.hpp"

#include <string>
#include <vector>

#include "fuzz.hpp"

namespace fa = fuzz_adapter;

namespace {

const char* const target = "command_line";

bool blank(char c) { return c == ' ' || c == '\t'; }

const char* check(const std::string& text, const std::vector<std::string>& args) {
  // Where each argument byte came from: the arguments are the input less some quotes and
  // blanks, so matching greedily finds it (only blanks could pair up differently).
  std::vector<std::size_t> argument_of(text.size(), SIZE_MAX);
  std::vector<std::size_t> offset_of(text.size(), SIZE_MAX);
  std::size_t at = 0;
  std::size_t blanks = 0;
  for (std::size_t a = 0; a < args.size(); ++a) {
    for (std::size_t j = 0; j < args[a].size(); ++j) {
      const char c = args[a][j];
      if (c == '"') return "an argument kept a quote";
      blanks += blank(c) ? 1 : 0;
      while (at < text.size() && text[at] != c && (text[at] == '"' || blank(text[at]))) ++at;
      if (at == text.size() || text[at] != c) return "an argument holds a byte the input lacks there";
      argument_of[at] = a;
      offset_of[at] = j;
      ++at;
    }
  }
  bool quoted = false;
  std::size_t quoted_blanks = 0;
  for (std::size_t i = 0; i < text.size(); i += cp932_length(text, i)) {
    const char c = text[i];
    if (cp932_length(text, i) == 2) {
      if (argument_of[i] == SIZE_MAX || argument_of[i + 1] != argument_of[i] ||
          offset_of[i + 1] != offset_of[i] + 1)
        return "a two-byte character was split or lost";
    } else if (c == '"') {
      quoted = !quoted;
    } else if (blank(c)) {
      quoted_blanks += quoted ? 1 : 0;
    } else if (argument_of[i] == SIZE_MAX) {
      return "a character was lost";
    }
  }
  return blanks == quoted_blanks ? nullptr : "an argument holds a blank that no quote protects";
}

}  // namespace

int fuzz_command_line(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> args = fa::split(text);
  if (const char* violation = check(text, args))
    fuzz_fail(target, "%s (%zu arguments)", violation, args.size());
  return fuzz_pass;
}
