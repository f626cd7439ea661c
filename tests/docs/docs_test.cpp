#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text_encoding.hpp"
#include "docs.hpp"
#include "test_support.hpp"

namespace {

std::string joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

}  // namespace

// The checked-in documents are what the program's tables give; run make_docs docs/ after
// changing a table or a message.
TEST(GeneratedDocs, CheckedInCopiesAreCurrent) {
  EXPECT_EQ(read_text(VARBEK_SOURCE_DIR "/docs/messages.md"), messages_document());
  EXPECT_EQ(read_text(VARBEK_SOURCE_DIR "/docs/files.md"), files_document());
  // The program's own texts are Shift-JIS once compiled: one put in unconverted would
  // show as garbage on GitHub.
  EXPECT_TRUE(text_encoding::looks_like_utf8(messages_document()));
  EXPECT_TRUE(text_encoding::looks_like_utf8(files_document()));
}

// Players read the documents in Japanese: a new message or column note needs its Japanese
// text too, in tools/docs/meanings_ja.cpp or tools/docs/notes_ja.cpp.
TEST(GeneratedDocs, EveryMeaningAndNoteIsInJapanese) {
  EXPECT_EQ("", joined(messages_without_japanese())) << "messages without a Japanese meaning";
  EXPECT_EQ("", joined(notes_without_japanese())) << "column notes without Japanese";
}
