#include "text/text_file.hpp"

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "core/files.hpp"
#include "core/messages.hpp"
#include "core/report.hpp"
#include "core/text_encoding.hpp"
#include "text/decoder.hpp"
#include "text/encoder.hpp"

namespace {

bool read_input(Report& report, const std::string& path, std::string& data) {
  if (platform::read_file(path, data)) return true;
  report.add(msg::cannot_open, path);
  return false;
}

bool write_output(Report& report, const std::string& path, const void* data, std::size_t size) {
  if (platform::write_file_atomically(path, data, size)) return true;
  report.add(msg::cannot_write, path);
  return false;
}

// The text is read as a text stream: a CR LF pair arrives as one line feed, so the offsets
// of unmapped characters count it as one byte on every platform.
void join_line_ends(std::string& data) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n') continue;
    data[kept++] = data[i];
  }
  data.resize(kept);
}

}  // namespace

Status decode_file(Report& report, const std::string& input, const std::string& output,
                   int /*decode_number*/) {
  try {
    std::string data;
    if (!read_input(report, input, data)) return Status::failed;
    const auto* source = reinterpret_cast<const std::uint8_t*>(data.data());
    std::string text;
    text.reserve(decode_text(nullptr, source, 0, data.size()) + 1);
    decode_text(&text, source, text.capacity(), data.size(), &report);
    return write_output(report, output, text.data(), text.size()) ? Status::ok : Status::failed;
  } catch (const std::bad_alloc&) {
    report.add(msg::out_of_memory);
    return Status::failed;
  }
}

Status encode_file(Report& report, const std::string& input, const std::string& output,
                   bool newline_flag) {
  try {
    std::string data;
    if (!read_input(report, input, data)) return Status::failed;
    text_encoding::DecodedFile decoded = text_encoding::file_text_to_sjis(std::move(data));
    text_encoding::report_decoded(report, file_name_of(input), decoded);
    data = std::move(decoded.sjis);
    join_line_ends(data);
    // The counting pass reports: it sees the whole text, also one that gives no bytes.
    const std::size_t count = encode_text(nullptr, data.data(), 0, data.size(), newline_flag, &report);
    std::vector<std::uint8_t> bytes(count + 1);
    const std::size_t written = encode_text(bytes.data(), data.data(), count, data.size(), newline_flag);
    return write_output(report, output, bytes.data(), written == count ? count : 0) ? Status::ok : Status::failed;
  } catch (const std::bad_alloc&) {
    report.add(msg::out_of_memory);
    return Status::failed;
  }
}
