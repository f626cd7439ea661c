#pragma once
#include <string>

// The three banks of event scripts, as "event1.csv" to "event3.csv" in the CSV folder.
void extract_events(const std::string& folder);
void build_events(const std::string& folder);
