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
#include "table/columns.hpp"
#include "table/csv_file.hpp"
#include "table/record_lines.hpp"
#include "text/encoder.hpp"

namespace {

constexpr int preamble_lines = 3;
constexpr int text_column = 1;

}  // namespace

Status read_event_csv(JobContext& job, const std::string& folder, EventBank& bank, int b) {
  const std::string path = event_file_path(folder, b);
  CsvReader in;
  if (!in.open(path, &job.report)) {
    job.report.add(msg::cannot_open, path);
    return Status::failed;
  }
  job.report.progress(msg::event_progress, static_cast<unsigned>(b + 1), event_msg::name);
  in.skip_lines(preamble_lines - 1);
  const std::string file = file_name_of(path);
  // Columns are found by their headers: a memo column is passed over, a file without the text
  // column keeps the bank's bytes, one without the ID column is read in file order.
  std::string header;
  ListColumns columns;
  if (!in.next_line(header)) {
    job.report.add(msg::file_too_short, path);
    return Status::failed;
  }
  if (!match_list_columns(job.report, file.c_str(), in.line_number(), line_columns(event_msg::header), -1, header,
                          columns) ||
      columns.lead[text_column] < 0) {
    return Status::failed;
  }
  // A file cut short, emptied or saved with lone CR line ends is refused as a whole: its bank
  // keeps the input's bytes instead of losing its later entries. Rows sorted in a spreadsheet
  // go back to the entries their IDs name.
  RecordLines rows;
  RowIds ids;
  ids.column = columns.lead[0];
  if (!read_record_lines(job.report, in, event_entry_count, path, ids, rows)) return Status::failed;
  for (std::string& row : rows.text) row = list_row(row, columns);
  PlaceScope place(&job.report, Place{file});

  // Every row is encoded, even past a full area, so that the overflow is counted whole and
  // every row's messages are given; a bank that does not fit keeps the image's bytes.
  const std::size_t area = event_bank_area(b).text_size;
  std::vector<std::uint8_t> packed;
  std::vector<std::int32_t> ends(event_entry_count, 0);
  std::size_t end = 0;
  int first_over = -1;
  for (int i = 0; i < event_entry_count; ++i) {
    const std::string& row = rows.text[static_cast<std::size_t>(i)];
    if (row.find_first_not_of(',') == std::string::npos) {
      // An emptied row (named by the reader) keeps the image's entry.
      const std::vector<std::uint8_t> kept = event_entry_bytes(bank, i, static_cast<std::int32_t>(area));
      packed.insert(packed.end(), kept.begin(), kept.end());
      end += kept.size();
    } else {
      const std::string text = cell_string(row, text_column);
      job.report.place().line = rows.line[static_cast<std::size_t>(i)];
      const std::size_t n = encode_text(nullptr, text.data(), 0, text.size(), false, &job.report);
      packed.resize(end + n);
      if (n > 0) encode_text(packed.data() + end, text.data(), n, text.size(), false);
      end += n;
    }
    if (end > area && first_over < 0) first_over = i;
    ends[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(end);
  }
  job.report.place() = Place{};
  if (first_over >= 0) {
    job.report.add(msg::event_bank_overflow, b + 1, static_cast<int>(area), static_cast<int>(end - area),
                   static_cast<unsigned>(first_over));
    return Status::failed;
  }
  std::copy(packed.begin(), packed.end(), bank.text.begin());
  std::copy(ends.begin(), ends.end(), bank.offsets.begin());
  job.report.add(msg::room_used, file, static_cast<int>(end), static_cast<int>(area));
  return Status::ok;
}
