#pragma once
#include <array>
#include <string>
#include <vector>

#include "app/dialog/resource.h"

// What the main dialog does, apart from any window system: the modes, the labels and enabled
// rows they give, what each browse button asks for, and the argument vector of a job. The
// Windows dialog and the terminal form both drive this.
namespace dialog {

// Control identifiers of the dialog template.
enum ControlId : int {
  id_ok = 1,
  id_mode = IDC_MODE,
  id_field1 = IDC_FIELD1,
  id_browse1 = IDC_BROWSE1,
  id_label1 = IDC_LABEL1,
  id_label2 = IDC_LABEL2,
  id_field2 = IDC_FIELD2,
  id_browse2 = IDC_BROWSE2,
  id_label3 = IDC_LABEL3,
  id_field3 = IDC_FIELD3,
  id_browse3 = IDC_BROWSE3,
  id_label4 = IDC_LABEL4,
  id_field4 = IDC_FIELD4,
  id_browse4 = IDC_BROWSE4,
  id_music = IDC_MUSIC,
  id_utf8 = IDC_UTF8,
  id_strict = IDC_STRICT,
  id_newline = IDC_NEWLINE,
  id_patch = IDC_PATCH,
  id_ips = IDC_IPS,
  id_side_a = IDC_SIDE_A,
  id_side_b = IDC_SIDE_B,
};

inline constexpr int row_count = 4;
inline constexpr int mode_count = 9;
inline constexpr int no_mode = -1;

struct RowControls {
  int label;
  int field;
  int browse;
};
// Row 1 is index 0.
inline constexpr std::array<RowControls, row_count> row_controls{{
    {id_label1, id_field1, id_browse1},
    {id_label2, id_field2, id_browse2},
    {id_label3, id_field3, id_browse3},
    {id_label4, id_field4, id_browse4},
}};

// The check boxes, each adding an option in the modes that enable it.
enum OptionBox : int {
  music_box,
  utf8_box,
  strict_box,
  newline_box,
  patch_box,
  ips_box,
  side_a_box,
  side_b_box,
  option_box_count
};
inline constexpr int no_option_box = -1;

struct OptionBoxEntry {
  int control;
  const char* text;
  // What the job gets when the box is ticked: an argument of its own ("-u"), or with
  // `joined` letters added to the mode's option, as the music's m must follow the mode letter.
  const char* option;
  bool joined;
  int excludes;  // the box that is unticked when this one is ticked, or no_option_box
};
const std::array<OptionBoxEntry, option_box_count>& option_box_table();

// What a path row asks for: it decides the picker and its filters.
enum class PathKind { none, rom, rom_or_patch, patch, csv_file, folder, file };

struct PathRow {
  const char* label;  // null: the row is disabled and its label keeps its last text
  PathKind kind;
};

struct ModeEntry {
  const char* text;    // the selector's entry
  const char* option;  // the option the job gets
  std::array<PathRow, row_count> rows;  // the rows the job takes come first
  unsigned boxes;      // bit (1 << OptionBox) for each box this mode enables
};

const std::array<ModeEntry, mode_count>& mode_table();
// The entry for a selector index, or null when nothing (or something unknown) is selected.
const ModeEntry* mode_entry(int mode);
// The number of paths the mode's job takes.
std::size_t mode_path_count(const ModeEntry& entry);

// The state the logic reads and sets; the window system mirrors it into its controls.
struct DialogState {
  int mode = 0;
  std::array<std::string, row_count> labels;
  std::array<std::string, row_count> fields;
  std::array<bool, row_count> row_enabled{true, true, true, true};
  std::array<bool, option_box_count> box_enabled{true, true, true, true, true, true, true, true};
  std::array<bool, option_box_count> box_checked{};

  DialogState();  // the template's texts, mode 0 selected but its labels not yet applied
};

// Labels and enabled controls for the selected mode.
void apply_mode_labels(DialogState& state);

// Ticks or unticks a box; ticking one side of a merge unticks the other.
void set_box(DialogState& state, int box, bool checked);

// The vector handed to the job: "dummy", the option with the letters of ticked joined boxes
// ("-am", "-jmA"), the options of the other ticked boxes the mode enables, then the fields of
// the rows the job takes, counted only up to the first empty entry.
std::vector<std::string> dialog_job_arguments(const DialogState& state);

enum class BrowseKind { file, folder };
struct FileFilter {
  const char* name;
  const char* pattern;
};
struct BrowseRequest {
  BrowseKind kind;
  const char* title;
  std::vector<FileFilter> filters;  // empty for a folder
};
// What the browse button of `row` (1 to 4) asks for in `mode`.
BrowseRequest browse_request(int mode, int row);

// A picker's result: a cancelled picker (empty path) leaves the field as it was. True when
// the field was set.
bool apply_browse_result(DialogState& state, int row, const std::string& path);
// Files dropped on the dialog: the first fills path field 1. True when it was set.
bool apply_dropped_files(DialogState& state, const std::vector<std::string>& paths);

}  // namespace dialog
