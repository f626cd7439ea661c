#include "text/text_file.hpp"

#include "app/message_log.hpp"

// The text conversion modes are not available yet.
int decode_file(const std::string&, const std::string&, int) {
  log_message("文字列デコードはまだ使えません\n");
  return 1;
}
int encode_file(const std::string&, const std::string&, bool) {
  log_message("文字列エンコードはまだ使えません\n");
  return 1;
}
