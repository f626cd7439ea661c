// A job's result, final text and log tell what it did not do or altered, with the file and
// line each message is about.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "jobs/job.hpp"
#include "core/report.hpp"
#include "table_job.hpp"

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

const std::string clamped_speed = "form.csv 4行目 ①素早さ（8列目）: 4 は -3～3 の範囲外です。3 を書き込みます";

std::string counts(int errors, int warnings) {
  return Report::format(msg::finished_with_problems.text, errors, warnings);
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

void edit_lines(const std::string& path, const std::function<void(std::vector<std::string>&)>& edit) {
  std::vector<std::string> rows = split_lines(read_text(path));
  edit(rows);
  write_text(path, join_lines(rows));
}

// The sample and its extracted files, with form.csv at hand; jobs run as the program runs them.
struct HonestResults : ::testing::Test, TableJob {
  HonestResults() : TableJob("form.csv") {}

  std::string out = dir.path("out.smc");
  std::string log = folder + log_file_name;

  JobOutcome run(const Args& args) {
    Args all{"varbek"};
    all.insert(all.end(), args.begin(), args.end());
    return run_reported_job(all, dir.folder());
  }
  JobOutcome build_job() {
    write_lines();
    return run({"-m", rom, out, folder});
  }
  // The messages of a job run on a context of its own, each as its identifier and text.
  std::vector<std::string> messages_of(const Args& args) {
    Args all{"varbek"};
    all.insert(all.end(), args.begin(), args.end());
    JobContext job;
    run_job(job, all);
    std::vector<std::string> messages;
    for (const ReportEntry& entry : job.report.entries()) messages.push_back(std::string(entry.id) + " " + entry.text);
    return messages;
  }
  // Formation 0's first speed becomes 4, one more than the field holds.
  void set_speed_four() { set_cell(2, 3, "①素早さ", "4"); }
};

}  // namespace

TEST_F(HonestResults, EachKindOfProblemHasItsResultCountsAndPlace) {
  struct Case {
    const char* what;
    std::function<void(HonestResults&)> edit;
    int errors, warnings;
    std::string message;  // the first one of the final text
  };
  const Case cases[] = {
      {"clamped value", [](HonestResults& t) { t.set_speed_four(); }, 0, 1, "警告: " + clamped_speed},
      {"replaced character",
       [](HonestResults& t) {
         edit_lines(t.folder + "monster.csv", [](std::vector<std::string>& rows) {
           rows[4] = "0x01,アA" + rows[4].substr(rows[4].find(',', 5));
         });
       },
       0, 1, "警告: monster.csv 5行目 名前: 先頭から3バイト目の\"A\"が見つかりませんでした。全角スペースが代入されます"},
      {"refused table",
       [](HonestResults& t) {
         edit_lines(t.folder + "monster.csv", [](std::vector<std::string>& rows) { rows.resize(100); });
       },
       2, 0, "エラー: ファイル[" + folder + "monster.csv]の行が足りません。このデータは書き込まれません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    extract_image(input);
    fs::remove(out);
    c.edit(*this);
    const JobOutcome outcome = build_job();
    EXPECT_EQ(exit_code_of(outcome), c.errors > 0 ? 1 : 0);
    const std::vector<std::string> text = split_lines(outcome.text);
    ASSERT_GE(text.size(), 4u) << outcome.text;
    EXPECT_EQ(text[0], counts(c.errors, c.warnings));
    // After the line of changes.
    EXPECT_EQ(text[2], c.message);
    EXPECT_EQ(text.back(), Report::format(msg::full_log.text, log));
    // With errors too the ROM is written, and the text says so.
    EXPECT_TRUE(file_exists(out));
    EXPECT_EQ(contains(outcome.text, msg::rom_written_with_errors.text), c.errors > 0);
  }
  // The cut file's table kept the input's bytes.
  EXPECT_EQ(first_difference(read_bytes(out), input), -1);
}

// The final text shows ten messages; the log holds every one.
TEST_F(HonestResults, TheLogHoldsEveryMessage) {
  for (std::size_t line = 3; line < 15; ++line) set_cell(2, line, "⑤素早さ", "-9");
  const JobOutcome outcome = build_job();
  EXPECT_EQ(outcome.result, JobResult::done);
  const std::vector<std::string> text = split_lines(outcome.text);
  ASSERT_EQ(text.size(), 14u) << outcome.text;
  EXPECT_EQ(text[0], counts(0, 12));
  EXPECT_EQ(text[1], Report::format(msg::change_counts.text, "form.csv 12 行"));
  EXPECT_EQ(text[12], Report::format(msg::more_messages.text, 2));

  const std::string logged = read_text(log);
  for (int line = 4; line < 16; ++line) {
    const std::string message = Report::format(
        "警告: form.csv %d行目 ⑤素早さ（12列目）: -9 は -3～3 の範囲外です。-3 を書き込みます\r\n", line);
    EXPECT_TRUE(contains(logged, message)) << line;
  }
  EXPECT_TRUE(contains(logged, counts(0, 12)));
}

// A check builds in memory: the same messages as the build, and no ROM.
TEST_F(HonestResults, CheckReportsWhatABuildWouldAndWritesNoRom) {
  set_speed_four();
  write_lines();
  edit_lines(folder + "monster.csv", [](std::vector<std::string>& rows) { rows.resize(100); });
  std::vector<std::string> built = messages_of({"-m", rom, out, folder});
  ASSERT_FALSE(built.empty());
  EXPECT_EQ(built.back().substr(0, built.back().find(' ')), msg::rom_written_with_errors.id);
  built.pop_back();
  fs::remove(out);
  EXPECT_EQ(messages_of({"-c", rom, folder}), built);

  const JobOutcome checked = run({"-c", rom, folder});
  EXPECT_EQ(checked.result, JobResult::failed);
  EXPECT_EQ(split_lines(checked.text)[0], counts(1, 1));
  std::size_t files = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir.folder())) files += entry.is_regular_file();
  EXPECT_EQ(files, 1u);  // the input alone
  EXPECT_EQ(read_bytes(rom), input);
}

