#pragma once
#include <functional>
#include <string>
#include <vector>

#include "jobs/job.hpp"

// The main dialog as a form in a terminal, for platforms without the Windows dialog: the same
// modes, rows, check boxes and jobs, typed instead of clicked.
namespace dialog {

struct FormIo {
  // One line of input in Shift-JIS without its line end; false when the input has ended.
  std::function<bool(std::string& line)> read_line;
  // Shift-JIS text for the terminal.
  std::function<void(const std::string& text)> write;
};
using JobRunner = std::function<JobOutcome(const std::vector<std::string>& args)>;

// Runs jobs until the user quits or the input ends. Every job's final text is shown like the
// final message box; a refused job shows nothing.
void run_form(const FormIo& io, const JobRunner& run);

// The final text framed as a box with an OK button, lines ending in "\n".
std::string message_box_text(const std::string& text);

// Columns that Shift-JIS text takes in a terminal: two for a double-byte character.
std::size_t display_width(const std::string& sjis);

}  // namespace dialog
