#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "event/event_csv.hpp"
#include "event/event_messages.hpp"
#include "table/cells.hpp"
#include "table/csv_file.hpp"
#include "table/fixed_table.hpp"
#include "text/encoder.hpp"

namespace {

constexpr int preamble_lines = 3;
constexpr int text_column = 1;

}  // namespace

int read_event_csv(JobContext& job, const std::string& folder, EventBank& bank, int b) {
  const std::string path = event_file_path(folder, b);
  CsvReader in;
  if (!in.open(path, &job.report)) {
    job.report.add(msg::cannot_open, path);
    return 1;
  }
  job.report.progress(msg::event_progress, static_cast<unsigned>(b + 1), event_msg::name);
  in.skip_lines(preamble_lines);
  // A file cut short, emptied or saved with lone CR line ends is refused as a whole: its bank
  // keeps the input's bytes instead of losing its later entries.
  std::vector<std::string> rows;
  int first_line = 0;
  if (!read_record_lines(job.report, in, event_entry_count, path, rows, &first_line)) return 1;
  PlaceScope place(&job.report, Place{file_name_of(path)});

  const std::size_t area = event_bank_area(b).text_size;
  // Two bytes more than the area can hold, so that text which does not fit is noticed even
  // when its first code past the end is a two-byte one.
  std::vector<std::uint8_t> piece(area + 2);
  std::size_t end = 0;
  bool full = false;
  for (int i = 0; i < event_entry_count; ++i) {
    // An empty row, and every row after the area is full, gives an empty entry: its pointer
    // stays at the previous end and never points back into repacked text.
    const std::string& row = rows[static_cast<std::size_t>(i)];
    if (!full && !row.empty()) {
      const std::string text = cell_string(row, text_column, row.size());
      const std::size_t room = area - end;
      job.report.place().line = first_line + i;
      const std::size_t n =
          encode_text(piece.data(), text.data(), room + 2, text.size(), false, &job.report);
      const std::size_t kept = std::min(n, room);
      std::memcpy(bank.text.data() + end, piece.data(), kept);
      end += kept;
      if (n > room) {
        job.report.add(msg::event_bank_overflow, b + 1, static_cast<int>(area), static_cast<unsigned>(i));
        full = true;
      }
    }
    bank.offsets[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(end);
  }
  job.report.place() = Place{};
  job.report.add(msg::room_used, file_name_of(path), static_cast<int>(end), static_cast<int>(area));
  return 0;
}
