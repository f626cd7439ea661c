#include <gtest/gtest.h>

#include "app/dialog/dialog_logic.hpp"
#include "jobs/job.hpp"

using namespace dialog;

namespace {

using Args = std::vector<std::string>;

constexpr int extract = 0, build = 1, encode = 2, decode = 3, check = 4;

DialogState state_in_mode(int mode) {
  DialogState state;
  state.mode = mode;
  apply_mode_labels(state);
  return state;
}

}  // namespace

TEST(DialogOptionBoxes, EachBoxIsEnabledInItsOwnModeOnly) {
  struct Case {
    int mode;
    bool utf8;
    bool patch;
  };
  for (const Case& c : {Case{extract, true, false}, Case{build, false, true}, Case{encode, false, false},
                        Case{decode, false, false}, Case{check, false, false}}) {
    const DialogState state = state_in_mode(c.mode);
    EXPECT_EQ(state.box_enabled[utf8_box], c.utf8) << c.mode;
    EXPECT_EQ(state.box_enabled[patch_box], c.patch) << c.mode;
  }
  EXPECT_STREQ(option_box_table()[utf8_box].text, "UTF-8で書き出す");
  EXPECT_STREQ(option_box_table()[patch_box].text, "BPSパッチも作成");
}

TEST(DialogOptionBoxes, CheckModeAsksForARomAndTheCsvFolder) {
  const DialogState state = state_in_mode(check);
  EXPECT_EQ(state.labels[0], "読み込みSMC");
  EXPECT_EQ(state.labels[1], "CSV作成　ディレクトリ");
  EXPECT_FALSE(state.row3_enabled);
  EXPECT_TRUE(state.music_enabled);
  EXPECT_EQ(browse_request(check, 1).filters.size(), 2u);
  EXPECT_EQ(browse_request(check, 2).kind, BrowseKind::folder);
}

TEST(DialogOptionBoxes, TickedBoxesGiveTheirOptionBetweenModeAndPaths) {
  struct Case {
    int mode;
    bool music, utf8, patch;
    Args expected;
  };
  const std::array<std::string, 3> table_fields{"rom.smc", "csv", ""};
  const std::array<std::string, 3> build_fields{"in.smc", "out.smc", "csv"};
  const Case cases[] = {
      {extract, false, true, false, {"dummy", "-a", "-u", "rom.smc", "csv"}},
      {extract, true, true, true, {"dummy", "-am", "-u", "rom.smc", "csv"}},
      {extract, false, false, true, {"dummy", "-a", "rom.smc", "csv"}},
      {build, false, false, true, {"dummy", "-m", "-p", "in.smc", "out.smc", "csv"}},
      {build, true, true, true, {"dummy", "-mm", "-p", "in.smc", "out.smc", "csv"}},
      {build, false, true, false, {"dummy", "-m", "in.smc", "out.smc", "csv"}},
      {check, false, true, true, {"dummy", "-c", "rom.smc", "csv"}},
      {encode, false, true, true, {"dummy", "-e", "rom.smc", "csv"}},
      {encode, true, true, true, {"dummy", "-e", "rom.smc", "csv"}},
      {no_mode, false, true, true, {"dummy"}},
  };
  for (const Case& c : cases) {
    DialogState state = state_in_mode(c.mode);
    state.fields = c.mode == build ? build_fields : table_fields;
    state.music_checked = c.music;
    state.box_checked[utf8_box] = c.utf8;
    state.box_checked[patch_box] = c.patch;
    const Args args = dialog_job_arguments(state);
    EXPECT_EQ(args, c.expected) << c.mode << c.music << c.utf8 << c.patch;
    if (c.mode == no_mode) continue;
    // The job takes the options for options, never for paths.
    const JobSettings job = parse_job(args);
    EXPECT_EQ(job.refusal.message, nullptr) << c.mode << c.music << c.utf8 << c.patch;
    EXPECT_EQ(job.paths.size(), c.mode == build ? 3u : 2u) << c.mode;
    EXPECT_EQ(job.utf8_files, c.mode == extract && c.utf8) << c.mode;
    EXPECT_EQ(job.music, c.music && c.mode != encode) << c.mode;
  }
}
