#include <gtest/gtest.h>

#include "app/dialog/dialog_logic.hpp"
#include "jobs/job.hpp"

using namespace dialog;

namespace {

void switch_mode(DialogState& state, int mode) {
  state.mode = mode;
  apply_mode_labels(state);
}

DialogState state_in_mode(int mode) {
  DialogState state;
  switch_mode(state, mode);
  return state;
}

using Args = std::vector<std::string>;

}  // namespace

TEST(DialogModes, Row3AndItsLabelFollowTheBuildMode) {
  DialogState state = state_in_mode(0);
  EXPECT_FALSE(state.row_enabled[2]);
  EXPECT_EQ(state.labels[2], "引数３");

  switch_mode(state, 1);
  EXPECT_TRUE(state.row_enabled[2]);
  EXPECT_EQ(state.labels[1], "書き込みSMC");
  EXPECT_EQ(state.labels[2], "CSV作成　ディレクトリ");

  // Back in the extract mode row 3 is disabled again but keeps the text it was given.
  switch_mode(state, 0);
  EXPECT_FALSE(state.row_enabled[2]);
  EXPECT_EQ(state.labels[1], "CSV作成　ディレクトリ");
  EXPECT_EQ(state.labels[2], "CSV作成　ディレクトリ");
}

TEST(DialogModes, TextModesDisableTheMusicBoxAndTableModesEnableItAgain) {
  DialogState state = state_in_mode(3);
  EXPECT_FALSE(state.box_enabled[music_box]);
  EXPECT_EQ(state.labels[0], "読み込み　ファイル");
  EXPECT_EQ(state.labels[1], "書き込み　ファイル");
  switch_mode(state, 1);
  EXPECT_TRUE(state.box_enabled[music_box]);
}

TEST(DialogModes, NoSelectionChangesNothing) {
  DialogState state = state_in_mode(1);
  const DialogState before = state;
  for (int mode : {no_mode, mode_count}) {
    switch_mode(state, mode);
    EXPECT_EQ(state.labels, before.labels) << mode;
    EXPECT_EQ(state.row_enabled, before.row_enabled) << mode;
  }
}

TEST(DialogArguments, CountStopsAtTheFirstEmptyField) {
  DialogState state = state_in_mode(1);
  state.fields = {"in.smc", "out.smc", "csv", ""};
  EXPECT_EQ(dialog_job_arguments(state), (Args{"dummy", "-m", "in.smc", "out.smc", "csv"}));

  // Mode 2 with field 2 empty: field 3 is not passed, and the job is refused without a box.
  state = state_in_mode(2);
  state.fields = {"in.txt", "", "ignored"};
  const Args args = dialog_job_arguments(state);
  EXPECT_EQ(args, (Args{"dummy", "-e", "in.txt"}));
  EXPECT_EQ(run_job(args), JobResult::refused);

  state.fields = {"", "out.txt", "x"};
  EXPECT_EQ(dialog_job_arguments(state), (Args{"dummy", "-e"}));

  // A build's output left in the disabled third row is not passed to a check.
  state = state_in_mode(4);
  state.fields = {"in.smc", "csv", "out.smc"};
  EXPECT_EQ(dialog_job_arguments(state), (Args{"dummy", "-c", "in.smc", "csv"}));
}

TEST(DialogArguments, MusicBoxAppendsTheLetterM) {
  DialogState state = state_in_mode(0);
  state.fields = {"rom.smc", "csv"};
  state.box_checked[music_box] = true;
  const Args args = dialog_job_arguments(state);
  EXPECT_EQ(args, (Args{"dummy", "-am", "rom.smc", "csv"}));
  EXPECT_TRUE(parse_job(args).music);

  // Ticked before switching to a text mode, where the box is disabled: the letter stays out,
  // as a text job refuses it.
  switch_mode(state, 3);
  const JobSettings text_job = parse_job(dialog_job_arguments(state));
  EXPECT_EQ(dialog_job_arguments(state)[1], "-d");
  EXPECT_EQ(text_job.mode, JobMode::decode_text);
  EXPECT_EQ(text_job.refusal.message, nullptr);
}

