#include "app/dialog/dialog_logic.hpp"

#include "app/dialog/dialog_texts.hpp"

namespace dialog {
namespace {

constexpr unsigned box(OptionBox b) { return 1u << b; }

std::size_t index(int i) { return static_cast<std::size_t>(i); }

}  // namespace

const std::array<OptionBoxEntry, option_box_count>& option_box_table() {
  // clang-format off
  static const std::array<OptionBoxEntry, option_box_count> table{{
      // control   text              option joined excludes
      {id_music,   text::music,       "m",  true,  no_option_box},
      {id_utf8,    text::utf8_box,    "-u", false, no_option_box},
      {id_strict,  text::strict_box,  "-s", false, no_option_box},
      {id_newline, text::newline_box, "-n", false, no_option_box},
      {id_patch,   text::patch_box,   "-p", false, no_option_box},
      {id_ips,     text::ips_box,     "-i", false, no_option_box},
      {id_side_a,  text::side_a_box,  "A",  true,  side_b_box},
      {id_side_b,  text::side_b_box,  "B",  true,  side_a_box},
  }};
  // clang-format on
  return table;
}

const std::array<ModeEntry, mode_count>& mode_table() {
  using K = PathKind;
  constexpr PathRow off{nullptr, K::none};
  // clang-format off
  static const std::array<ModeEntry, mode_count> table{{
    {text::extract_mode, "-a", {{{text::input_rom, K::rom}, {text::csv_folder, K::folder}, off, off}},
     box(music_box) | box(utf8_box) | box(strict_box)},
    {text::build_mode, "-m", {{{text::input_rom, K::rom}, {text::output_rom, K::rom}, {text::csv_folder, K::folder}, off}},
     box(music_box) | box(strict_box) | box(patch_box) | box(ips_box)},
    {text::encode_mode, "-e", {{{text::input_file, K::file}, {text::output_file, K::file}, off, off}},
     box(newline_box)},
    {text::decode_mode, "-d", {{{text::input_file, K::file}, {text::output_file, K::file}, off, off}},
     0},
    {text::check_mode, "-c", {{{text::input_rom, K::rom}, {text::csv_folder, K::folder}, off, off}},
     box(music_box) | box(strict_box)},
    {text::diff_mode, "-x", {{{text::source_rom, K::rom}, {text::other_rom, K::rom_or_patch}, {text::output_csv, K::csv_file}, off}},
     box(music_box) | box(utf8_box)},
    // The round trip always takes the music along.
    {text::round_trip_mode, "-t", {{{text::input_rom, K::rom}, off, off, off}},
     0},
    {text::apply_patch_mode, "-b", {{{text::patch_file, K::patch}, {text::source_rom, K::rom}, {text::output_rom, K::rom}, off}},
     0},
    {text::merge_mode, "-j", {{{text::source_rom, K::rom}, {text::mod_a, K::rom_or_patch}, {text::mod_b, K::rom_or_patch}, {text::output_rom, K::rom}}},
     box(music_box) | box(side_a_box) | box(side_b_box)},
  }};
  // clang-format on
  return table;
}

const ModeEntry* mode_entry(int mode) {
  if (mode < 0 || mode >= mode_count) return nullptr;
  return &mode_table()[index(mode)];
}

std::size_t mode_path_count(const ModeEntry& entry) {
  std::size_t count = 0;
  while (count < entry.rows.size() && entry.rows[count].label) ++count;
  return count;
}

DialogState::DialogState() : labels{text::label1, text::label2, text::label3, text::label4} {}

void apply_mode_labels(DialogState& state) {
  const ModeEntry* entry = mode_entry(state.mode);
  if (!entry) return;
  for (std::size_t row = 0; row < row_count; ++row) {
    const char* label = entry->rows[row].label;
    state.row_enabled[row] = label != nullptr;
    if (label) state.labels[row] = label;
  }
  for (int b = 0; b < option_box_count; ++b) state.box_enabled[index(b)] = (entry->boxes >> b) & 1u;
}

void set_box(DialogState& state, int b, bool checked) {
  if (b < 0 || b >= option_box_count) return;
  state.box_checked[index(b)] = checked;
  const int other = option_box_table()[index(b)].excludes;
  if (checked && other != no_option_box) state.box_checked[index(other)] = false;
}

std::vector<std::string> dialog_job_arguments(const DialogState& state) {
  const ModeEntry* entry = mode_entry(state.mode);
  if (!entry) return {"dummy"};
  // A box ticked in an earlier mode and disabled in this one stays out: elsewhere its option
  // would mean something else or be refused.
  std::string option = entry->option;
  std::vector<std::string> separate;
  for (std::size_t b = 0; b < option_box_count; ++b) {
    if (!state.box_checked[b] || !((entry->boxes >> b) & 1u)) continue;
    const OptionBoxEntry& box_entry = option_box_table()[b];
    if (box_entry.joined) {
      option += box_entry.option;
    } else {
      separate.push_back(box_entry.option);
    }
  }
  std::vector<std::string> args{"dummy", option};
  args.insert(args.end(), separate.begin(), separate.end());
  // A disabled row keeps the text of an earlier mode, which this job does not take.
  for (std::size_t row = 0; row < mode_path_count(*entry); ++row) {
    if (state.fields[row].empty()) break;
    args.push_back(state.fields[row]);
  }
  return args;
}

BrowseRequest browse_request(int mode, int row) {
  const ModeEntry* entry = mode_entry(mode);
  const PathKind kind = entry && row >= 1 && row <= row_count ? entry->rows[index(row - 1)].kind : PathKind::file;
  if (kind == PathKind::folder) return {BrowseKind::folder, text::folder_title, {}};
  BrowseRequest request{BrowseKind::file, text::file_title, {}};
  switch (kind) {
    case PathKind::rom: request.filters.push_back({text::rom_filter, text::rom_pattern}); break;
    case PathKind::rom_or_patch:
      request.filters.push_back({text::rom_or_patch_filter, text::rom_or_patch_pattern});
      break;
    case PathKind::patch: request.filters.push_back({text::patch_filter, text::patch_pattern}); break;
    case PathKind::csv_file: request.filters.push_back({text::csv_filter, text::csv_pattern}); break;
    default: break;
  }
  request.filters.push_back({text::all_filter, text::all_pattern});
  return request;
}

bool apply_browse_result(DialogState& state, int row, const std::string& path) {
  if (row < 1 || row > row_count || path.empty()) return false;
  state.fields[index(row - 1)] = path;
  return true;
}

bool apply_dropped_files(DialogState& state, const std::vector<std::string>& paths) {
  return apply_browse_result(state, 1, paths.empty() ? std::string() : paths.front());
}

}  // namespace dialog
