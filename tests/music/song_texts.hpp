#pragma once
#include <string>

// A whole song text as a dump writes it, around the given channel sections: the labels, the
// Wave and Drum lines given (sixteen and twelve rows of 00 by default), then `channels` and an
// empty section for each of Channel1-8 they lack. The lines of `channels` start at line 22.
inline std::string whole_song(const std::string& channels, const std::string& wave = {},
                              const std::string& drum = {}) {
  std::string text = "曲番号:00\nイベント曲番号:00\n仮曲名:曲00\n\nWave\n";
  text += wave.empty() ? " 00 00 00 00 00 00 00 00  00 00 00 00 00 00 00 00\n" : wave;
  text += "\nDrum\n";
  if (drum.empty()) {
    for (int k = 0; k < 12; ++k) text += " 00 00 00\n";
  } else {
    text += drum;
  }
  text += "\n" + channels;
  for (int k = 1; k <= 8; ++k) {
    const std::string header = "Channel" + std::to_string(k) + "\n";
    if (channels.find(header) == std::string::npos) text += header;
  }
  return text;
}
