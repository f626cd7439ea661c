// The event file reader: any text leaves the bank's offsets rising within the text area and
// nothing written past the last one, and a bank it read, written back and read again, is the
// same bank. The first input byte picks the bank, the rest is the file.
#include "adapters/event_reader.hpp"

#include <algorithm>
#include <string>

#include "fuzz.hpp"

namespace fa = fuzz_adapter;

namespace {

const char* const target = "event_reader";
constexpr std::uint8_t guard = 0xA5;

void guard_bank(fa::EventBank& bank) { std::fill(bank.text.begin(), bank.text.end(), guard); }

bool untouched_after(const fa::EventBank& bank, std::size_t from) {
  return std::all_of(bank.text.begin() + static_cast<std::ptrdiff_t>(from), bank.text.end(),
                     [](std::uint8_t b) { return b == guard; });
}

void check_bank(const fa::EventBank& bank, int b, const char* which) {
  std::int32_t previous = 0;
  for (int i = 0; i < fa::event_entry_count; ++i) {
    const std::int32_t offset = bank.offsets[static_cast<std::size_t>(i)];
    if (offset < previous || static_cast<std::size_t>(offset) > fa::event_text_size(b))
      fuzz_fail(target, "%s bank %d: entry %d's offset %d after %d, area of %zu bytes", which, b + 1, i,
                offset, previous, fa::event_text_size(b));
    previous = offset;
  }
  if (!untouched_after(bank, static_cast<std::size_t>(previous)))
    fuzz_fail(target, "%s bank %d: bytes past the last offset %d were written", which, b + 1, previous);
}

// The last line that holds anything, or "".
std::string last_line(const std::string& text) {
  const std::size_t end = text.find_last_not_of("\r\n");
  if (end == std::string::npos) return std::string();
  const std::size_t start = text.find_last_of("\r\n", end);
  const std::size_t from = start == std::string::npos ? 0 : start + 1;
  return text.substr(from, end + 1 - from);
}

}  // namespace

int fuzz_event_reader(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return fuzz_pass;
  const int b = data[0] % fa::event_bank_count;
  std::string text(data + 1, data + size);
  fa::EventBank bank;
  guard_bank(bank);
  const auto refused_untouched = [&] {
    if (std::any_of(bank.offsets.begin(), bank.offsets.end(), [](std::int32_t o) { return o != 0; }) ||
        !untouched_after(bank, 0))
      fuzz_fail(target, "bank %d: a refused file changed the bank", b + 1);
  };
  if (fa::read_event_text(text, bank, b) != Status::ok) {
    refused_untouched();
    // Padded to the preamble and every row with copies of its last line, so that the reader
    // takes it and longer rows fill the area; text that does not fit leaves the bank whole.
    const std::string line = last_line(text) + '\n';
    text += '\n';
    for (int i = 0; i < fa::event_entry_count + 3; ++i) text += line;
    bool overflowed = false;
    if (fa::read_event_text(text, bank, b, &overflowed) != Status::ok) {
      refused_untouched();
      // Known fault, not yet understood: seeded mutation (seed 1, third run) found a padded
      // file refused without an overflow, which its saved input alone does not repeat. The
      // bank is left whole (checked above), so nothing is lost; the refusal is the open question.
      return overflowed ? fuzz_pass : fuzz_known;
    }
  }
  check_bank(bank, b, "read");

  fa::EventBank again;
  guard_bank(again);
  if (fa::write_and_read_event_bank(bank, again, b) != Status::ok)
    fuzz_fail(target, "bank %d: the file written from the bank was refused", b + 1);
  check_bank(again, b, "read again");
  const auto end = bank.text.begin() + bank.offsets.back();
  const auto text_differs = std::mismatch(bank.text.begin(), end, again.text.begin()).first;
  if (again.offsets != bank.offsets || text_differs != end) {
    const auto offset_differs =
        std::mismatch(bank.offsets.begin(), bank.offsets.end(), again.offsets.begin()).first;
    fuzz_fail(target, "bank %d: written and read again it differs from entry %td's offset, text byte %td",
              b + 1, offset_differs - bank.offsets.begin(), text_differs - bank.text.begin());
  }
  return fuzz_pass;
}
