// Writes the generated documents: make_docs DOCS-FOLDER
#include <cstdio>
#include <string>

#include "core/files.hpp"
#include "docs.hpp"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_docs DOCS-FOLDER\n", stderr);
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  const std::string messages = messages_document();
  if (!platform::write_file(folder + "messages.md", messages.data(), messages.size())) {
    std::fprintf(stderr, "cannot write %smessages.md\n", folder.c_str());
    return 1;
  }
  return 0;
}
