#include "core/ips.hpp"

#include <algorithm>
#include <new>

namespace {

constexpr std::uint8_t magic[] = {'P', 'A', 'T', 'C', 'H'};
constexpr std::uint8_t end_marker[] = {'E', 'O', 'F'};
// An offset whose three bytes spell "EOF" would read as the end of the patch.
constexpr std::uint32_t end_marker_offset = 0x454F46;
constexpr std::uint32_t offset_limit = 0x1000000;
constexpr std::size_t max_record = 0xFFFF;
// A run of one byte this long or longer is written as a run record, shorter ones as bytes.
constexpr std::size_t min_run = 9;

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t load(const std::uint8_t* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | p[i];
  return value;
}

std::size_t run_length(const std::vector<std::uint8_t>& target, std::size_t at, std::size_t end) {
  std::size_t n = 1;
  while (at + n < end && n < max_record && target[at + n] == target[at]) ++n;
  return n;
}

// A record of n bytes at `at` after which another record would start at the end marker's
// offset is made one byte shorter, or longer when it has only one.
std::size_t keep_clear_of_end_marker(std::size_t at, std::size_t n, std::size_t end) {
  if (at + n != end_marker_offset || at + n >= end) return n;
  return n > 1 ? n - 1 : n + 1;
}

// Records for target[at, end), all of whose bytes are to be written.
void put_records(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& target,
                 std::size_t at, std::size_t end) {
  while (at < end) {
    const std::size_t run = run_length(target, at, end);
    put(out, static_cast<std::uint32_t>(at), 3);
    if (run >= min_run) {
      const std::size_t n = keep_clear_of_end_marker(at, run, end);
      put(out, 0, 2);
      put(out, static_cast<std::uint32_t>(n), 2);
      out.push_back(target[at]);
      at += n;
      continue;
    }
    std::size_t n = 0;
    // Bytes up to the next long run, which gets a record of its own.
    while (at + n < end && n < max_record && (n == 0 || run_length(target, at + n, end) < min_run)) ++n;
    n = keep_clear_of_end_marker(at, n, end);
    put(out, static_cast<std::uint32_t>(n), 2);
    out.insert(out.end(), target.begin() + static_cast<std::ptrdiff_t>(at),
               target.begin() + static_cast<std::ptrdiff_t>(at + n));
    at += n;
  }
}

bool differs(const std::vector<std::uint8_t>& source, const std::vector<std::uint8_t>& target,
             std::size_t i) {
  return i >= source.size() || source[i] != target[i];
}

}  // namespace

bool ips_recognised(const std::vector<std::uint8_t>& patch) {
  return patch.size() >= sizeof magic && std::equal(magic, magic + sizeof magic, patch.begin());
}

std::vector<std::uint8_t> ips_create(const std::vector<std::uint8_t>& source,
                                     const std::vector<std::uint8_t>& target) {
  if (target.size() >= offset_limit || source.size() >= offset_limit) return {};
  try {
    std::vector<std::uint8_t> out(magic, magic + sizeof magic);
    std::size_t i = 0;
    while (i < target.size()) {
      if (!differs(source, target, i)) {
        ++i;
        continue;
      }
      std::size_t start = i;
      // Short stretches of equal bytes between changes cost less inside a record than as a
      // new record header (five bytes).
      std::size_t end = i + 1;
      for (std::size_t j = end; j < target.size() && j < end + 6; ++j) {
        if (differs(source, target, j)) end = j + 1;
      }
      while (end < target.size() && differs(source, target, end)) ++end;
      if (start == end_marker_offset) --start;  // one unchanged byte earlier
      put_records(out, target, start, end);
      i = end;
    }
    out.insert(out.end(), end_marker, end_marker + sizeof end_marker);
    if (target.size() < source.size()) put(out, static_cast<std::uint32_t>(target.size()), 3);
    return out;
  } catch (const std::bad_alloc&) {
    return {};
  }
}

IpsResult ips_apply(const std::vector<std::uint8_t>& patch, const std::vector<std::uint8_t>& source,
                    std::vector<std::uint8_t>& target, IpsInfo* info) {
  IpsInfo local;
  IpsInfo& found = info ? *info : local;
  if (!ips_recognised(patch)) return IpsResult::not_a_patch;
  try {
    std::vector<std::uint8_t> out(source);
    const std::uint8_t* p = patch.data() + sizeof magic;
    const std::uint8_t* const end = patch.data() + patch.size();
    for (;;) {
      if (end - p < 3) return IpsResult::patch_cut;
      if (std::equal(end_marker, end_marker + 3, p)) {
        p += 3;
        break;
      }
      found.offset = load(p, 3);
      if (end - p < 5) return IpsResult::patch_cut;
      std::uint32_t length = load(p + 3, 2);
      p += 5;
      const bool run = length == 0;
      if (run) {
        if (end - p < 3) return IpsResult::patch_cut;
        length = load(p, 2);
        p += 2;
      } else if (static_cast<std::size_t>(end - p) < length) {
        return IpsResult::patch_cut;
      }
      found.length = length;
      if (std::uint64_t{found.offset} + length > out.size()) return IpsResult::record_past_end;
      const auto at = out.begin() + found.offset;
      if (run) {
        std::fill(at, at + length, *p++);
      } else {
        std::copy(p, p + length, at);
        p += length;
      }
    }
    if (end - p >= 3) {
      const std::uint32_t size = load(p, 3);
      if (size > out.size()) return IpsResult::bad_truncation;
      out.resize(size);
    }
    target.swap(out);
    return IpsResult::ok;
  } catch (const std::bad_alloc&) {
    return IpsResult::out_of_memory;
  }
}
