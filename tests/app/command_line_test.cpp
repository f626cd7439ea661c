#include <gtest/gtest.h>

#include "app/job.hpp"
#include "core/report.hpp"
#include "core/platform.hpp"
#include "test_support.hpp"

using Args = std::vector<std::string>;

TEST(SplitCommandLine, QuotesGroupAndAreRemovedSpacesSeparate) {
  EXPECT_EQ(split_command_line("-a rom.smc C:\\csv\\"), (Args{"-a", "rom.smc", "C:\\csv\\"}));
  EXPECT_EQ(split_command_line("-a  \"my rom.smc\"   out  "), (Args{"-a", "my rom.smc", "out"}));
  EXPECT_EQ(split_command_line("   "), Args{});
  EXPECT_EQ(split_command_line("\"\""), Args{""});
  // The second byte of "表" is 0x5C and of "ー" 0x5B; a double-byte space is not a separator.
  EXPECT_EQ(split_command_line("-a 表.smc \"ソ\\x\""), (Args{"-a", "表.smc", "ソ\\x"}));
  const std::string long_path(600, 'p');
  EXPECT_EQ(split_command_line("-a " + long_path), (Args{"-a", long_path}));
}

TEST(ParseJob, OptionsModesAndMusic) {
  auto mode = [](Args a) { return parse_job(a).mode; };
  EXPECT_EQ(mode({"x", "-a", "-h", "r", "o"}), JobMode::none);
  EXPECT_EQ(mode({"x", "-h", "-a", "r", "o"}), JobMode::extract);
  EXPECT_EQ(mode({"x", "-d", "r", "o"}), JobMode::decode_text);
  EXPECT_EQ(mode({"x", "-c", "r", "o"}), JobMode::check);
  EXPECT_TRUE(parse_job({"x", "-s", "-m", "r", "o", "c"}).strict);
  EXPECT_FALSE(parse_job({"x", "-m", "r", "o", "c"}).strict);
  // The flag once set stays for the job.
  for (const Args& args : {Args{"x", "-am", "r", "o"}, Args{"x", "-mm", "r", "o", "c"}, Args{"x", "-cm", "r", "c"},
                           Args{"x", "-a", "-nm", "r", "o"}, Args{"x", "-am", "-h", "-m", "r", "o", "c"}}) {
    EXPECT_TRUE(parse_job(args).music) << args[1] << " " << args[2];
  }
  for (const char* option : {"-dm", "-em", "-ma"}) {
    EXPECT_FALSE(parse_job({"x", option, "r", "o"}).music) << option;
  }
  EXPECT_EQ(parse_job({"x", "-l7", "-d", "r", "o"}).decode_number, 7);
  EXPECT_EQ(parse_job({"x", "-l", "-d", "r", "o"}).decode_number, 0);
  EXPECT_EQ(parse_job({"x", "-l-3", "-d", "r", "o"}).decode_number, 0);
  EXPECT_EQ(parse_job({"x", "-l 4", "-d", "r", "o"}).decode_number, 0);
  EXPECT_TRUE(parse_job({"x", "-n", "-e", "r", "o"}).newline_flag);
  EXPECT_EQ(parse_job({"x", "-a", "1", "2", "3", "4"}).paths, (Args{"1", "2", "3"}));
}

TEST(RunJob, RefusesWithoutModeOrTwoPaths) {
  TempDir dir;
  EXPECT_EQ(run_job({"x"}), -1);
  EXPECT_EQ(run_job({"x", "-a", dir.path("rom.smc")}), -1);
  EXPECT_EQ(run_job({"x", dir.path("a"), dir.path("b")}), -1);
  EXPECT_EQ(run_job({"x", "-a", "-h", dir.path("a"), dir.path("b")}), -1);
  EXPECT_FALSE(file_exists(dir.path("b")));
}

TEST(RunJob, BuildWithoutAFolderSaysWhatIsMissing) {
  TempDir dir;
  write_sample(dir.path("in.smc"));
  JobContext job;
  EXPECT_EQ(run_job(job, {"x", "-m", dir.path("in.smc"), dir.path("out.smc")}), 1);
  EXPECT_TRUE(job.report.has(msg::build_needs_folder));
  EXPECT_FALSE(file_exists(dir.path("out.smc")));
}

namespace {
std::string sep(std::string path) {
  for (char& c : path) {
    if (c == '/') c = platform::native_separator;
  }
  return path;
}
}  // namespace

TEST(CsvFolderOf, FolderOfAFileOrAFolderPath) {
  TempDir dir;
  EXPECT_EQ(csv_folder_of(sep("work/rom.smc")), sep("work/"));
  EXPECT_EQ(csv_folder_of(sep("work/csv")), sep("work/csv/"));
  EXPECT_EQ(csv_folder_of(sep("work/csv/")), sep("work/csv/"));
  EXPECT_EQ(csv_folder_of(sep("../csv")), sep("../csv/"));
  // A dot in a folder name no longer cuts the path there.
  EXPECT_EQ(csv_folder_of(sep("my.dir/csv")), sep("my.dir/csv/"));
  EXPECT_EQ(csv_folder_of("rom.smc"), sep("./"));
  // An existing folder is that folder, whatever its name looks like.
  write_text(dir.path("x.txt"), "");
  EXPECT_EQ(csv_folder_of(dir.path("x.txt")), dir.folder());
  EXPECT_EQ(csv_folder_of(dir.folder() + "."), dir.folder() + "." + platform::native_separator);
  // "表" and "ソ" end in byte 0x5C: never a separator, even where "\" is one.
  EXPECT_EQ(csv_folder_of(sep("d/表/ソ")), sep("d/表/ソ/"));
  EXPECT_EQ(csv_folder_of(sep("d/ソ.csv")), sep("d/"));
}
