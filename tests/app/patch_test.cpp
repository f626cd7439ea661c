// Shared mods: patches made by a build and applied by -b, the header checksum of a built image,
// and images with a copier header.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jobs/job.hpp"
#include "core/report.hpp"
#include "test_support.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

// The checksum as an emulator sums it: the part of a 6 MiB image above 4 MiB counts twice.
std::uint16_t independent_sum(const Bytes& image, std::size_t front) {
  std::uint32_t sum = 0;
  const std::size_t size = image.size() - front;
  for (std::size_t i = 0; i < 0x800000; ++i) {
    const std::size_t at = i < size ? i : 0x400000 + (i - 0x400000) % (size - 0x400000);
    sum += image[front + at];
  }
  return static_cast<std::uint16_t>(sum);
}

std::uint16_t word_at(const Bytes& image, std::size_t at) {
  return static_cast<std::uint16_t>(image[at] | image[at + 1] << 8);
}

bool checksum_valid(const Bytes& image, std::size_t front) {
  const std::uint16_t complement = word_at(image, front + 0xFFDC);
  const std::uint16_t checksum = word_at(image, front + 0xFFDE);
  return (checksum ^ complement) == 0xFFFF && checksum == independent_sum(image, front);
}

class Patches : public ::testing::Test {
 protected:
  // The sample, with a copier header in front when asked, extracted; one monster's HP edited.
  void prepare(bool copier_header, bool music) {
    Bytes image = sample_bytes();
    if (copier_header) image.insert(image.begin(), 512, 0);
    write_bytes(rom, image);
    ASSERT_EQ(extract(rom, folder, music), 0);
    std::vector<std::string> lines = split_lines(read_text(folder + "monster.csv"));
    for (std::string& line : lines) {
      if (line.rfind("0x05,", 0) != 0) continue;
      std::vector<std::string> cells;
      for (std::size_t start = 0, comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1) {
        cells.push_back(line.substr(start, comma - start));
      }
      cells[17] = "1234";  // HP
      line.clear();
      for (const std::string& cell : cells) line += cell + ",";
    }
    write_text(folder + "monster.csv", join_lines(lines));
  }

  static Bytes sample_bytes() {
    TempDir dir;
    write_sample(dir.path("s.smc"));
    return read_bytes(dir.path("s.smc"));
  }

  JobResult apply(const std::string& bps, const std::string& source, const std::string& target) {
    return run_job({"varbek", "-b", bps, source, target});
  }

  TempDir dir;
  const std::string rom = dir.path("in.smc");
  const std::string out = dir.path("out.smc");
  const std::string patch = dir.path("out.bps");
  const std::string folder = dir.path("csv/");
};

TEST_F(Patches, APatchOfABuildAppliedToTheInputGivesTheOutput) {
  for (const bool copier : {false, true}) {
    for (const bool music : {false, true}) {
      SCOPED_TRACE(std::string(copier ? "copier header" : "plain") + (music ? ", music" : ""));
      prepare(copier, music);
      ASSERT_EQ(run_job({"varbek", music ? "-mm" : "-m", "-pi", rom, out, folder}), JobResult::done);
      const Bytes built = read_bytes(out);
      EXPECT_TRUE(checksum_valid(built, copier ? 512 : 0));
      for (const std::string& made : {patch, dir.path("out.ips")}) {
        EXPECT_LT(read_bytes(made).size(), 100u) << made;  // one cell and the checksum
        ASSERT_EQ(apply(made, rom, dir.path("applied.smc")), JobResult::done) << made;
        EXPECT_EQ(first_difference(read_bytes(dir.path("applied.smc")), built), -1) << made;
      }
    }
  }
}

TEST_F(Patches, AWrongSourceOrADamagedPatchWritesNothing) {
  prepare(false, false);
  ASSERT_EQ(run_job({"varbek", "-m", "-p", rom, out, folder}), JobResult::done);
  const Bytes good = read_bytes(patch);
  Bytes truncated(good.begin(), good.end() - 5);
  Bytes flipped = good;
  flipped[flipped.size() / 2] ^= 0x10;
  write_bytes(dir.path("truncated.bps"), truncated);
  write_bytes(dir.path("flipped.bps"), flipped);
  ASSERT_EQ(run_job({"varbek", "-m", "-i", rom, out, folder}), JobResult::done);
  const Bytes ips = read_bytes(dir.path("out.ips"));
  write_bytes(dir.path("truncated.ips"), Bytes(ips.begin(), ips.end() - 3));  // no end marker
  write_bytes(dir.path("past-end.ips"), Bytes{'P', 'A', 'T', 'C', 'H', 0x7F, 0xFF, 0xF0, 0x00, 0x20,
                                              0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                              0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                              'E', 'O', 'F'});
  const struct {
    std::string patch, source;
    const Message& message;
  } cases[] = {
      {patch, out, msg::patch_wrong_source},
      {dir.path("truncated.bps"), rom, msg::patch_broken},
      {dir.path("flipped.bps"), rom, msg::patch_broken},
      {dir.path("truncated.ips"), rom, msg::ips_cut},
      {dir.path("past-end.ips"), rom, msg::ips_record_past_end},
  };
  for (const auto& c : cases) {
    JobContext job;
    EXPECT_EQ(run_job(job, {"varbek", "-b", c.patch, c.source, dir.path("never.smc")}), JobResult::failed) << c.patch;
    EXPECT_TRUE(job.report.has(c.message)) << job.report.last();
    EXPECT_FALSE(file_exists(dir.path("never.smc")));
  }
}

TEST_F(Patches, AChecksumThatWasWrongIsKeptWithAWarning) {
  prepare(false, false);
  Bytes image = read_bytes(rom);
  image[0xFFDE] ^= 0xFF;
  write_bytes(rom, image);
  JobContext job;
  ASSERT_EQ(run_job(job, {"varbek", "-m", rom, out, folder}), JobResult::done);
  EXPECT_TRUE(job.report.has(msg::checksum_left));
  const Bytes built = read_bytes(out);
  EXPECT_EQ(word_at(built, 0xFFDE), word_at(image, 0xFFDE));
  EXPECT_EQ(word_at(built, 0xFFDC), word_at(image, 0xFFDC));
}

TEST_F(Patches, AFolderIsNoImage) {
  JobContext job;
  EXPECT_EQ(run_job(job, {"varbek", "-a", dir.folder(), folder}), JobResult::failed);
  EXPECT_TRUE(job.report.has(msg::not_regular_file));
}

}  // namespace
