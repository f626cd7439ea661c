#include "app/message_log.hpp"

#include <cstdarg>
#include <cstdio>

#include "app/job.hpp"
#include "app/messages.hpp"
#include "app/platform.hpp"

namespace {

constexpr std::size_t last_message_capacity = 255;  // bytes of text, without terminator
constexpr std::size_t work_capacity = 1023;

std::string g_last_message;
LogEcho g_echo;
ReportTo g_report_to = ReportTo::console;
void* g_owner = nullptr;

// Cuts text to at most `limit` bytes without splitting a double-byte character.
std::string cut_sjis(const std::string& text, std::size_t limit) {
  if (text.size() <= limit) return text;
  std::size_t i = 0;
  while (i < limit) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t width = (c >= 0x80) ? 2 : 1;
    if (i + width > limit) break;
    i += width;
  }
  return text.substr(0, i);
}

std::string format_piece(const char* format, va_list args) {
  std::string work(work_capacity + 1, '\0');
  const int n = std::vsnprintf(work.data(), work.size(), format, args);
  if (n < 0) return std::string();
  work.resize(static_cast<std::size_t>(n) < work_capacity ? static_cast<std::size_t>(n) : work_capacity);
  return work;
}

void keep(const std::string& piece, bool is_banner) {
  g_last_message = cut_sjis(piece, last_message_capacity);
  if ((is_banner && g_echo.banners) || (!is_banner && g_echo.messages)) {
    platform::write_console(piece, true);
  }
}

}  // namespace

void log_message(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string piece = format_piece(format, args);
  va_end(args);
  keep(piece, false);
}

void log_section(const char* format, ...) {
  static const std::string rule = "-----------------------------------------------\r\n";
  va_list args;
  va_start(args, format);
  const std::string piece = format_piece(format, args);
  va_end(args);
  keep(rule, true);
  keep("    ", true);
  keep(piece, true);
  keep("\r\n", true);
  keep(rule, true);
}

void log_progress(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string piece = format_piece(format, args);
  va_end(args);
  keep("...", true);
  keep(piece, true);
  keep("...\r\n", true);
}

const std::string& last_message() { return g_last_message; }
void clear_last_message() { g_last_message.clear(); }
void set_log_echo(LogEcho echo) { g_echo = echo; }

void set_report_target(ReportTo target, void* owner_window) {
  g_report_to = target;
  g_owner = owner_window;
}

int run_and_report(const std::vector<std::string>& args) {
  const int result = run_job(args);
  if (result < 0) {
    if (g_report_to == ReportTo::console) platform::write_console(msg::usage, false);
    return result;
  }
  const std::string text = result == 0 ? std::string(msg::success) : g_last_message;
  if (g_report_to == ReportTo::message_box) {
    platform::show_message_box(text, g_owner);
  } else {
    std::string line = text;
    if (line.empty() || line.back() != '\n') line += '\n';
    platform::write_console(line, false);
  }
  return result;
}
