#include "core/report.hpp"

#include <cstring>

#include "core/platform.hpp"
#include "core/sjis.hpp"

namespace {

constexpr std::size_t final_text_messages = 10;

std::string placed(const Place& place, const std::string& text) {
  if (place.file.empty()) return text;
  std::string where = place.line > 0 ? Report::format(msg::at_line.text, place.file, place.line)
                                     : place.file;
  if (!place.column.empty()) where += " " + place.column;
  return where + ": " + text;
}

}  // namespace

std::string file_name_of(const std::string& path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += sjis::char_length(path, i)) {
    if (platform::is_separator(path[i])) start = i + 1;
  }
  return path.substr(start);
}

void Report::record(const Message& message, std::string text) {
  ReportEntry entry{message.severity, message.id, placed(place_, text)};
  if (entry.severity == Severity::error) ++errors_;
  if (entry.severity == Severity::warning) ++warnings_;
  std::string line = labelled(entry);
  if (sink_) sink_(entry.severity, line);
  log_.push_back(std::move(line));
  entries_.push_back(std::move(entry));
}

void Report::add_texts(const Message& message, const std::vector<std::string>& texts) {
  std::vector<format_check::Kind> kinds(texts.size(), format_check::Kind::text);
  if (!format_check::matches(message.text, kinds.data(), kinds.size())) return record(message, message.text);
  switch (texts.size()) {
    case 0: return record(message, format(message.text));
    case 1: return record(message, format(message.text, texts[0]));
    case 2: return record(message, format(message.text, texts[0], texts[1]));
    default: return record(message, format(message.text, texts[0], texts[1], texts[2]));
  }
}

void Report::banner(const std::string& text, bool section) {
  static const std::string rule = "-----------------------------------------------";
  std::vector<std::string> lines;
  if (section) {
    lines = {rule, "    " + text, rule};
  } else {
    lines = {"..." + text + "..."};
  }
  for (std::string& line : lines) {
    if (sink_) sink_(Severity::banner, line);
    log_.push_back(std::move(line));
  }
}

std::string Report::labelled(const ReportEntry& entry) {
  switch (entry.severity) {
    case Severity::error: return format(msg::error_label.text, entry.text);
    case Severity::warning: return format(msg::warning_label.text, entry.text);
    default: return entry.text;
  }
}

std::string Report::last() const { return entries_.empty() ? std::string() : labelled(entries_.back()); }

bool Report::has(const Message& message) const {
  for (const ReportEntry& entry : entries_) {
    if (std::strcmp(entry.id, message.id) == 0) return true;
  }
  return false;
}

std::string Report::log_text() const {
  std::string text;
  for (const std::string& line : log_) text += line + "\r\n";
  return text;
}

std::string Report::messages_text() const {
  std::string text;
  std::size_t shown = 0;
  for (const Severity severity : {Severity::error, Severity::warning}) {
    for (const ReportEntry& entry : entries_) {
      if (entry.severity != severity || shown == final_text_messages) continue;
      text += (text.empty() ? "" : "\n") + labelled(entry);
      ++shown;
    }
  }
  const std::size_t total = static_cast<std::size_t>(errors_ + warnings_);
  if (total > shown) text += "\n" + format(msg::more_messages.text, static_cast<int>(total - shown));
  return text;
}

std::string Report::final_text(const std::string& log_path, bool list_messages) const {
  std::string summary;
  for (const std::string& line : summary_) summary += "\n" + line;
  if (errors_ == 0 && warnings_ == 0) return msg::success.text + summary;
  std::string text = format(msg::finished_with_problems.text, errors_, warnings_) + summary;
  if (list_messages) text += "\n" + messages_text();
  if (!log_path.empty()) text += "\n" + format(msg::full_log.text, log_path);
  return text;
}
