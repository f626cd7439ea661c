#pragma once
#include <cstdio>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "core/format_check.hpp"
#include "core/messages.hpp"

// What a message is about: a file and, where there is one, its line and column header.
struct Place {
  Place(std::string file_name = {}, int line_number = 0, std::string header = {})
      : file(std::move(file_name)), line(line_number), column(std::move(header)) {}
  std::string file;
  int line;
  std::string column;
};

// Where each log line goes as it is made, besides the report: the front end installs one to
// show a job as it runs. Banner lines come with Severity::banner.
using ReportSink = std::function<void(Severity severity, const std::string& line)>;

struct ReportEntry {
  Severity severity;
  const char* id;
  std::string text;  // with its place, without line end
};

// Every message of one job, counted by severity. The log file, the console echo and the
// final text are made from it.
class Report {
 public:
  // Every call names a message of the catalogue by its constant (msg::x), and its values must
  // fit the message's printf text: a wrong count or kind does not compile.
  template <class M, class... Args>
  void add(const M& message, const Args&... args) {
    check<M, Args...>();
    record(message, format(M::format, args...));
  }
  // A message that the final text also shows, after its first line: a job's own results.
  template <class M, class... Args>
  void add_summary(const M& message, const Args&... args) {
    check<M, Args...>();
    summary_.push_back(format(M::format, args...));
    record(message, summary_.back());
  }
  // A frame of hyphens around a step's title, and a part of a step between dots.
  template <class M, class... Args>
  void section(const M&, const Args&... args) {
    check<M, Args...>();
    banner(format(M::format, args...), true);
  }
  template <class M, class... Args>
  void progress(const M&, const Args&... args) {
    check<M, Args...>();
    banner(format(M::format, args...), false);
  }
  // A message chosen at run time whose text takes only texts (%s), one for each of `texts`;
  // a message that does not fit is recorded with its text as it stands.
  void add_texts(const Message& message, const std::vector<std::string>& texts);

  // The place the next messages are about; PlaceScope sets it for a while.
  Place& place() { return place_; }
  void set_sink(ReportSink sink) { sink_ = std::move(sink); }

  int errors() const { return errors_; }
  int warnings() const { return warnings_; }
  const std::vector<ReportEntry>& entries() const { return entries_; }
  // The text of the latest message, as the log shows it; empty when there is none.
  std::string last() const;
  bool has(const Message& message) const;
  // The whole log: banners and messages in order, CR LF line ends.
  std::string log_text() const;
  // The text a job ends with: the success text, or the counts and, when `list_messages`, the
  // first messages.
  std::string final_text(const std::string& log_path = {}, bool list_messages = true) const;
  // The first errors, then warnings, one a line, and how many more there are.
  std::string messages_text() const;

  // Texts given as std::string are passed to printf as C strings.
  template <class T>
  static auto pass(const T& value) {
    if constexpr (std::is_same_v<T, std::string>) {
      return value.c_str();
    } else {
      return value;
    }
  }
  // printf into a string.
  template <class... Args>
  static std::string format(const char* text, const Args&... args) {
    if constexpr (sizeof...(Args) == 0) {
      return text;
    } else {
      const int n = std::snprintf(nullptr, 0, text, pass(args)...);
      if (n <= 0) return std::string();
      std::string out(static_cast<std::size_t>(n) + 1, '\0');
      std::snprintf(out.data(), out.size(), text, pass(args)...);
      out.resize(static_cast<std::size_t>(n));
      return out;
    }
  }

 private:
  template <class M, class... Args>
  static constexpr void check() {
    static_assert(std::is_base_of_v<Message, M>, "a report takes a message of the catalogue");
    static_assert(format_check::matches<Args...>(M::format), "the values do not fit the message's text");
  }
  void record(const Message& message, std::string text);
  void banner(const std::string& text, bool section);
  static std::string labelled(const ReportEntry& entry);

  Place place_;
  ReportSink sink_;
  int errors_ = 0;
  int warnings_ = 0;
  std::vector<ReportEntry> entries_;
  std::vector<std::string> log_;  // log lines, without line ends
  std::vector<std::string> summary_;
};

// Sets the report's place for as long as it lives; a null report is passed over.
class PlaceScope {
 public:
  PlaceScope(Report* report, Place place) : report_(report) {
    if (report_) {
      saved_ = std::move(report_->place());
      report_->place() = std::move(place);
    }
  }
  ~PlaceScope() {
    if (report_) report_->place() = std::move(saved_);
  }
  PlaceScope(const PlaceScope&) = delete;
  PlaceScope& operator=(const PlaceScope&) = delete;

 private:
  Report* report_;
  Place saved_;
};

// The name of a file without its folders, as messages about table files show it.
std::string file_name_of(const std::string& path);
