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
  ASSERT_EQ(rom_open(job_.rom, input, false, job_.report), 0);
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
  ASSERT_EQ(rom_open(job_.rom, dir_.path("scrambled.smc"), true, job_.report), 0);
  build_events(job_, dir_.folder());
  ASSERT_EQ(rom_save(job_.rom, output, job_.report), 0);
  EXPECT_EQ(job_.report.errors() + job_.report.warnings(), 0) << job_.report.last();

  const Bytes before = read_bytes(input);
  const Bytes after = read_bytes(output);
  ASSERT_EQ(after.size(), before.size());
  for (int b = 0; b < event_bank_count; ++b) {
    EXPECT_TRUE(bank_bytes(after, b) == bank_bytes(before, b)) << "bank " << b;
  }
}
