#include "app/dialog/dialog_logic.hpp"

#include "app/dialog/dialog_texts.hpp"

namespace dialog {

const std::array<OptionBoxEntry, option_box_count>& option_box_table() {
  static const std::array<OptionBoxEntry, option_box_count> table{{
      {id_utf8, text::utf8_box, "-u"},
      {id_patch, text::patch_box, "-p"},
  }};
  return table;
}

const std::array<ModeEntry, mode_count>& mode_table() {
  // clang-format off
  static const std::array<ModeEntry, mode_count> table{{
    // entry             option label 1           label 2            label 3           music  smc    folder box
    {text::extract_mode, "-a",  text::input_rom,  text::csv_folder,  nullptr,          true,  true,  2,     utf8_box},
    {text::build_mode,   "-m",  text::input_rom,  text::output_rom,  text::csv_folder, true,  true,  3,     patch_box},
    {text::encode_mode,  "-e",  text::input_file, text::output_file, nullptr,          false, false, 0,     no_option_box},
    {text::decode_mode,  "-d",  text::input_file, text::output_file, nullptr,          false, false, 0,     no_option_box},
    {text::check_mode,   "-c",  text::input_rom,  text::csv_folder,  nullptr,          true,  true,  2,     no_option_box},
  }};
  // clang-format on
  return table;
}

const ModeEntry* mode_entry(int mode) {
  if (mode < 0 || mode >= mode_count) return nullptr;
  return &mode_table()[static_cast<std::size_t>(mode)];
}

DialogState::DialogState() : labels{text::label1, text::label2, text::label3} {}

void apply_mode_labels(DialogState& state) {
  const ModeEntry* entry = mode_entry(state.mode);
  if (!entry) return;
  state.labels[0] = entry->label1;
  state.labels[1] = entry->label2;
  state.row3_enabled = entry->label3 != nullptr;
  if (entry->label3) state.labels[2] = entry->label3;
  state.music_enabled = entry->music_enabled;
  for (int box = 0; box < option_box_count; ++box) {
    state.box_enabled[static_cast<std::size_t>(box)] = entry->option_box == box;
  }
}

std::vector<std::string> dialog_job_arguments(const DialogState& state) {
  const ModeEntry* entry = mode_entry(state.mode);
  std::string option = entry ? entry->option : "";
  // Only where the box is enabled: a text job refuses the music letter.
  if (state.music_checked && entry && entry->music_enabled) option += 'm';

  std::vector<std::string> args{"dummy", option};
  // Unlike the music letter, a box's option goes only in its own mode: elsewhere it would
  // mean something else or nothing.
  if (entry && entry->option_box != no_option_box &&
      state.box_checked[static_cast<std::size_t>(entry->option_box)]) {
    args.push_back(option_box_table()[static_cast<std::size_t>(entry->option_box)].option);
  }
  // A disabled third row keeps the text of an earlier mode, which this job does not take.
  const std::size_t rows = entry && !entry->label3 ? 2 : state.fields.size();
  for (std::size_t row = 0; row < rows && row < state.fields.size(); ++row) args.push_back(state.fields[row]);
  std::size_t count = 0;
  while (count < args.size() && !args[count].empty()) ++count;
  args.resize(count);
  return args;
}

BrowseRequest browse_request(int mode, int row) {
  const ModeEntry* entry = mode_entry(mode);
  if (entry && entry->folder_row == row) return {BrowseKind::folder, text::folder_title, {}};
  BrowseRequest request{BrowseKind::file, text::file_title, {}};
  if (entry && entry->rom_filter) request.filters.push_back({text::rom_filter, text::rom_pattern});
  request.filters.push_back({text::all_filter, text::all_pattern});
  return request;
}

bool apply_browse_result(DialogState& state, int row, const std::string& path) {
  if (row < 1 || row > row_count || path.empty()) return false;
  state.fields[static_cast<std::size_t>(row - 1)] = path;
  return true;
}

bool apply_dropped_files(DialogState& state, const std::vector<std::string>& paths) {
  return apply_browse_result(state, 1, paths.empty() ? std::string() : paths.front());
}

}  // namespace dialog
