#include "app/dialog/dialog_form.hpp"

#include "core/sjis.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "app/dialog/dialog_logic.hpp"
#include "app/dialog/dialog_texts.hpp"
#include "core/report.hpp"
#include "core/messages.hpp"

namespace dialog {
namespace {

constexpr std::size_t label_columns = 30;
constexpr std::size_t box_text_columns = 70;
static_assert(row_count <= 9 && mode_count <= 9, "a row and a mode are chosen with one digit");
// The boxes are chosen with the letters from a on; none of them may be m, q or r.
static_assert(option_box_count <= 8, "the form's keys a-h are the option boxes");
constexpr char first_box_key = 'a';

using sjis::char_length;

std::string trim(const std::string& s) {
  const std::size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  const std::size_t last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

std::string pad(const std::string& s, std::size_t columns) {
  const std::size_t width = display_width(s);
  return width >= columns ? s : s + std::string(columns - width, ' ');
}

// The message's lines, control characters dropped and long lines wrapped.
std::vector<std::string> box_lines(const std::string& text) {
  std::vector<std::string> lines(1);
  std::size_t width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = char_length(text, i);
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      lines.emplace_back();
      width = 0;
    } else if (n == 2 || c >= 0x20 || c == '\t') {
      const std::size_t w = n == 2 ? 2 : 1;
      if (width + w > box_text_columns) {
        lines.emplace_back();
        width = 0;
      }
      lines.back() += c == '\t' ? std::string(" ") : text.substr(i, n);
      width += w;
    }
    i += n;
  }
  if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
  return lines;
}

class Form {
 public:
  Form(const FormIo& io, const JobRunner& run) : io_(io), run_(run) { apply_mode_labels(state_); }

  void run() {
    for (;;) {
      show();
      std::string line;
      if (!prompt(text::form_prompt, line)) return;
      const std::string command = trim(line);
      if (command.empty()) continue;
      const std::string argument = trim(command.substr(1));
      const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(command[0])));
      if (key == 'q') return;
      if (key == 'm') {
        if (!choose_mode(argument)) return;
      } else if (key == 'r') {
        if (!run_job()) return;
      } else if (key >= '1' && key < '1' + row_count) {
        if (!enter_path(key - '0', argument)) return;
      } else if (key >= first_box_key && key < first_box_key + option_box_count) {
        toggle_box(key - first_box_key);
      } else {
        say(text::form_unknown_command);
      }
    }
  }

 private:
  void say(const std::string& line) { io_.write(line + "\n"); }

  bool prompt(const std::string& question, std::string& answer) {
    io_.write(question);
    return io_.read_line(answer);
  }

  void show() {
    const ModeEntry* entry = mode_entry(state_.mode);
    say("");
    say(std::string(text::caption));
    say("  m " + pad(text::form_mode, label_columns) + ": " + (entry ? entry->text : ""));
    for (int row = 1; row <= row_count; ++row) {
      std::string label = state_.labels[static_cast<std::size_t>(row - 1)];
      if (!row_enabled(row)) label += text::form_disabled;
      say("  " + std::to_string(row) + " " + pad(label, label_columns) + ": " +
          state_.fields[static_cast<std::size_t>(row - 1)]);
    }
    for (std::size_t box = 0; box < option_box_count; ++box) {
      say("  " + std::string(1, static_cast<char>(first_box_key + box)) + " " +
          box_line(option_box_table()[box].text, state_.box_enabled[box], state_.box_checked[box]));
    }
    say(text::form_help);
  }

  static std::string box_line(const char* name, bool enabled, bool checked) {
    return std::string(checked ? "[x] " : "[ ] ") + name + (enabled ? "" : text::form_disabled);
  }

  bool row_enabled(int row) const { return state_.row_enabled[static_cast<std::size_t>(row - 1)]; }

  bool choose_mode(std::string answer) {
    if (answer.empty()) {
      for (int i = 0; i < mode_count; ++i) {
        say("    " + std::to_string(i + 1) + " " + mode_table()[static_cast<std::size_t>(i)].text);
      }
      if (!prompt(text::form_choose_mode, answer)) return false;
      answer = trim(answer);
    }
    if (answer.size() != 1 || answer[0] < '1' || answer[0] >= '1' + mode_count) {
      say(text::form_bad_mode);
      return true;
    }
    state_.mode = answer[0] - '1';
    apply_mode_labels(state_);
    return true;
  }

  bool enter_path(int row, std::string answer) {
    if (!row_enabled(row)) {
      say(text::form_row_disabled);
      return true;
    }
    if (answer.empty()) {
      const BrowseRequest request = browse_request(state_.mode, row);
      const char* kind = request.kind == BrowseKind::folder ? text::form_folder : text::form_file;
      char hint[128];
      std::snprintf(hint, sizeof hint, text::form_enter_path, kind);
      if (!prompt(state_.labels[static_cast<std::size_t>(row - 1)] + hint, answer)) return false;
      answer = trim(answer);
      if (answer.empty()) return true;
    }
    // A lone hyphen empties the field; a path never begins with one anyway.
    state_.fields[static_cast<std::size_t>(row - 1)] = answer == "-" ? std::string() : answer;
    return true;
  }

  void toggle_box(int box) {
    const std::size_t index = static_cast<std::size_t>(box);
    if (!state_.box_enabled[index]) {
      say(text::form_row_disabled);
      return;
    }
    set_box(state_, box, !state_.box_checked[index]);
  }

  bool run_job() {
    const JobOutcome outcome = run_(dialog_job_arguments(state_));
    if (outcome.text.empty()) return true;
    io_.write(message_box_text(outcome.text));
    std::string ignored;
    return prompt(text::form_close_box, ignored);
  }

  const FormIo& io_;
  const JobRunner& run_;
  DialogState state_;
};

}  // namespace

std::size_t display_width(const std::string& sjis) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < sjis.size();) {
    const std::size_t n = char_length(sjis, i);
    width += n;
    i += n;
  }
  return width;
}

std::string message_box_text(const std::string& text) {
  static const std::string button = "[ OK ]";
  const std::vector<std::string> lines = box_lines(text);
  std::size_t inner = display_width(button);
  for (const std::string& line : lines) inner = std::max(inner, display_width(line));
  const std::string rule = "+" + std::string(inner + 2, '-') + "+\n";
  std::string box = rule;
  for (const std::string& line : lines) box += "| " + pad(line, inner) + " |\n";
  const std::size_t left = (inner - button.size()) / 2;
  box += "| " + pad(std::string(left, ' ') + button, inner) + " |\n";
  box += rule;
  return box;
}

void run_form(const FormIo& io, const JobRunner& run) { Form(io, run).run(); }

}  // namespace dialog
