// The decoder, with the default and the event scripts' tag table: a cut output is a prefix of
// the whole, and game text decoded and encoded again gives the same bytes.
#include "adapters/decoder.hpp"

#include <string>
#include <vector>

#include "fuzz.hpp"

namespace fa = fuzz_adapter;

namespace {

const char* const target = "decoder";

void check(const std::vector<std::uint8_t>& bytes, bool event_tags) {
  const char* table = event_tags ? "event tags" : "default tags";
  const std::size_t total = fa::decode(nullptr, bytes.data(), 0, bytes.size(), event_tags);
  std::string text;
  if (fa::decode(&text, bytes.data(), total, bytes.size(), event_tags) != total || text.size() != total)
    fuzz_fail(target, "%s: counted %zu characters but gave %zu", table, total, text.size());
  const std::size_t stride = total > 128 ? total / 64 : 1;
  for (std::size_t capacity = 0; capacity < total; capacity += stride) {
    std::string cut = "kept";
    const std::size_t n = fa::decode(&cut, bytes.data(), capacity, bytes.size(), event_tags);
    if (n != total || cut.size() > capacity + 4 || cut.compare(0, 4, "kept") != 0 ||
        text.compare(0, cut.size() - 4, cut, 4) != 0)
      fuzz_fail(target, "%s, capacity %zu: the output is no prefix of the whole text within the room", table,
                capacity);
  }

  const std::size_t count = fa::encode(nullptr, text.data(), 0, text.size());
  std::vector<std::uint8_t> again(count);
  if (count != 0 && fa::encode(again.data(), text.data(), count, text.size()) != count)
    fuzz_fail(target, "%s: the encoder counted %zu bytes and wrote fewer", table, count);
  if (again == bytes) return;
  std::size_t at = 0;
  while (at < bytes.size() && at < again.size() && bytes[at] == again[at]) ++at;
  fuzz_fail(target, "%s: %zu bytes came back as %zu; first difference at byte %zu", table, bytes.size(),
            again.size(), at);
}

}  // namespace

int fuzz_decoder(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  check(bytes, false);
  check(bytes, true);
  return fuzz_pass;
}
