#include "music/music.hpp"

// The music is not converted yet.
void dump_music(const std::string&) {}
void rebuild_music(const std::string&) {}
