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
  const struct {
    const char* name;
    std::string text;
  } documents[] = {{"messages.md", messages_document()}, {"files.md", files_document()}};
  for (const auto& document : documents) {
    if (!platform::write_file_atomically(folder + document.name, document.text.data(), document.text.size())) {
      std::fprintf(stderr, "cannot write %s%s\n", folder.c_str(), document.name);
      return 1;
    }
  }
  return 0;
}
