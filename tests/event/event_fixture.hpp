#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "jobs/job.hpp"
#include "event/event_bank.hpp"
#include "event/event_csv.hpp"
#include "event/event_tags.hpp"
#include "test_support.hpp"

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;
using Offsets = std::vector<std::int32_t>;

// Lines [from, to) of a file, and the first `count` pointers of a bank.
inline Lines lines_of(const Lines& lines, std::size_t from, std::size_t to) {
  return Lines(lines.begin() + static_cast<long>(from), lines.begin() + static_cast<long>(to));
}
inline Offsets offsets_of(const EventBank& bank, std::size_t count) {
  return Offsets(bank.offsets.begin(), bank.offsets.begin() + static_cast<long>(count));
}

// A temporary CSV folder that is also the job's start folder, so that an "arg.txt" is only
// seen when a test writes one.
class EventFiles : public ::testing::Test {
 protected:
  EventFiles() { job_.start_folder = dir_.folder(); }

  // Entries packed back to back from the start of the text area; the remaining entries are
  // empty.
  static EventBank packed_bank(const std::vector<Bytes>& entries) {
    EventBank bank;
    std::size_t end = 0;
    for (std::size_t i = 0; i < event_entry_count; ++i) {
      if (i < entries.size()) {
        std::copy(entries[i].begin(), entries[i].end(), bank.text.begin() + static_cast<long>(end));
        end += entries[i].size();
      }
      bank.offsets[i] = static_cast<std::int32_t>(end);
    }
    return bank;
  }

  // Writes bank b's file from `bank` under the event table, as the extraction does.
  Lines dump(const EventBank& bank, int b) {
    write_event_csv(job_, dir_.folder(), bank, b, event_tag_table(job_.start_folder));
    return rows(b);
  }
  Status read_rows(EventBank& bank, int b) { return read_event_csv(job_, dir_.folder(), bank, b); }
  Lines rows(int b) const { return split_lines(read_text(event_file_path(dir_.folder(), b))); }
  void write_rows(int b, const Lines& lines) const {
    write_text(event_file_path(dir_.folder(), b), join_lines(lines));
  }

  TempDir dir_;
  JobContext job_;
};
