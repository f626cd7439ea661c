#pragma once
#include <string>
#include <string_view>
#include <vector>

class Report;

// The program's text files are Shift-JIS (code page 932); a spreadsheet may save them back as
// UTF-8. Conversions never depend on the process locale and keep every byte of ASCII, CR and
// LF included, as it is. A character with no form in the other encoding becomes the full-width
// space U+3000 (Shift-JIS 0x81 0x40, the game's blank glyph) and its line is reported.
namespace text_encoding {

bool has_utf8_bom(std::string_view bytes);
// Valid UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF) holding at least one
// multi-byte character. Shift-JIS text rarely passes (see the definition), but can: "縺　"
// is also "ぁ@". No rule tells such a text apart; a BOM does.
bool looks_like_utf8(std::string_view bytes);

// A file's text, read in either encoding, as Shift-JIS.
struct DecodedFile {
  std::string sjis;
  bool was_utf8 = false;
  bool had_bom = false;
  // Well-formed in both encodings, and read as Shift-JIS because its UTF-8 reading would have
  // lost characters.
  bool read_as_sjis = false;
  // The line (from 1, counting LF) of every character that became U+3000, once per character.
  std::vector<int> lost_lines;
};
// With a UTF-8 BOM the file is UTF-8 (the BOM is dropped). Without one it is UTF-8 when
// looks_like_utf8 says so, unless its UTF-8 reading loses characters and it is well-formed
// Shift-JIS; else it is Shift-JIS and kept byte for byte.
DecodedFile file_text_to_sjis(std::string bytes);
// Reports the file's lost characters at their lines, and a reading as Shift-JIS that UTF-8
// would also have allowed.
void report_decoded(Report& report, const std::string& file_name, const DecodedFile& file);

// Text without a BOM. `lost_lines`, when given, receives the lines as in DecodedFile; bytes
// that are no character of the source encoding count as lost characters, one each.
std::string utf8_to_sjis(std::string_view utf8, std::vector<int>* lost_lines = nullptr);
std::string sjis_to_utf8(std::string_view sjis, std::vector<int>* lost_lines = nullptr);
// For files a spreadsheet is to open as UTF-8.
std::string sjis_to_utf8_with_bom(std::string_view sjis, std::vector<int>* lost_lines = nullptr);

namespace detail {

enum class Target { cp932, utf8 };

// The platform's converter from UTF-8 to code page 932 or back (text_encoding_posix.cpp,
// text_encoding_win32.cpp).
class Codec {
 public:
  explicit Codec(Target target);
  ~Codec();
  Codec(const Codec&) = delete;
  Codec& operator=(const Codec&) = delete;

  // Appends all of `in` converted and returns true, or appends nothing and returns false when
  // a character of `in` has no form in the target or is malformed.
  bool append(std::string_view in, std::string& out);

 private:
  Target target_;
  void* handle_ = nullptr;
};

}  // namespace detail
}  // namespace text_encoding
