#include <cstdint>
#include <limits>
#include <string>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "event/event_csv.hpp"
#include "event/event_messages.hpp"
#include "table/csv_file.hpp"
#include "table/table_writer.hpp"
#include "text/decoder.hpp"

namespace {

std::int32_t next_pointer_above(const EventBank& bank, std::int32_t start, std::int32_t area) {
  std::int32_t end = area;
  for (const std::int32_t pointer : bank.offsets) {
    if (pointer > start && pointer < end) end = pointer;
  }
  return end;
}

}  // namespace

void write_event_csv(JobContext& job, const std::string& folder, const EventBank& bank, int b,
                     const TagTable& tags) {
  const std::string path = event_file_path(folder, b);
  CsvWriter out;
  out.set_utf8(job.utf8_files);
  if (!out.open(path)) {
    job.report.add(msg::cannot_open, path);
    return;
  }
  PlaceScope place(&job.report, Place{file_name_of(path)});
  const std::int32_t area = static_cast<std::int32_t>(event_bank_area(b).text_size);
  out.printf(event_msg::preamble, event_msg::name, event_entry_count, area);
  out.line();
  out.line(event_msg::header);

  std::string text;
  std::int32_t start = 0;
  bool order_reported = false;
  for (int i = 0; i < event_entry_count; ++i) {
    const std::int32_t pointer = bank.offsets[static_cast<std::size_t>(i)];
    // A pointer past the area ends the dump, since its entry cannot be read.
    if (pointer > area) {
      job.report.add(msg::event_pointer_outside, b + 1, i, static_cast<unsigned>(pointer), area);
      break;
    }
    // Entries need not lie in pointer order: one whose pointer runs backwards reaches to the
    // next larger pointer, so every entry is dumped whole and the build packs them again.
    std::int32_t end = pointer;
    if (pointer < start) {
      end = next_pointer_above(bank, start, area);
      if (!order_reported) {
        job.report.add(msg::event_pointer_order, b + 1, i, static_cast<unsigned>(pointer));
        order_reported = true;
      }
    }
    text.clear();
    // Rows are read back whole, so no entry is cut.
    job.report.place().line = i + 4;  // after the preamble, an empty line and the header
    decode_text(&text, bank.text.data() + start, std::numeric_limits<std::size_t>::max(),
                static_cast<std::size_t>(end - start), &job.report, tags);
    start = pointer;
    CsvRow(out, i).text(text).end();
  }
  if (!out.close()) job.report.add(msg::cannot_write, path);
}
