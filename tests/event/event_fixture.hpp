#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/job.hpp"
#include "event/event_bank.hpp"
#include "test_support.hpp"

using Bytes = std::vector<std::uint8_t>;

// A temporary CSV folder that is also the start-up directory, so that an "arg.txt" is only
// seen when a test writes one.
class EventFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_startup_ = startup_directory();
    set_startup_directory(dir_.folder());
  }
  void TearDown() override { set_startup_directory(saved_startup_); }

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

  std::vector<std::string> rows(int b) const {
    return split_lines(read_text(event_file_path(dir_.folder(), b)));
  }
  void write_rows(int b, const std::vector<std::string>& lines) const {
    write_text(event_file_path(dir_.folder(), b), join_lines(lines));
  }

  TempDir dir_;

 private:
  std::string saved_startup_;
};
