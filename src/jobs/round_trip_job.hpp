#pragma once
#include <string>

#include "core/job_context.hpp"
#include "jobs/job.hpp"

// The round trip of a player's image: everything extracted (music included) into a temporary
// folder outside the ROM's own, built again in memory, and compared with the input byte for
// byte. Each area that would change is named with its first differing file offset and the
// warnings of the extract or build that name it. Done when the image comes back unchanged,
// failed when it does not or the check could not run.
JobResult run_round_trip(JobContext& job, const std::string& rom_path);
// What the final text adds after a check that came back unchanged, which a list of warnings
// and errors would not show: a line break and the verdict; "" otherwise.
std::string round_trip_verdict(const Report& report);