TEST(DialogArguments, NothingSelectedIsRefused) {
  DialogState state;
  state.mode = no_mode;
  state.fields = {"a", "b", "c"};
  EXPECT_EQ(dialog_job_arguments(state), (Args{"dummy"}));
  state.box_checked[music_box] = true;
  EXPECT_EQ(run_job(dialog_job_arguments(state)), JobResult::refused);
}

TEST(DialogArguments, LongPathsArePassedWhole) {
  // A path cut to a fixed buffer would name another file.
  DialogState state = state_in_mode(2);
  const std::string long_path = std::string(300, 'a') + ".txt";
  state.fields = {long_path, "out.txt", ""};
  EXPECT_EQ(dialog_job_arguments(state)[2], long_path);
}

TEST(DialogBrowse, FolderRowsAreTheCsvFolderRows) {
  for (int mode = 0; mode < mode_count; ++mode) {
    for (int row = 1; row <= row_count; ++row) {
      const bool folder = ((mode == 0 || mode == 4) && row == 2) || (mode == 1 && row == 3);
      EXPECT_EQ(browse_request(mode, row).kind, folder ? BrowseKind::folder : BrowseKind::file)
          << mode << " " << row;
    }
  }
  const BrowseRequest folder = browse_request(0, 2);
  EXPECT_STREQ(folder.title, "フォルダを開く");
  EXPECT_TRUE(folder.filters.empty());
}

TEST(DialogBrowse, FilePickerFiltersDependOnTheMode) {
  const BrowseRequest rom = browse_request(1, 2);
  EXPECT_STREQ(rom.title, "ファイルを開く");
  ASSERT_EQ(rom.filters.size(), 2u);
  EXPECT_STREQ(rom.filters[0].name, "smc(*.smc)");
  EXPECT_STREQ(rom.filters[0].pattern, "*.smc");
  EXPECT_STREQ(rom.filters[1].name, "全てのファイル(*.*)");
  EXPECT_STREQ(rom.filters[1].pattern, "*.*");

  for (int mode : {2, 3, no_mode}) {
    const BrowseRequest text = browse_request(mode, 1);
    ASSERT_EQ(text.filters.size(), 1u) << mode;
    EXPECT_STREQ(text.filters[0].pattern, "*.*");
  }
}

TEST(DialogBrowse, CancelledPickerKeepsTheField) {
  DialogState state = state_in_mode(1);
  state.fields = {"in.smc", "out.smc", "csv", ""};
  EXPECT_FALSE(apply_browse_result(state, 2, ""));
  EXPECT_EQ(state.fields[1], "out.smc");
  EXPECT_TRUE(apply_browse_result(state, 3, "C:\\mods\\csv"));
  EXPECT_EQ(state.fields[2], "C:\\mods\\csv");
  apply_browse_result(state, 5, "x");
  apply_browse_result(state, 0, "x");
  EXPECT_EQ(state.fields, (std::array<std::string, 4>{"in.smc", "out.smc", "C:\\mods\\csv", ""}));
}

TEST(DialogDrop, FirstDroppedFileFillsField1) {
  DialogState state = state_in_mode(1);
  state.fields = {"old.smc", "out.smc", ""};
  EXPECT_TRUE(apply_dropped_files(state, {"C:\\roms\\a.smc", "C:\\roms\\b.smc"}));
  EXPECT_EQ(state.fields[0], "C:\\roms\\a.smc");
  EXPECT_EQ(state.fields[1], "out.smc");
  EXPECT_FALSE(apply_dropped_files(state, {}));
  EXPECT_EQ(state.fields[0], "C:\\roms\\a.smc");
}
