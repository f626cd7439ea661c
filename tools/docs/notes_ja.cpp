#include <cstring>

#include "docs.hpp"

namespace {

struct NoteJa {
  const char* english;
  const char* japanese;
};

// The notes a table's own codec gives (in English, beside its code) in Japanese, one line
// each. The other notes are put together from the field's bits in both languages.
const NoteJa codec_notes[] = {
    {"the byte holds the running total of the rates up to this one (mod 256); a build cuts the rates so that their sum stays within 255", u8"このバイトには、最初からこの確率までの合計（256で割った余り）が入ります。ビルドでは合計が255以下になるように確率を減らします"},
    {"bit 2 the sign (set: negative), bits 1-0 the magnitude", u8"ビット2が符号（1なら負）、ビット1～0が大きさです"},
};

}  // namespace

const char* codec_note_ja(const char* note) {
  for (const NoteJa& entry : codec_notes) {
    if (std::strcmp(entry.english, note) == 0) return entry.japanese;
  }
  return nullptr;
}
