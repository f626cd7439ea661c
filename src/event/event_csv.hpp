#pragma once
#include <string>

#include "core/job_context.hpp"
#include "core/status.hpp"
#include "event/event_bank.hpp"
#include "text/decoder.hpp"

// Event file b + 1 in the folder: a preamble, an empty line, the header, then one row per
// entry, "0x%02X," with its number and the decoded text followed by ",".
void write_event_csv(JobContext& job, const std::string& folder, const EventBank& bank, int b,
                     const TagTable& tags);
// Repacks the bank's text area from the rows, in the order of their IDs when each is there once
// (else in file order, with a warning), and sets the pointers to follow; an emptied row keeps
// the image's entry, which `bank` holds when called. Fails when the file cannot be read or its
// text does not fit the area: the bank must keep the image's bytes.
Status read_event_csv(JobContext& job, const std::string& folder, EventBank& bank, int b);
