#pragma once
// Every call of the event_reader target into the program. The reader takes its text from a
// file, so the text goes through a scratch folder.
#include <cstddef>
#include <fstream>
#include <string>

#include "adapters/scratch.hpp"
#include "core/job_context.hpp"
#include "core/report.hpp"
#include "event/event_bank.hpp"
#include "event/event_csv.hpp"
#include "event/event_tags.hpp"

namespace fuzz_adapter {

using EventBank = ::EventBank;
inline constexpr int event_bank_count = ::event_bank_count;
inline constexpr int event_entry_count = ::event_entry_count;
inline std::size_t event_text_size(int b) { return event_bank_area(b).text_size; }

// Bank b's file holding `text`, read into the bank; the reader's result, and whether it was
// refused for text that does not fit the area.
inline Status read_event_text(const std::string& text, EventBank& bank, int b, bool* overflowed = nullptr) {
  const std::string folder = scratch_folder("event_reader");
  std::ofstream(event_file_path(folder, b), std::ios::binary)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  JobContext job;
  const Status result = read_event_csv(job, folder, bank, b);
  if (overflowed) *overflowed = job.report.has(msg::event_bank_overflow);
  return result;
}

// The bank written as bank b's file, as an extract writes it, and read into `again`; the
// reader's result.
inline Status write_and_read_event_bank(const EventBank& bank, EventBank& again, int b) {
  const std::string folder = scratch_folder("event_reader");
  JobContext job;
  write_event_csv(job, folder, bank, b, event_tag_table(std::string()));
  return read_event_csv(job, folder, again, b);
}

}  // namespace fuzz_adapter
