#include <gtest/gtest.h>

#include "jobs/job.hpp"
#include "core/messages.hpp"
#include "test_support.hpp"

namespace {

using Args = std::vector<std::string>;

// Every job with each form of a line it refuses (too few paths, one too many, an empty path,
// an unknown letter), and with inputs that cannot be used: whatever ends with a non-zero exit
// code says why, and never that all went well.
TEST(NoSilentFailure, EveryRefusedOrFailedJobSaysWhy) {
  TempDir dir;
  const std::string rom = dir.path("sample.smc");
  write_sample(rom);
  const std::string none = dir.path("none.smc");
  const std::string csv = dir.path("csv/");
  const std::string out = dir.path("out.bin");
  ASSERT_EQ(extract(rom, csv), 0);
  // Each job's letter and a full line of paths for it.
  const std::vector<Args> jobs = {{"-a", rom, csv},       {"-m", rom, out, csv},   {"-c", rom, csv},
                                  {"-b", rom, rom, out},  {"-x", rom, rom, out},   {"-t", rom},
                                  {"-e", rom, out},       {"-d", rom, out}};
  for (const Args& job : jobs) {
    std::vector<Args> lines;
    lines.push_back(Args(job.begin(), job.end() - 1));  // too few paths
    Args surplus = job;
    surplus.push_back(out + "2");
    lines.push_back(surplus);
    for (std::size_t i = 1; i < job.size(); ++i) {
      Args empty = job;
      empty[i].clear();
      lines.push_back(empty);
      Args missing = job;  // an input that is not there fails; an output there is refused
      missing[i] = none;
      lines.push_back(missing);
    }
    Args unknown = job;
    unknown.push_back("-z");
    lines.push_back(unknown);
    for (Args line : lines) {
      line.insert(line.begin(), "varbek");
      std::string shown;
      for (const std::string& arg : line) shown += " '" + arg + "'";
      const JobOutcome outcome = run_reported_job(line, dir.folder());
      const int code = exit_code_of(outcome);
      if (code == 0) continue;
      EXPECT_FALSE(outcome.text.empty()) << shown;
      EXPECT_EQ(outcome.text.find(msg::success.text), std::string::npos) << shown << ": " << outcome.text;
      EXPECT_EQ(code == 2, outcome.result == JobResult::refused) << shown;
    }
  }
}

}  // namespace
