#pragma once
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

// The next hexadecimal number in the line from `position`, leaving `position` on the
// character after it; -1 when the line holds no more. ";" ends the line.
std::int32_t read_hex_token(const std::string& line, std::size_t& position, std::size_t limit);

// Fills the record's wave, drum, data and, per channel, the offset of its bytes in the data
// (-1 for a channel without bytes) in both address arrays. The data holds the lead
// ("Channel0"), then the channels in the order of their first header; a channel whose header
// comes again goes on after its earlier bytes. Jump targets the text names by channel
// ("ChN+XXXX") or as kept values ("$XXXX") go to named_targets, their two data bytes holding
// the value for now. Lines with an unknown channel number, repeated headers and forms that
// cannot be read are reported when a report is given.
void parse_song_text(CsvReader& file, SongRecord& record, Report* report = nullptr);
