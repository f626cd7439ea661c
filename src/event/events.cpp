#include "event/events.hpp"

#include <new>

#include "core/report.hpp"
#include "core/messages.hpp"
#include "event/event_bank.hpp"
#include "event/event_csv.hpp"
#include "event/event_messages.hpp"
#include "event/event_tags.hpp"

void extract_events(JobContext& job, const std::string& folder) {
  if (folder.empty()) return;
  try {
    EventBank bank;
    job.report.section(msg::load_banner, event_msg::name);
    const TagTable tags = event_tag_table(job.start_folder);
    for (int b = 0; b < event_bank_count; ++b) {
      load_event_bank(job, bank, b);
      write_event_csv(job, folder, bank, b, tags);
    }
  } catch (const std::bad_alloc&) {
    job.report.add(msg::out_of_memory);
  }
}

void build_events(JobContext& job, const std::string& folder) {
  if (folder.empty()) return;
  try {
    EventBank bank;
    job.report.section(msg::event_banner, event_msg::name);
    for (int b = 0; b < event_bank_count; ++b) {
      load_event_bank(job, bank, b);
      if (read_event_csv(job, folder, bank, b) == Status::ok) store_event_bank(job, bank, b);
    }
  } catch (const std::bad_alloc&) {
    job.report.add(msg::out_of_memory);
  }
}
