#pragma once
#include <string>

#include "core/job_context.hpp"
#include "table/bits.hpp"

// The whole conversion: the twelve tables in their fixed order, then the event scripts and,
// with the music flag, the music.
void run_pipeline(JobContext& job, const std::string& folder, Direction direction, bool music);
