// The sample image's three banks through a whole extraction and build.
#include <string>

#include "core/rom_image.hpp"
#include "event/events.hpp"
#include "event_fixture.hpp"

namespace {

Bytes bank_bytes(const Bytes& image, int b) {
  const EventBankArea& area = event_bank_area(b);
  const auto from = image.begin() + area.base;
  return Bytes(from, from + event_text_start + area.text_size);
}

}  // namespace

TEST_F(EventFiles, SampleBanksSurviveExtractAndBuild) {
  const std::string input = dir_.path("sample.smc");
  const std::string output = dir_.path("out.smc");
  write_sample(input);
  ASSERT_EQ(rom_open(job_.rom, input, false, job_.report), Status::ok);
  extract_events(job_, dir_.folder());

  for (int b = 0; b < event_bank_count; ++b) {
    const std::string text = read_text(event_file_path(dir_.folder(), b));
    ASSERT_EQ(rows(b).size(), 3u + event_entry_count) << "bank " << b;
    EXPECT_NE(text.find("<48 "), std::string::npos);
    EXPECT_NE(text.find("<4F "), std::string::npos);
    EXPECT_EQ(text.find('#'), std::string::npos);
  }

  // The pointers and the packed text are rewritten from the files, so scrambling them in
  // the input shows any stale or shifted byte.
  Bytes scrambled = read_bytes(input);
  for (int b = 0; b < event_bank_count; ++b) {
    const std::size_t base = event_bank_area(b).base;
    const std::size_t used = scrambled[base + 2046] | scrambled[base + 2047] << 8;
    for (std::size_t k = 0; k < event_text_start + used; ++k) scrambled[base + k] ^= 0x5A;
  }
  write_bytes(dir_.path("scrambled.smc"), scrambled);
  ASSERT_EQ(rom_open(job_.rom, dir_.path("scrambled.smc"), true, job_.report), Status::ok);
  build_events(job_, dir_.folder());
  ASSERT_EQ(rom_save(job_.rom, output, job_.report), Status::ok);
  EXPECT_EQ(job_.report.errors() + job_.report.warnings(), 0) << job_.report.last();

  const Bytes before = read_bytes(input);
  const Bytes after = read_bytes(output);
  ASSERT_EQ(after.size(), before.size());
  for (int b = 0; b < event_bank_count; ++b) {
    EXPECT_TRUE(bank_bytes(after, b) == bank_bytes(before, b)) << "bank " << b;
  }
}

// A bank whose text no longer fits keeps its bytes whole through a build, while another bank's
// edit lands; a text message names its file and line.
TEST_F(EventFiles, ABankThatDoesNotFitKeepsItsBytesThroughABuild) {
  const std::string input = dir_.path("sample.smc");
  write_sample(input);
  ASSERT_EQ(rom_open(job_.rom, input, false, job_.report), Status::ok);
  extract_events(job_, dir_.folder());
  Lines first = rows(0);
  first[3 + 5] = "0x05,A,";
  write_rows(0, first);
  Lines second = rows(1);
  second[3 + 7] = "0x07," + std::string(2 * event_bank_area(1).text_size, '1') + ",";
  write_rows(1, second);

  job_.report = Report();
  ASSERT_EQ(rom_open(job_.rom, input, true, job_.report), Status::ok);
  build_events(job_, dir_.folder());
  const Bytes before = read_bytes(input);
  EXPECT_TRUE(bank_bytes(job_.rom.image, 1) == bank_bytes(before, 1));
  EXPECT_FALSE(bank_bytes(job_.rom.image, 0) == bank_bytes(before, 0));
  EXPECT_NE(message_of(job_.report, msg::event_bank_overflow).find("イベント2"), std::string::npos);
  EXPECT_EQ(message_of(job_.report, msg::unmapped_character).rfind("event1.csv 9行目: 先頭から1バイト目", 0), 0u)
      << message_of(job_.report, msg::unmapped_character);
}
