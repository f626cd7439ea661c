#include <gtest/gtest.h>

#include "jobs/job.hpp"
#include "core/report.hpp"
#include "core/platform.hpp"
#include "sample_arguments.hpp"
#include "test_support.hpp"
#include "varbek_version.hpp"

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

TEST(ParseJob, GroupedLettersAreEachAnOption) {
  auto parsed = [](Args a) {
    a.insert(a.begin(), "x");
    const JobSettings s = parse_job(a);
    EXPECT_EQ(s.refusal.message, nullptr) << a[1] << " " << (s.refusal.message ? s.refusal.message->id : "");
    return s;
  };
  JobSettings s = parsed({"-mmp", "r", "o", "c"});
  EXPECT_TRUE(s.mode == JobMode::build && s.music && s.patch && !s.strict);
  s = parsed({"-ms", "r", "o", "c"});
  EXPECT_TRUE(s.mode == JobMode::build && s.strict && !s.music);
  s = parsed({"-ams", "r", "o"});
  EXPECT_TRUE(s.mode == JobMode::extract && s.music && s.strict);
  // An m is the build only before any mode; after one it is the music.
  s = parsed({"-qm", "-v", "r", "o", "c"});
  EXPECT_TRUE(s.mode == JobMode::build && !s.music && s.quiet && s.verbose);
  s = parsed({"-c", "-sm", "r", "c"});
  EXPECT_TRUE(s.mode == JobMode::check && s.music && s.strict);
  EXPECT_EQ(parsed({"-dl7", "r", "o"}).decode_number, 7);
  EXPECT_EQ(parsed({"-l", "-d", "r", "o"}).decode_number, 0);
  EXPECT_TRUE(parsed({"-ne", "r", "o"}).newline_flag);
  EXPECT_TRUE(parsed({"-u", "-a", "r", "o"}).utf8_files);
  EXPECT_TRUE(parsed({"-v", "--version"}).version);
  EXPECT_TRUE(parsed({"-q", "-h"}).help);
}

