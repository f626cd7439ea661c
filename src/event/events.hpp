#pragma once
#include <string>

#include "core/job_context.hpp"

// The three banks of event scripts, as "event1.csv" to "event3.csv" in the CSV folder.
void extract_events(JobContext& job, const std::string& folder);
void build_events(JobContext& job, const std::string& folder);
