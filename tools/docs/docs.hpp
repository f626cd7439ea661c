#pragma once
#include <string>

// The documents generated from the program's own tables, as UTF-8 Markdown. The checked-in
// copies under docs/ are compared with these by a test, so they never go stale.
std::string messages_document();
