#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "music/song.hpp"

class CsvReader;
class Report;
struct JobContext;

// One song as annotated text: "musicNN.txt" in the folder. A file that cannot be created is
// reported and skipped.
void write_song_text(JobContext& job, const SongRecord& record, const std::string& folder);
// The same text with "\n" line ends.
std::string song_text(const SongRecord& record);

// What a song text held of what every whole one holds.
struct SongTextRead {
  std::string missing;                  // the first label or header it lacks; empty when none
  bool wave = false;                    // the Wave row, read whole
  std::array<bool, drum_count> drum{};  // each Drum row, read whole
};

// Fills the record's wave, drum, data and, per channel, the offset of its bytes in the data
// (-1 for a channel without bytes) in both address arrays, and the line of each data byte.
// The data holds the lead ("Channel0"), then the channels in the order of their first header;
// a channel whose header comes again goes on after its earlier bytes. A value is two hex digits
// (two to four in the Wave row); jump targets the text names by channel ("ChN+XXXX") or as kept
// values ("$XXXX") go to named_targets, their two data bytes holding the value for now. Every
// other word is reported, when a report is given, and not stored; so are lines with an unknown
// channel number, repeated headers and Wave or Drum rows of the wrong length.
SongTextRead parse_song_text(CsvReader& file, SongRecord& record, Report* report = nullptr);
