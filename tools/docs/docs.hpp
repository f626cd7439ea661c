#pragma once
#include <string>

// The documents generated from the program's own tables, as UTF-8 Markdown. The checked-in
// copies under docs/ are compared with these by a test, so they never go stale.
std::string messages_document();
// The guide to the files of the CSV folder, made from the table descriptions.
std::string files_document();

// Text made safe for one cell of a Markdown table.
std::string table_cell(const std::string& text);