// Every refused form runs nothing, names its fault, shows the usage and exits with 2; never the
// success text.
TEST(RunJob, RefusedLinesSayWhyAndExitWithTwo) {
  TempDir dir;
  write_sample(dir.path("in.smc"));
  ASSERT_EQ(run_job({"x", "-a", dir.path("in.smc"), dir.path("csv")}), JobResult::done);
  const std::string log = read_text(dir.path("csv/varbek.log"));
  write_text(dir.path("file"), "");
  const std::string rom = dir.path("in.smc"), out = dir.path("out.smc"), csv = dir.path("csv/");
  const struct {
    Args args;
    const Message& message;
    bool usage;
  } cases[] = {
      {{}, msg::args_no_mode, true},
      {{"-m", "", out, csv}, msg::args_empty_path, true},
      {{"-m", rom, "", csv}, msg::args_empty_path, true},
      {{"-c", rom, ""}, msg::args_empty_path, true},
      {{"-c", "", csv}, msg::args_empty_path, true},
      {{"-z", rom, csv}, msg::args_unknown_letter, true},
      {{"-a", "-S", rom, csv}, msg::args_unknown_letter, true},
      {{"-mw", rom, out, csv}, msg::args_unknown_letter, true},
      {{"-l-3", "-d", rom, out}, msg::args_unknown_letter, true},
      {{"-", rom, csv}, msg::args_unknown_option, true},
      {{"--music", "-a", rom, csv}, msg::args_unknown_option, true},
      {{rom, csv}, msg::args_no_mode, true},
      {{"-s", rom, out, csv}, msg::args_no_mode, true},
      {{"-ma", rom, out, csv}, msg::args_two_modes, true},
      {{"-a", "-m", rom, out, csv}, msg::args_two_modes, true},
      {{"-dm", rom, out}, msg::args_music_not_for_mode, true},
      {{"-ap", rom, csv}, msg::args_not_for_mode, true},
      {{"-m", "-u", rom, out, csv}, msg::args_not_for_mode, true},
      {{"-e", "-l2", rom, out}, msg::args_not_for_mode, true},
      {{"-xs", rom, rom, out}, msg::args_not_for_mode, true},
      {{"-a", rom}, msg::args_too_few_paths, true},
      {{"-b", rom, out}, msg::args_too_few_paths, true},
      {{"-m", rom, out}, msg::build_needs_folder, true},
      {{"-a", rom, csv, out}, msg::args_surplus_path, true},
      {{"-c", rom, csv, out}, msg::args_surplus_path, true},
      {{"-h", "-a", rom, csv}, msg::args_information_alone, true},
      {{"-a", "-h", rom, csv}, msg::args_information_alone, true},
      {{"--version", rom}, msg::args_information_alone, true},
      {{"-m", rom, csv, out}, msg::args_output_is_folder, false},
      {{"-m", rom, dir.path("new/"), csv}, msg::args_output_is_folder, false},
      {{"-b", rom, rom, csv}, msg::args_output_is_folder, false},
      {{"-d", rom, csv}, msg::args_output_is_folder, false},
      {{"-m", rom, out, dir.path("cvs/")}, msg::args_csv_folder_missing, false},
      {{"-c", rom, dir.path("cvs")}, msg::args_csv_folder_missing, false},
      {{"-c", rom, dir.path("file")}, msg::args_csv_folder_is_file, false},
      {{"-a", rom, dir.path("file")}, msg::args_csv_folder_is_file, false},
  };
  for (const auto& c : cases) {
    Args args{"x"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const JobOutcome outcome = run_reported_job(args, dir.folder());
    std::string line;
    for (const std::string& arg : c.args) line += " '" + arg + "'";
    EXPECT_EQ(exit_code_of(outcome), 2) << line;
    EXPECT_EQ(outcome.show_usage, c.usage) << line;
    EXPECT_EQ(outcome.text.rfind(Report::format(msg::error_label.text, ""), 0), 0u) << line << ": " << outcome.text;
    JobContext job;
    EXPECT_EQ(run_job(job, args), JobResult::refused) << line;
    EXPECT_EQ(job.report.errors(), 1) << line;
    EXPECT_TRUE(job.report.has(c.message)) << line << ": " << job.report.last();
  }
  EXPECT_FALSE(file_exists(out));
  EXPECT_FALSE(platform::is_directory(dir.path("new")));
  EXPECT_EQ(read_text(dir.path("csv/varbek.log")), log);
}

TEST(RunJob, HelpAndVersionRunNothing) {
  std::string text;
  for (const Args& args : {Args{"x", "-h"}, Args{"x", "--help"}, Args{"x", "-qh"}, Args{"x", "-v", "--help"}}) {
    EXPECT_TRUE(information_option(args, text));
    EXPECT_EQ(text, msg::usage);
    const JobOutcome outcome = run_reported_job(args, ".");
    EXPECT_EQ(exit_code_of(outcome), 0);
    EXPECT_EQ(outcome.text, msg::usage);
  }
  EXPECT_TRUE(information_option({"x", "-v", "--version"}, text));
  EXPECT_EQ(text.rfind("varbek ", 0), 0u);
  EXPECT_FALSE(information_option({"x", "--version", "-a"}, text));
}

// A log begins with the program and the image it is about; a ROM that cannot be read leaves
// the log of the last job that read one.
TEST(RunJob, AJobThatReadNothingKeepsTheLog) {
  TempDir dir;
  write_sample(dir.path("in.smc"));
  ASSERT_EQ(exit_code_of(run_reported_job({"x", "-a", dir.path("in.smc"), dir.path("csv/")}, dir.folder())), 0);
  const std::string log = read_text(dir.path("csv/varbek.log"));
  // A log says which program wrote it and about which image.
  const std::vector<std::string> heading = split_lines(log);
  ASSERT_GE(heading.size(), 2u);
  EXPECT_EQ(heading[0], std::string("varbek ") + varbek_version);
  EXPECT_NE(heading[1].find("6291456"), std::string::npos) << heading[1];
  for (const char* option : {"-a", "-c"}) {
    const JobOutcome outcome = run_reported_job({"x", option, dir.path("in.smk"), dir.path("csv/")}, dir.folder());
    EXPECT_EQ(exit_code_of(outcome), 1);
    EXPECT_NE(outcome.text.find("in.smk"), std::string::npos) << outcome.text;
  }
  EXPECT_EQ(read_text(dir.path("csv/varbek.log")), log);
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

// A mistyped option of the sample maker must not become a 6 MiB file of that name.
TEST(SampleArguments, UnknownOptionsAreRefusedAndHelpIsText) {
  using Kind = SampleRequest::Kind;
  const struct {
    Args args;
    Kind kind;
  } cases[] = {
      {{"--help"}, Kind::help},
      {{"out.smc", "-h"}, Kind::help},
      {{}, Kind::wrong},
      {{"--hepl"}, Kind::wrong},
      {{"-x", "out.smc"}, Kind::wrong},
      {{"out.smc", "--size"}, Kind::wrong},
      {{"out.smc", "--seed", "x1"}, Kind::wrong},
      {{"out.smc", "--revision", "256"}, Kind::wrong},
      {{"a.smc", "b.smc"}, Kind::wrong},
      {{""}, Kind::wrong},
      {{"out.smc", "--shifted", "--size", "0x480000", "--seed", "7"}, Kind::write},
  };
  for (const auto& c : cases) {
    const SampleRequest request = parse_sample_arguments(c.args);
    EXPECT_EQ(request.kind, c.kind) << (c.args.empty() ? "" : c.args[0]);
    EXPECT_EQ(request.kind == Kind::wrong, !request.fault.empty());
  }
  const SampleRequest request = parse_sample_arguments({"--seed", "7", "out.smc", "--size", "0x480000"});
  EXPECT_EQ(request.out, "out.smc");
  EXPECT_EQ(request.options.seed, 7u);
  EXPECT_EQ(request.options.size, 0x480000u);
}
