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
  id_music = IDC_MUSIC,
  id_utf8 = IDC_UTF8,
  id_patch = IDC_PATCH,
};

inline constexpr int row_count = 3;
inline constexpr int mode_count = 5;
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
}};

// The check boxes that add an option of their own; each is enabled in one mode only.
enum OptionBox : int { utf8_box, patch_box, option_box_count };
inline constexpr int no_option_box = -1;

struct OptionBoxEntry {
  int control;
  const char* text;
  const char* option;  // the argument the job gets when the box is ticked
};
const std::array<OptionBoxEntry, option_box_count>& option_box_table();

struct ModeEntry {
  const char* text;    // the selector's entry
  const char* option;  // the option the job gets
  const char* label1;
  const char* label2;
  const char* label3;  // null: row 3 is disabled and its label keeps its last text
  bool music_enabled;
  bool rom_filter;  // the file picker offers "*.smc" before "*.*"
  int folder_row;   // the row (1 to 3) that asks for a folder, 0 for none
  int option_box;   // the OptionBox this mode enables, or no_option_box
};

const std::array<ModeEntry, mode_count>& mode_table();
// The entry for a selector index, or null when nothing (or something unknown) is selected.
const ModeEntry* mode_entry(int mode);

// The state the logic reads and sets; the window system mirrors it into its controls.
struct DialogState {
  int mode = 0;
  std::array<std::string, row_count> labels;
  std::array<std::string, row_count> fields;
  bool row3_enabled = true;
  bool music_enabled = true;
  bool music_checked = false;
  std::array<bool, option_box_count> box_enabled{true, true};
  std::array<bool, option_box_count> box_checked{};

  DialogState();  // the template's texts, mode 0 selected but its labels not yet applied
};

// Labels and enabled controls for the selected mode.
void apply_mode_labels(DialogState& state);

// The vector handed to the job: "dummy", the option (with "m" when the music box is ticked),
// the option of a ticked box that the mode enables, then the three fields, counted only up
// to the first empty entry.
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
// What the browse button of `row` (1 to 3) asks for in `mode`.
BrowseRequest browse_request(int mode, int row);

// A picker's result: a cancelled picker (empty path) leaves the field as it was. True when
// the field was set.
bool apply_browse_result(DialogState& state, int row, const std::string& path);
// Files dropped on the dialog: the first fills path field 1. True when it was set.
bool apply_dropped_files(DialogState& state, const std::vector<std::string>& paths);

}  // namespace dialog
