#include <gtest/gtest.h>

#include "docs.hpp"
#include "test_support.hpp"

// The checked-in documents are what the program's tables give; run make_docs docs/ after
// changing a table or a message.
TEST(GeneratedDocs, CheckedInCopiesAreCurrent) {
  EXPECT_EQ(read_text(VARBEK_SOURCE_DIR "/docs/messages.md"), messages_document());
  EXPECT_EQ(read_text(VARBEK_SOURCE_DIR "/docs/files.md"), files_document());
}
