#pragma once
#include <string>

// What the front ends show: the final text of a job in a box or on the console, and the log
// lines of a job as it runs. Texts are Shift-JIS; each platform converts them here.
namespace screen {

// A modal box with an OK button (on Linux, standard output).
void show_message_box(const std::string& text, void* owner);
void write_console(const std::string& text, bool to_error);
// True when standard output and standard error lead to one place: one terminal or console,
// or one file.
bool standard_streams_shared();

}  // namespace screen
