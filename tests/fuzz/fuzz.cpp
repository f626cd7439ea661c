#include "fuzz.hpp"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace {

// New targets: one file in targets/, its adapter in adapters/, one line here, a corpus folder.
const FuzzTarget targets[] = {
    {"cells", fuzz_cells},
    {"csv_lines", fuzz_csv_lines},
    {"encoder", fuzz_encoder},
    {"decoder", fuzz_decoder},
    {"song_text", fuzz_song_text},
    {"command_line", fuzz_command_line},
    {"csv_folder", fuzz_csv_folder},
    {"bps", fuzz_bps},
    {"utf8", fuzz_utf8},
    {"event_reader", fuzz_event_reader},
    {"tables", fuzz_tables},
};

// A process-wide hook, because a sanitizer's death callback takes no argument.
void (*failure_hook)() = nullptr;

}  // namespace

const FuzzTarget* fuzz_targets_begin() { return std::begin(targets); }
const FuzzTarget* fuzz_targets_end() { return std::end(targets); }

const FuzzTarget* find_fuzz_target(std::string_view name) {
  for (const FuzzTarget& t : targets) {
    if (name == t.name) return &t;
  }
  return nullptr;
}

void set_fuzz_failure_hook(void (*hook)()) { failure_hook = hook; }

void fuzz_fail(const char* target, const char* format, ...) {
  std::fprintf(stderr, "fuzz failure in %s: ", target);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
  if (failure_hook) failure_hook();
  std::abort();
}

std::size_t cp932_length(std::string_view text, std::size_t at) {
  if (at + 1 >= text.size()) return 1;
  const auto lead = static_cast<std::uint8_t>(text[at]);
  const auto trail = static_cast<std::uint8_t>(text[at + 1]);
  const bool is_lead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  return is_lead && trail >= 0x40 && trail <= 0xFC && trail != 0x7F ? 2 : 1;
}
