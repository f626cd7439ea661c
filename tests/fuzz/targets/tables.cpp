// Every table's read, store and extract, through table jobs on the sample image: the input
// takes the place of one table file, a build changes nothing outside the tables' areas, and its
// extract builds to the same image again. The first input byte picks the file; the rest is its
// start, followed by the sample's lines after as many as it holds, so short inputs make whole files.
#include "adapters/tables.hpp"

#include <algorithm>
#include <cstring>
#include <string>

#include "fuzz.hpp"

namespace fa = fuzz_adapter;

namespace {

const char* const target = "tables";

// What a build may change in the sample, whose ROM offsets are its file's: the checksum of the
// header and of its copy, the monsters' sizes and the bank of the tables, names and events.
struct Area {
  std::size_t begin;
  std::size_t end;
};
constexpr Area checksums[] = {{0xFFDC, 0xFFE0}, {0x40FFDC, 0x40FFE0}};
constexpr Area table_areas[] = {
    {0xFFDC, 0xFFE0}, {0x26E400, 0x26E400 + 320}, {0x3A0000, 0x3F0000}, {0x40FFDC, 0x40FFE0}};

// The first offset at which the images differ outside the areas, or npos; the areas lie in order.
template <std::size_t n>
std::size_t first_difference(const fa::Bytes& a, const fa::Bytes& b, const Area (&skipped)[n]) {
  std::size_t from = 0;
  for (std::size_t i = 0; i <= n; ++i) {
    const std::size_t to = i < n ? skipped[i].begin : a.size();
    if (std::memcmp(a.data() + from, b.data() + from, to - from) != 0)
      return static_cast<std::size_t>(
          std::mismatch(a.begin() + from, a.begin() + to, b.begin() + from).first - a.begin());
    if (i < n) from = skipped[i].end;
  }
  return std::string::npos;
}

// The text after its first `lines` lines.
std::string lines_after(const std::string& text, std::ptrdiff_t lines) {
  std::size_t at = 0;
  for (; lines > 0 && at < text.size(); --lines) {
    const std::size_t lf = text.find('\n', at);
    at = lf == std::string::npos ? text.size() : lf + 1;
  }
  return text.substr(at);
}

}  // namespace

int fuzz_tables(const std::uint8_t* data, std::size_t size) {
  const fa::TablesSample& sample = fa::tables_sample();
  if (sample.image.empty()) fuzz_fail(target, "the sample or its extract could not be made");
  if (size == 0) return fuzz_pass;
  const std::size_t which = data[0] % fa::table_file_count;
  const char* const name = fa::table_files[which];
  const std::string head(data + 1, data + size);
  const std::string contents =
      head + lines_after(sample.files[which], std::count(head.begin(), head.end(), '\n'));
  fa::Bytes built;
  if (fa::build_with_table(which, contents, built) != JobResult::done) fuzz_fail(target, "%s: the build failed", name);
  if (built.size() != sample.image.size())
    fuzz_fail(target, "%s: the build has %zu bytes, the sample %zu", name, built.size(), sample.image.size());
  const std::size_t changed = first_difference(built, sample.image, table_areas);
  if (changed != std::string::npos)
    fuzz_fail(target, "%s: the build changed ROM offset 0x%zX, outside the tables", name, changed);
  fa::Bytes rebuilt;
  if (fa::rebuild_from_build(rebuilt) != JobResult::done)
    fuzz_fail(target, "%s: extracting the build or building that failed", name);
  if (rebuilt != built)
    fuzz_fail(target, "%s: the extract of the build builds another image (first difference 0x%zX)", name,
              first_difference(built, rebuilt, checksums));
  return fuzz_pass;
}
