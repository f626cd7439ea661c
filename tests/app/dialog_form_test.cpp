#include <gtest/gtest.h>

#include <deque>

#include "app/dialog/dialog_form.hpp"
#include "jobs/job.hpp"
#include "core/report.hpp"
#include "test_support.hpp"

using dialog::message_box_text;

namespace {

using Args = std::vector<std::string>;

// Types the given lines into the form and keeps what it shows and every job it runs.
struct ScriptedForm {
  std::deque<std::string> input;
  std::string output;
  std::vector<Args> jobs;
  JobOutcome outcome{JobResult::done, "正常に終了しました"};

  explicit ScriptedForm(std::initializer_list<std::string> lines) : input(lines) {}

  void run(const dialog::JobRunner& runner = nullptr) {
    dialog::FormIo io;
    io.read_line = [this](std::string& line) {
      if (input.empty()) return false;
      line = input.front();
      input.pop_front();
      return true;
    };
    io.write = [this](const std::string& text) { output += text; };
    dialog::run_form(io, [&](const Args& args) {
      jobs.push_back(args);
      return runner ? runner(args) : outcome;
    });
  }
};

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST(TerminalForm, TypedFieldsAndMusicBecomeTheJob) {
  ScriptedForm form{"1 rom.smc", "2", "out dir ", "a", "r", "", "q"};
  form.run();
  ASSERT_EQ(form.jobs.size(), 1u);
  EXPECT_EQ(form.jobs[0], (Args{"dummy", "-am", "rom.smc", "out dir"}));
  EXPECT_TRUE(contains(form.output, "| 正常に終了しました |"));
  // The fields keep their texts for the next job.
  EXPECT_TRUE(contains(form.output, ": out dir\n"));
  EXPECT_TRUE(form.input.empty());
}

TEST(TerminalForm, ModeChoiceFollowsTheDialogRules) {
  ScriptedForm form{"3 csv", "m", "2", "3 csv", "m 0", "1 in", "2 out", "r", "", "m5", "r", "", "q"};
  form.run();
  EXPECT_TRUE(contains(form.output, "この項目は今のモードでは使えません"));
  EXPECT_TRUE(contains(form.output, "1から9の番号を入力してください"));
  EXPECT_TRUE(contains(form.output, "CSV作成　ディレクトリ"));
  EXPECT_TRUE(contains(form.output, "5 CSVチェック"));
  ASSERT_EQ(form.jobs.size(), 2u);
  EXPECT_EQ(form.jobs[0], (Args{"dummy", "-m", "in", "out", "csv"}));
  // The check takes two rows; the build's third row is disabled and not passed.
  EXPECT_EQ(form.jobs[1], (Args{"dummy", "-c", "in", "out"}));
}

TEST(TerminalForm, MergeTakesFourRowsAndOneSide) {
  ScriptedForm form{"m9", "1 base.smc", "2 a.bps", "3 b.ips", "4 out.smc", "a", "g", "H", "r", "", "m8", "r", "", "q"};
  form.run();
  ASSERT_EQ(form.jobs.size(), 2u);
  EXPECT_EQ(form.jobs[0], (Args{"dummy", "-jmB", "base.smc", "a.bps", "b.ips", "out.smc"}));
  EXPECT_TRUE(contains(form.output, "  4 書き込みSMC"));
  EXPECT_TRUE(contains(form.output, "g [ ] 衝突は改造Aを採用\n  h [x] 衝突は改造Bを採用\n"));
  // The patch takes three rows; the fourth is disabled and not passed.
  EXPECT_EQ(form.jobs[1], (Args{"dummy", "-b", "base.smc", "a.bps", "b.ips"}));
  EXPECT_TRUE(contains(form.output, "4 書き込みSMC（無効）"));
}

TEST(TerminalForm, EmptyAnswerKeepsAFieldAndHyphenClearsIt) {
  ScriptedForm form{"m4", "a", "1 a.bin", "2 b.txt", "1", "", "r", "", "2 -", "r", "q"};
  form.outcome = JobOutcome{};
  form.run();
  ASSERT_EQ(form.jobs.size(), 2u);
  EXPECT_EQ(form.jobs[0], (Args{"dummy", "-d", "a.bin", "b.txt"}));
  EXPECT_EQ(form.jobs[1], (Args{"dummy", "-d", "a.bin"}));
  // A refused job shows no box.
  EXPECT_FALSE(contains(form.output, "[ OK ]"));
  // The music box is disabled in the text modes.
  EXPECT_TRUE(contains(form.output, "この項目は今のモードでは使えません"));
}

TEST(TerminalForm, FailureShowsTheFinalTextAndEndOfInputQuits) {
  ScriptedForm form{"1 x.smc", "2 out", "r"};
  form.run([](const Args&) { return JobOutcome{JobResult::failed, "終了しました（エラー 1 件、警告 0 件）\nエラー: 知らないsmc形式です"}; });
  EXPECT_TRUE(contains(form.output, "| 終了しました（エラー 1 件、警告 0 件） |"));
  EXPECT_TRUE(contains(form.output, "| エラー: 知らないsmc形式です"));
  EXPECT_FALSE(contains(form.output, "正常に終了しました"));

  ScriptedForm unfinished{"1"};
  unfinished.run();
  EXPECT_TRUE(unfinished.jobs.empty());
}

TEST(TerminalForm, RunsARealExtract) {
  TempDir dir;
  write_sample(dir.path("rom.smc"));
  ScriptedForm form{"1 " + dir.path("rom.smc"), "2 " + dir.path("csv"), "r", "", "q"};
  form.run([&](const Args& args) { return run_reported_job(args, dir.folder()); });
  EXPECT_TRUE(contains(form.output, "正常に終了しました"));
  EXPECT_TRUE(file_exists(dir.path("csv/monster_ptn.csv")));
  EXPECT_TRUE(file_exists(dir.path("csv/varbek.log")));
}

TEST(MessageBoxText, FramesLinesOfAnyWidth) {
  EXPECT_EQ(message_box_text("正常に終了しました"),
            "+--------------------+\n"
            "| 正常に終了しました |\n"
            "|       [ OK ]       |\n"
            "+--------------------+\n");
  // CR LF ends and a final line end make no empty lines; an empty text still has its box.
  EXPECT_EQ(message_box_text("ab\r\ncd\n"),
            "+--------+\n"
            "| ab     |\n"
            "| cd     |\n"
            "| [ OK ] |\n"
            "+--------+\n");
  EXPECT_EQ(message_box_text(""),
            "+--------+\n"
            "|        |\n"
            "| [ OK ] |\n"
            "+--------+\n");
}

TEST(MessageBoxText, WrapsLongLinesWithoutSplittingACharacter) {
  std::string first = "x";
  for (int i = 0; i < 34; ++i) first += "あ";  // 69 columns: one more character would not fit
  std::string second;
  for (int i = 0; i < 26; ++i) second += "あ";
  const std::vector<std::string> lines = split_lines(message_box_text(first + second + "\t\x01z"));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1], "| " + first + " |");
  EXPECT_EQ(lines[2].substr(0, 2 + second.size() + 2), "| " + second + " z");
  for (const std::string& line : lines) EXPECT_EQ(dialog::display_width(line), lines[0].size());
}
