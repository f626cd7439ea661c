#include "core/messages.hpp"

namespace {

const Message* const catalogue[] = {
#define VARBEK_MESSAGE(id, severity, text, meaning) &msg::id,
#include "core/message_list.hpp"
#undef VARBEK_MESSAGE
};

}  // namespace

const Message* const* message_catalogue(std::size_t* count) {
  *count = sizeof catalogue / sizeof catalogue[0];
  return catalogue;
}
