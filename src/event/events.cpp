#include "event/events.hpp"

#include <new>

#include "app/message_log.hpp"
#include "app/messages.hpp"
#include "event/event_bank.hpp"
#include "event/event_csv.hpp"
#include "event/event_messages.hpp"
#include "event/event_tags.hpp"

void extract_events(const std::string& folder) {
  if (folder.empty()) return;
  try {
    EventBank bank;
    log_section(msg::load_banner, event_msg::name);
    const EventTagArguments installed;
    for (int b = 0; b < event_bank_count; ++b) {
      load_event_bank(bank, b);
      write_event_csv(folder, bank, b);
    }
  } catch (const std::bad_alloc&) {
    log_message(msg::out_of_memory);
  }
}

void build_events(const std::string& folder) {
  if (folder.empty()) return;
  try {
    EventBank bank;
    log_section(event_msg::build_banner, event_msg::name);
    for (int b = 0; b < event_bank_count; ++b) {
      load_event_bank(bank, b);
      if (read_event_csv(folder, bank, b) == 0) store_event_bank(bank, b);
    }
  } catch (const std::bad_alloc&) {
    log_message(msg::out_of_memory);
  }
}
