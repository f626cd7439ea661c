#pragma once
#include <string>

#include "core/job_context.hpp"

// The music sequences, one "musicNN.txt" per song in the CSV folder.
void dump_music(JobContext& job, const std::string& folder);
void rebuild_music(JobContext& job, const std::string& folder);