TEST_F(HonestResults, StrictModeWritesNoRomOnAWarning) {
  set_speed_four();
  write_lines();
  const JobOutcome outcome = run({"-s", "-m", rom, out, folder});
  EXPECT_EQ(exit_code_of(outcome), 1);
  const std::vector<std::string> text = split_lines(outcome.text);
  ASSERT_GE(text.size(), 3u);
  EXPECT_EQ(text[0], counts(1, 1));
  EXPECT_EQ(text[1], std::string("エラー: ") + msg::strict_nothing_written.text);
  EXPECT_EQ(text[2], "警告: " + clamped_speed);
  EXPECT_FALSE(file_exists(out));
}

// An output that is no regular file is refused before anything is written; a file that
// cannot be written is an error, and a failed save leaves neither the ROM nor a temporary file.
TEST_F(HonestResults, FailedWritesAreErrors) {
  fs::remove(folder + "form.csv");
  fs::remove(folder + "monster.csv");
#ifdef _WIN32
  fs::create_directory(folder + "monster.csv");  // in the way of the file
#else
  fs::create_symlink("/dev/full", folder + "monster.csv");  // a device is never replaced
#endif
  const JobOutcome extract_outcome = run({"-a", rom, folder});
  EXPECT_EQ(extract_outcome.result, JobResult::refused);
  const std::vector<std::string> text = split_lines(extract_outcome.text);
  ASSERT_GE(text.size(), 1u);
  EXPECT_EQ(text[0], Report::format("エラー: %s", Report::format(msg::output_not_regular.text, folder + "monster.csv")));
  EXPECT_FALSE(file_exists(folder + "form.csv"));  // nothing is written
  fs::remove_all(folder + "monster.csv");
  extract_image(input);

  for (const std::string& target : {dir.path("folder.smc"), dir.path("file.smc/out.smc")}) {
    SCOPED_TRACE(target);
    fs::create_directory(dir.path("folder.smc"));
    write_text(dir.path("file.smc"), "");
    const JobOutcome built = run({"-m", rom, target, folder});
    // A folder given as the output is refused before the job starts.
    const bool folder_target = target == dir.path("folder.smc");
    EXPECT_EQ(built.result, folder_target ? JobResult::refused : JobResult::failed);
    EXPECT_EQ(split_lines(built.text)[folder_target ? 0 : 1],
              Report::format("エラー: %s", Report::format(folder_target ? msg::args_output_is_folder.text
                                                                         : msg::cannot_write.text, target)));
    EXPECT_TRUE(fs::is_directory(dir.path("folder.smc")));
  }
  for (const auto& entry : fs::directory_iterator(dir.folder())) {
    EXPECT_NE(entry.path().filename().string().rfind("varbek-", 0), 0u) << entry.path();
  }
}

// Songs that overflow their region leave it as it was, and the job fails.
TEST_F(HonestResults, MusicThatDoesNotFitIsAnError) {
  ASSERT_EQ(run({"-am", rom, folder}).result, JobResult::done);
  // The extracted labels, Wave and Drum, then every channel, channel 1 holding 60000 bytes.
  const std::string dumped = read_text(folder + "music00.txt");
  std::string song = dumped.substr(0, dumped.find("Channel")) + "Channel1\n";
  for (int i = 0; i < 60000; ++i) song += i % 16 == 15 ? " 01\n" : " 01";
  for (int k = 2; k <= 8; ++k) song += "\nChannel" + std::to_string(k) + "\n";
  write_text(folder + "music00.txt", song);
  write_text(folder + "music01.txt", song);
  const JobOutcome outcome = run({"-mm", rom, out, folder});
  EXPECT_EQ(outcome.result, JobResult::failed);
  const std::vector<std::string> text = split_lines(outcome.text);
  ASSERT_GE(text.size(), 3u);
  EXPECT_EQ(text[0], counts(2, 0));
  EXPECT_EQ(text[1], msg::change_none.text);
  EXPECT_EQ(text[2], "エラー: 0x01番目のデータで容量を越えたので強制終了します");
  const std::vector<std::uint8_t> built = read_bytes(out);
  const std::size_t region = 0xBA876, region_end = 0xD0000;
  EXPECT_EQ(bytes_at(built, region, region_end - region), bytes_at(input, region, region_end - region));
}
