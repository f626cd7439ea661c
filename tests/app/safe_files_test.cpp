// No output of a job lands over one of its inputs or over another output, whatever the names,
// and nothing is written when one would: not even the log.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "jobs/job.hpp"
#include "core/crc32.hpp"
#include "core/messages.hpp"
#include "core/report.hpp"
#include "test_support.hpp"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Every file under the folder with its bytes, to see that a refused job changed nothing.
std::map<std::string, Bytes> snapshot(const std::string& folder) {
  std::map<std::string, Bytes> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file() && !entry.is_symlink()) files[entry.path().string()] = read_bytes(entry.path().string());
  }
  return files;
}

void put_number(Bytes& out, std::uint64_t n) {
  for (;;) {
    const std::uint8_t x = n & 0x7F;
    n >>= 7;
    if (n == 0) {
      out.push_back(0x80 | x);
      return;
    }
    out.push_back(x);
    --n;
  }
}

// A patch whose own checksum holds, declaring the sizes given and nothing else.
Bytes patch_declaring(std::uint64_t source_size, std::uint64_t target_size) {
  Bytes patch = {'B', 'P', 'S', '1'};
  put_number(patch, source_size);
  put_number(patch, target_size);
  put_number(patch, 0);
  for (int i = 0; i < 8; ++i) patch.push_back(0);
  const std::uint32_t crc = crc32(patch.data(), patch.size());
  for (int i = 0; i < 4; ++i) patch.push_back(static_cast<std::uint8_t>(crc >> (8 * i)));
  return patch;
}

class SafeFiles : public ::testing::Test {
 protected:
  SafeFiles() {
    write_sample(in);
    EXPECT_EQ(extract(in, csv), 0);
  }

  JobOutcome run(const std::vector<std::string>& args) {
    std::vector<std::string> all{"varbek"};
    all.insert(all.end(), args.begin(), args.end());
    return run_reported_job(all, dir.folder());
  }

  TempDir dir;
  std::string in = dir.path("in.smc");
  std::string csv = dir.path("csv") + static_cast<char>(fs::path::preferred_separator);
};

TEST_F(SafeFiles, AnOutputOverAnInputIsRefusedAndNothingIsWritten) {
  const char sep = static_cast<char>(fs::path::preferred_separator);
  const std::string x = dir.path("x") + sep;
  const std::string y = dir.path("y") + sep;
  const std::string d = dir.path("d") + sep;
  const std::string dot_in = dir.folder() + "." + sep + "in.smc";
  for (const std::string& folder : {x, y, d}) fs::create_directory(folder);
  fs::copy_file(in, x + "out.bps");
  fs::copy_file(in, y + "monster.csv");
  fs::copy_file(in, d + "varbek.log");
  write_bytes(dir.path("new.bps"), patch_declaring(1, 1));
  write_text(dir.path("text.txt"), "abc");
  struct Case {
    std::vector<std::string> args;
    const Message* message;
    std::string first, second;
  };
  const std::vector<Case> cases = {
      {{"-m", in, in, csv}, &msg::output_is_input, in, in},
      {{"-m", in, dot_in, csv}, &msg::output_is_input, dot_in, in},
      {{"-b", dir.path("new.bps"), in, in}, &msg::output_is_input, in, in},
      {{"-m", "-p", x + "out.bps", x + "out.smc", csv}, &msg::output_is_input, x + "out.bps", x + "out.bps"},
      {{"-a", y + "monster.csv", y}, &msg::output_is_input, y + "monster.csv", y + "monster.csv"},
      {{"-c", d + "varbek.log", d}, &msg::output_is_input, d + "varbek.log", d + "varbek.log"},
      {{"-m", in, csv + "monster.csv", csv}, &msg::output_is_input, csv + "monster.csv", csv + "monster.csv"},
      {{"-d", dir.path("text.txt"), dot_in.substr(0, dot_in.size() - 6) + "text.txt"}, &msg::output_is_input,
       dot_in.substr(0, dot_in.size() - 6) + "text.txt", dir.path("text.txt")},
      {{"-m", in, csv + "varbek.log", csv}, &msg::outputs_clash, csv + "varbek.log", csv + "varbek.log"},
#ifdef _WIN32
      {{"-m", in, dir.path("IN.SMC"), csv}, &msg::output_is_input, dir.path("IN.SMC"), in},
#endif
  };
  const std::map<std::string, Bytes> before = snapshot(dir.folder());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1] + " " + c.args[2]);
    const JobOutcome outcome = run(c.args);
    EXPECT_EQ(outcome.result, JobResult::refused);
    EXPECT_EQ(exit_code_of(outcome), 2);
    const std::string expected = Report::format(c.message->text, c.first, c.second);
    EXPECT_NE(outcome.text.find(expected), std::string::npos) << outcome.text;
    EXPECT_TRUE(snapshot(dir.folder()) == before);
  }
}

