#pragma once
#include <string>

// The music sequences, one "musicNN.txt" per song in the CSV folder.
void dump_music(const std::string& folder);
void rebuild_music(const std::string& folder);
