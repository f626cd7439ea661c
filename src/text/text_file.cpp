#include "text/text_file.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <new>
#include <vector>

#include "app/message_log.hpp"
#include "app/messages.hpp"
#include "app/platform.hpp"
#include "text/decoder.hpp"
#include "text/encoder.hpp"

namespace {

// Both files of a conversion, opened in the order whose failures the user is told about.
struct Files {
  platform::File input;
  platform::File output;
};

bool open_files(const std::string& input, const std::string& output, Files& files) {
  files.input = platform::open_file(input, "rb");
  if (!files.input) {
    log_message(msg::cannot_open, input.c_str());
    return false;
  }
  files.output = platform::open_file(output, "wb");
  if (!files.output) {
    log_message(msg::cannot_open, output.c_str());
    return false;
  }
  return true;
}

bool allocate(std::vector<char>& buffer, std::size_t size) {
  try {
    buffer.assign(size, 0);
    return true;
  } catch (const std::bad_alloc&) {
    log_message(msg::out_of_memory);
    return false;
  }
}

// Reads the whole input into a buffer with one zero byte after its data.
bool read_whole(std::FILE* file, const std::string& path, std::vector<char>& data,
                std::size_t& length) {
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    log_message(msg::cannot_open, path.c_str());
    return false;
  }
  if (!allocate(data, static_cast<std::size_t>(size) + 1)) return false;
  length = std::fread(data.data(), 1, static_cast<std::size_t>(size), file);
  return true;
}

// The text is read as a text stream: a CR LF pair arrives as one line feed, so the offsets
// of unmapped characters count it as one byte on every platform.
std::size_t join_line_ends(std::vector<char>& data, std::size_t length) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (data[i] == '\r' && i + 1 < length && data[i + 1] == '\n') continue;
    data[kept++] = data[i];
  }
  return kept;
}

// A failed write must not pass for a finished conversion.
bool finish_output(Files& files, const std::string& output, const char* data, std::size_t size) {
  const bool written = std::fwrite(data, 1, size, files.output.get()) == size;
  const bool closed = std::fclose(files.output.release()) == 0;
  if (written && closed) return true;
  log_message(msg::cannot_open, output.c_str());
  return false;
}

}  // namespace

int decode_file(const std::string& input, const std::string& output, int /*decode_number*/) {
  Files files;
  if (!open_files(input, output, files)) return 1;
  std::vector<char> data;
  std::size_t length = 0;
  if (!read_whole(files.input.get(), input, data, length)) return 1;
  const auto* source = reinterpret_cast<const std::uint8_t*>(data.data());
  const std::size_t count = decode_text(nullptr, source, 0, length);
  std::string text;
  try {
    text.reserve(count + 1);
  } catch (const std::bad_alloc&) {
    log_message(msg::out_of_memory);
    return 1;
  }
  if (decode_text(&text, source, count, length) != count) text.clear();
  return finish_output(files, output, text.data(), text.size()) ? 0 : 1;
}

int encode_file(const std::string& input, const std::string& output, bool newline_flag) {
  Files files;
  if (!open_files(input, output, files)) return 1;
  std::vector<char> data;
  std::size_t length = 0;
  if (!read_whole(files.input.get(), input, data, length)) return 1;
  length = join_line_ends(data, length);
  const std::size_t count = encode_text(nullptr, data.data(), 0, length, newline_flag);
  std::vector<char> bytes;
  if (!allocate(bytes, count + 1)) return 1;
  const std::size_t written = encode_text(reinterpret_cast<std::uint8_t*>(bytes.data()),
                                          data.data(), count, length, newline_flag);
  return finish_output(files, output, bytes.data(), written == count ? count : 0) ? 0 : 1;
}
