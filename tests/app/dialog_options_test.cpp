#include <gtest/gtest.h>

#include <cstring>

#include "app/dialog/dialog_logic.hpp"
#include "jobs/job.hpp"

using namespace dialog;

namespace {

using Args = std::vector<std::string>;

constexpr int extract = 0, build = 1, encode = 2, check = 4, diff = 5, round_trip = 6, patching = 7,
              merge = 8;

DialogState state_in_mode(int mode) {
  DialogState state;
  state.mode = mode;
  apply_mode_labels(state);
  return state;
}

// Every row filled, every box ticked (side B after side A, which unticks A).
DialogState everything_ticked(int mode) {
  DialogState state = state_in_mode(mode);
  state.fields = {"p1", "p2", "p3", "p4"};
  for (int box = 0; box < option_box_count; ++box) set_box(state, box, true);
  return state;
}

}  // namespace

TEST(DialogOptionBoxes, EveryModeOffersExactlyWhatItsJobTakes) {
  for (int mode = 0; mode < mode_count; ++mode) {
    const DialogState state = everything_ticked(mode);
    const Args args = dialog_job_arguments(state);
    const JobSettings job = parse_job(args);
    EXPECT_EQ(job.refusal.message, nullptr) << args[1];
    EXPECT_EQ(job.paths.size(), mode_path_count(mode_table()[static_cast<std::size_t>(mode)])) << args[1];
    EXPECT_EQ(job.music, state.box_enabled[music_box]) << args[1];
    EXPECT_EQ(job.utf8_files, state.box_enabled[utf8_box]) << args[1];
    EXPECT_EQ(job.strict, state.box_enabled[strict_box]) << args[1];
    EXPECT_EQ(job.newline_flag, state.box_enabled[newline_box]) << args[1];
    EXPECT_EQ(job.patch, state.box_enabled[patch_box]) << args[1];
    EXPECT_EQ(job.ips, state.box_enabled[ips_box]) << args[1];
    EXPECT_EQ(job.merge_side != 0, state.box_enabled[side_a_box]) << args[1];
    for (int row = 0; row < row_count; ++row) {
      EXPECT_EQ(state.row_enabled[static_cast<std::size_t>(row)],
                static_cast<std::size_t>(row) < job.paths.size())
          << args[1] << " row " << row + 1;
    }
  }
}

TEST(DialogOptionBoxes, TickedBoxesGiveTheirOptionBetweenModeAndPaths) {
  struct Case {
    int mode;
    std::vector<int> boxes;
    Args expected;
  };
  const Case cases[] = {
      {extract, {utf8_box}, {"dummy", "-a", "-u", "p1", "p2"}},
      {extract, {music_box, utf8_box, strict_box, patch_box}, {"dummy", "-am", "-u", "-s", "p1", "p2"}},
      {build, {music_box, patch_box, ips_box, utf8_box}, {"dummy", "-mm", "-p", "-i", "p1", "p2", "p3"}},
      {build, {strict_box, side_a_box}, {"dummy", "-m", "-s", "p1", "p2", "p3"}},
      {encode, {music_box, newline_box, strict_box}, {"dummy", "-e", "-n", "p1", "p2"}},
      {check, {music_box, strict_box, ips_box}, {"dummy", "-cm", "-s", "p1", "p2"}},
      {diff, {music_box, utf8_box, strict_box}, {"dummy", "-xm", "-u", "p1", "p2", "p3"}},
      {round_trip, {music_box, strict_box, utf8_box}, {"dummy", "-t", "p1"}},
      {patching, {music_box, ips_box}, {"dummy", "-b", "p1", "p2", "p3"}},
      {merge, {}, {"dummy", "-j", "p1", "p2", "p3", "p4"}},
      {merge, {music_box, side_b_box, utf8_box}, {"dummy", "-jmB", "p1", "p2", "p3", "p4"}},
      {merge, {side_a_box}, {"dummy", "-jA", "p1", "p2", "p3", "p4"}},
      {no_mode, {music_box, utf8_box}, {"dummy"}},
  };
  for (const Case& c : cases) {
    DialogState state = state_in_mode(c.mode);
    state.fields = {"p1", "p2", "p3", "p4"};
    for (int box : c.boxes) set_box(state, box, true);
    EXPECT_EQ(dialog_job_arguments(state), c.expected) << c.mode;
  }
}

TEST(DialogOptionBoxes, MergeSidesExcludeEachOther) {
  DialogState state = state_in_mode(merge);
  state.fields = {"base.smc", "a.bps", "b.ips", "out.smc"};
  set_box(state, side_a_box, true);
  set_box(state, side_b_box, true);
  EXPECT_FALSE(state.box_checked[side_a_box]);
  EXPECT_EQ(dialog_job_arguments(state), (Args{"dummy", "-jB", "base.smc", "a.bps", "b.ips", "out.smc"}));
  set_box(state, side_b_box, false);
  EXPECT_EQ(dialog_job_arguments(state)[1], "-j");
  // The other boxes are independent.
  set_box(state, music_box, true);
  set_box(state, side_a_box, true);
  EXPECT_TRUE(state.box_checked[music_box]);
  EXPECT_EQ(dialog_job_arguments(state)[1], "-jmA");
}

TEST(DialogOptionBoxes, NewModesAskForTheirFilesInOrder) {
  struct Case {
    int mode;
    std::vector<std::string> labels;
    std::vector<const char*> first_filter;  // per row; "" for a folder
  };
  const Case cases[] = {
      {diff, {"元SMC", "比較SMCかパッチ", "書き込みCSV"}, {"*.smc", "*.smc;*.bps;*.ips", "*.csv"}},
      {round_trip, {"読み込みSMC"}, {"*.smc"}},
      {patching, {"パッチ（BPSかIPS）", "元SMC", "書き込みSMC"}, {"*.bps;*.ips", "*.smc", "*.smc"}},
      {merge,
       {"元SMC", "改造A（SMCかパッチ）", "改造B（SMCかパッチ）", "書き込みSMC"},
       {"*.smc", "*.smc;*.bps;*.ips", "*.smc;*.bps;*.ips", "*.smc"}},
  };
  for (const Case& c : cases) {
    const DialogState state = state_in_mode(c.mode);
    for (std::size_t row = 0; row < c.labels.size(); ++row) {
      EXPECT_EQ(state.labels[row], c.labels[row]) << c.mode;
      const BrowseRequest request = browse_request(c.mode, static_cast<int>(row + 1));
      ASSERT_EQ(request.filters.size(), 2u) << c.mode << " row " << row + 1;
      EXPECT_STREQ(request.filters[0].pattern, c.first_filter[row]) << c.mode << " row " << row + 1;
      EXPECT_STREQ(request.filters[1].pattern, "*.*");
    }
  }
  EXPECT_STREQ(mode_table()[merge].text, "マージ");
}
