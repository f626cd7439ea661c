// BPS patches: applying any bytes stays in bounds and leaves the target empty unless it
// succeeds; the patch made from a source and a target gives the target back from that source
// and refuses any other.
#include "adapters/bps.hpp"

#include <algorithm>

#include "fuzz.hpp"

namespace fa = fuzz_adapter;

namespace {

const char* const target = "bps";
using Bytes = fa::Bytes;
using fa::BpsResult;

constexpr std::size_t footer_size = 12;
// A repaired patch runs only with sizes up to this: a few bytes could ask for a gigabyte.
constexpr std::uint64_t max_run_size = 1 << 20;

BpsResult apply(const Bytes& patch, const Bytes& source, Bytes& out, fa::BpsInfo* info = nullptr) {
  out.clear();
  BpsResult result = BpsResult::ok;
  try {
    result = fa::bps_apply(patch, source, out, info);
  } catch (...) {
    fuzz_fail(target, "bps_apply threw on a patch of %zu bytes", patch.size());
  }
  if (result != BpsResult::ok && !out.empty())
    fuzz_fail(target, "result %d left %zu bytes in the target", static_cast<int>(result), out.size());
  return result;
}

void put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The CRC32s of the patch and of the source made right, so that any bytes reach the actions.
void seal(Bytes& patch, const Bytes& source) {
  put32(patch, patch.size() - footer_size, fa::crc32(source.data(), source.size()));
  put32(patch, patch.size() - 4, fa::crc32(patch.data(), patch.size() - 4));
}

void check_repaired(Bytes patch) {
  if (patch.size() < 4 + 3 + footer_size) return;
  std::copy_n("BPS1", 4, patch.begin());
  // First a source it cannot match, to learn the sizes it asks for.
  const Bytes probe{0};
  seal(patch, Bytes{1});
  fa::BpsInfo info;
  Bytes out;
  if (apply(patch, probe, out, &info) != BpsResult::wrong_source) return;
  if (info.expected_source_size > max_run_size ||
      (info.target_size > max_run_size && info.target_size <= fa::bps_max_target_size))
    return;
  Bytes source(static_cast<std::size_t>(info.expected_source_size));
  for (std::size_t i = 0; i < source.size(); ++i) source[i] = static_cast<std::uint8_t>(i);
  seal(patch, source);
  if (apply(patch, source, out, &info) == BpsResult::ok &&
      (out.size() != info.target_size || fa::crc32(out.data(), out.size()) != info.expected_target_crc))
    fuzz_fail(target, "ok with %zu bytes that are not the target promised", out.size());
}

void check_pair(const Bytes& source, const Bytes& wanted) {
  const Bytes patch = fa::bps_create(source, wanted);
  Bytes out;
  const BpsResult result = apply(patch, source, out);
  if (result != BpsResult::ok || out != wanted)
    fuzz_fail(target, "the patch of a %zu-byte source and a %zu-byte target gives result %d and %zu bytes",
              source.size(), wanted.size(), static_cast<int>(result), out.size());
  Bytes longer = source;
  longer.push_back(0);
  Bytes flipped = source;
  if (!flipped.empty()) flipped.back() ^= 1;
  for (const Bytes* other : {&longer, &flipped}) {
    if (*other != source && apply(patch, *other, out) != BpsResult::wrong_source)
      fuzz_fail(target, "a patch made for %zu source bytes took another %zu-byte source", source.size(),
                other->size());
  }
}

}  // namespace

// The input is a patch as it is and repaired; less its first byte, which says where to cut,
// it is also a source followed by a target.
int fuzz_bps(const std::uint8_t* data, std::size_t size) {
  const Bytes input(data, data + size);
  const std::size_t cut = size == 0 ? 0 : 1 + (size - 1) * data[0] / 255;
  const Bytes first(input.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(size, 1)),
                    input.begin() + static_cast<std::ptrdiff_t>(cut));
  const Bytes second(input.begin() + static_cast<std::ptrdiff_t>(cut), input.end());
  Bytes out;
  apply(input, first, out);
  check_repaired(input);
  check_pair(first, second);
  check_pair(second, first);
  return fuzz_pass;
}
