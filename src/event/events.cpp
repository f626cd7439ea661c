#include "event/events.hpp"

// The event scripts are not converted yet.
void extract_events(const std::string&) {}
void build_events(const std::string&) {}
