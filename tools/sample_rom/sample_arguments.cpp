#include "sample_arguments.hpp"

#include <cstdlib>

namespace {

// A whole decimal or 0x hexadecimal number no larger than `limit`.
bool read_number(const std::string& text, unsigned long long limit, unsigned long long& value) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return false;
  char* end = nullptr;
  value = std::strtoull(text.c_str(), &end, 0);
  return *end == '\0' && value <= limit;
}

}  // namespace

SampleRequest parse_sample_arguments(const std::vector<std::string>& args) {
  SampleRequest request;
  auto wrong = [&request](std::string fault) {
    request.kind = SampleRequest::Kind::wrong;
    request.fault = std::move(fault);
    return request;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      request.kind = SampleRequest::Kind::help;
      return request;
    }
    if (arg == "--shifted") {
      request.options.shifted = true;
      continue;
    }
    if (arg == "--size" || arg == "--seed" || arg == "--revision") {
      unsigned long long value = 0;
      const unsigned long long limit = arg == "--size" ? 0x1000000 : arg == "--seed" ? 0xFFFFFFFF : 0xFF;
      if (i + 1 == args.size() || !read_number(args[i + 1], limit, value)) {
        return wrong(arg + " needs a number up to " + std::to_string(limit));
      }
      ++i;
      if (arg == "--size") request.options.size = static_cast<std::size_t>(value);
      if (arg == "--seed") request.options.seed = static_cast<std::uint32_t>(value);
      if (arg == "--revision") request.options.revision = static_cast<std::uint8_t>(value);
      continue;
    }
    if (arg.empty() || arg[0] == '-') return wrong("unknown option '" + arg + "'");
    if (!request.out.empty()) return wrong("more than one output: '" + arg + "'");
    request.out = arg;
  }
  if (request.out.empty()) return wrong("no output named");
  request.kind = SampleRequest::Kind::write;
  return request;
}
