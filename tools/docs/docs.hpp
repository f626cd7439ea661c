#pragma once
#include <string>
#include <vector>

// The documents generated from the program's own tables, as UTF-8 Markdown. The checked-in
// copies under docs/ are compared with these by a test, so they never go stale.
std::string messages_document();
// The guide to the files of the CSV folder, made from the table descriptions.
std::string files_document();

// Text made safe for one cell of a Markdown table.
std::string table_cell(const std::string& text);

// The Japanese meaning of a message, by its id, or nullptr when it has none yet.
const char* meaning_ja(const char* id);
// The ids that have a Japanese meaning.
std::vector<std::string> translated_message_ids();
// The Japanese of a note a table's codec gives in English, or nullptr.
const char* codec_note_ja(const char* note);

// What the documents would show in English only: the ids of the listed messages without a
// Japanese meaning (and meanings whose id no message has), and the columns ("file: header")
// whose note has no Japanese. Empty when both languages are complete.
std::vector<std::string> messages_without_japanese();
std::vector<std::string> notes_without_japanese();
