// varbek -t: the player's image extracted whole and built again in memory, compared with the
// input; nothing is left next to the ROM.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "jobs/job.hpp"
#include "jobs/round_trip_job.hpp"
#include "core/messages.hpp"
#include "core/snes_header.hpp"
#include "tables/strings.hpp"
#include "test_support.hpp"

namespace {

std::size_t files_in(const std::string& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

std::string hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", value);
  return text;
}

}  // namespace

TEST(RoundTripCheck, SeededSamplesComeBackByteForByte) {
  const struct {
    const char* name;
    std::uint32_t seed;
    std::uint8_t revision;
    std::size_t size;
    bool shifted;
    bool copier_header;
  } cases[] = {
      {"the sample", 0, 1, 0x600000, false, false},
      {"seed 3", 3, 1, 0x600000, false, false},
      {"the smaller revision", 2, 0, 0x400000, false, false},
      {"shifted", 4, 1, 0x600000, true, false},
      {"a copier header", 5, 1, 0x600000, false, true},
  };
  for (const auto& c : cases) {
    SampleOptions options;
    options.seed = c.seed;
    options.revision = c.revision;
    options.size = c.size;
    options.shifted = c.shifted;
    std::vector<std::uint8_t> image = make_sample_rom(options);
    if (c.copier_header) image.insert(image.begin(), copier_header_size, 0);
    TempDir dir;
    write_bytes(dir.path("in.smc"), image);
    JobContext job;
    EXPECT_EQ(run_job(job, {"varbek", "-t", dir.path("in.smc")}), JobResult::done) << c.name << ": " << job.report.last();
    EXPECT_EQ(round_trip_verdict(job.report), "\n" + message_of(job.report, msg::round_trip_same)) << c.name;
    EXPECT_EQ(files_in(dir.folder()), 1u) << c.name;
    EXPECT_EQ(read_bytes(dir.path("in.smc")), image) << c.name;
  }
}

// A string list of the image that ends early: the extract says so, and a build adds the empty
// strings the group always keeps, so the group's pointers and text change.
TEST(RoundTripCheck, AnAreaThatWouldChangeIsNamedWithItsReason) {
  std::vector<std::uint8_t> image = make_sample_rom({});
  const std::uint32_t at = string_groups()[3].pointer_table + 2 * 10;
  image[at] = image[at + 1] = 0xFF;
  write_header_checksum(image.data(), image.size(), 0xFFC0);
  TempDir dir;
  write_bytes(dir.path("in.smc"), image);

  JobContext job;
  EXPECT_EQ(run_job(job, {"varbek", "-t", dir.path("in.smc")}), JobResult::failed);
  const std::string reason = message_of(job.report, msg::string_list_short);
  ASSERT_FALSE(reason.empty());
  EXPECT_EQ(message_of(job.report, msg::round_trip_area),
            "往復チェック: string.csv グループ3が変わります（最初の違いはオフセット0x" + hex(at) +
                "、63バイト）。理由: " + reason);
  EXPECT_EQ(job.report.warnings(), 2) << job.report.last();
  EXPECT_TRUE(message_of(job.report, msg::round_trip_same).empty());
  EXPECT_EQ(exit_code_of(run_reported_job({"varbek", "-t", dir.path("in.smc")}, dir.folder())), 1);
  EXPECT_EQ(files_in(dir.folder()), 1u);
}
