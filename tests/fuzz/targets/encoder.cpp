// The encoder: counting agrees with writing, and a smaller room gives a prefix written
// inside the room only.
#include "adapters/encoder.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

#include "fuzz.hpp"

namespace fa = fuzz_adapter;

namespace {

const char* const target = "encoder";
constexpr std::uint8_t guard = 0xA5;
constexpr std::size_t guard_size = 8;

void check_room(const char* text, std::size_t length, bool newline, const std::vector<std::uint8_t>& whole,
                std::size_t capacity) {
  std::vector<std::uint8_t> out(capacity + guard_size, guard);
  const std::size_t n = fa::encode(out.data(), text, capacity, length, newline);
  if (n > capacity) fuzz_fail(target, "%zu bytes written into a room of %zu", n, capacity);
  if (std::memcmp(out.data(), whole.data(), n) != 0)
    fuzz_fail(target, "room %zu: the %zu bytes written are not a prefix of the whole", capacity, n);
  if (std::any_of(out.begin() + static_cast<std::ptrdiff_t>(n), out.end(),
                  [](std::uint8_t b) { return b != guard; }))
    fuzz_fail(target, "room %zu: bytes past the %zu written changed", capacity, n);
  // Only a two-byte code that does not fit may leave one byte of the room unused.
  if (capacity < whole.size() && n + 1 < capacity)
    fuzz_fail(target, "room %zu of %zu: only %zu bytes written", capacity, whole.size(), n);
}

}  // namespace

int fuzz_encoder(const std::uint8_t* data, std::size_t size) {
  const std::vector<char> bytes(data, data + size);
  for (const bool newline : {false, true}) {
    const std::size_t count = fa::encode(nullptr, bytes.data(), 0, size, newline);
    std::vector<std::uint8_t> whole(count + guard_size, guard);
    const std::size_t written = fa::encode(whole.data(), bytes.data(), count + guard_size, size, newline);
    if (written != count) fuzz_fail(target, "counted %zu bytes but wrote %zu", count, written);
    whole.resize(count);
    // Every room up to 256 bytes, then about 256 rooms spread over the rest.
    const std::size_t stride = count > 512 ? (count - 256) / 256 : 1;
    for (std::size_t capacity = 0; capacity < count; capacity += capacity < 256 ? 1 : stride)
      check_room(bytes.data(), size, newline, whole, capacity);
  }
  return fuzz_pass;
}