#ifndef _WIN32
// A link at the output, or at the name the output's temporary file once had, leads nowhere.
TEST_F(SafeFiles, LinksNeverLeadAWriteToAnInput) {
  const Bytes original = read_bytes(in);
  fs::create_symlink(in, dir.path("out.smc"));
  EXPECT_EQ(run({"-m", in, dir.path("out.smc"), csv}).result, JobResult::refused);
  fs::remove(dir.path("out.smc"));
  fs::create_symlink(in, dir.path("out.smc.varbek-tmp"));
  EXPECT_EQ(run({"-m", in, dir.path("out.smc"), csv}).result, JobResult::done);
  EXPECT_EQ(read_bytes(in), original);
  EXPECT_EQ(read_bytes(dir.path("out.smc")), original);
  EXPECT_TRUE(fs::is_symlink(dir.path("out.smc.varbek-tmp")));
}
#endif

// A device is neither read as an image nor replaced by one.
TEST_F(SafeFiles, DevicesAreNoFiles) {
#ifdef _WIN32
  const std::string device = "NUL";
#else
  const std::string device = "/dev/null";
#endif
  const JobOutcome written = run({"-m", in, device, csv});
  EXPECT_EQ(written.result, JobResult::refused);
  EXPECT_NE(written.text.find(Report::format(msg::output_not_regular.text, device)), std::string::npos);
  JobContext job;
  EXPECT_EQ(run_job(job, {"varbek", "-c", device, csv}), JobResult::failed);
  EXPECT_TRUE(job.report.has(msg::not_regular_file));
}

// Sizes are read before the bytes, and printed whole: 5 GiB is not 1 GiB.
TEST_F(SafeFiles, ImpossibleSizesAreRefusedBeforeReading) {
  const std::uint64_t five_gib = std::uint64_t{5} << 30;
  struct Case {
    std::uint64_t source, target;
  };
  for (const Case c : {Case{five_gib, 16}, Case{16, five_gib}, Case{16, 0x608201}}) {
    write_bytes(dir.path("big.bps"), patch_declaring(c.source, c.target));
    const JobOutcome outcome = run({"-b", dir.path("big.bps"), in, dir.path("out.smc")});
    EXPECT_EQ(outcome.result, JobResult::failed);
    const std::string expected = Report::format(msg::patch_impossible_size.text, dir.path("big.bps"),
                                                static_cast<unsigned long long>(c.source),
                                                static_cast<unsigned long long>(c.target), 0x608200ull);
    EXPECT_NE(outcome.text.find(expected), std::string::npos) << outcome.text;
    EXPECT_FALSE(file_exists(dir.path("out.smc")));
  }
  {
    std::ofstream big(dir.path("big.smc"), std::ios::binary);
  }
  fs::resize_file(dir.path("big.smc"), five_gib);
  JobContext job;
  EXPECT_EQ(run_job(job, {"varbek", "-a", dir.path("big.smc"), csv}), JobResult::failed);
  const std::string refused = message_of(job.report, msg::file_too_large);
  EXPECT_EQ(refused, Report::format(msg::file_too_large.text, dir.path("big.smc"),
                                    static_cast<unsigned long long>(five_gib), 0x608200ull));
  EXPECT_NE(refused.find("5368709120"), std::string::npos) << refused;
}

}  // namespace
