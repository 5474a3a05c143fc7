// fixture-content --out DIR [--form dir|qel|both] [--voice tone|speech]: writes the synthetic content set.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "fixture-content/ContentDatabases.h"
#include "fixture-content/ContentModule.h"

int main(int argc, char** argv) {
  std::string error;
  const auto options = fixture::ParseContentOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr,
                 "fixture-content: %s\nusage: fixture-content --out DIR [--form dir|qel|both] "
                 "[--voice tone|speech]\n",
                 error.c_str());
    return 2;
  }
  try {
    fixture::OutputTree tree;
    fixture::Manifest manifest;
    fixture::GenerateContent(fixture::AllDatabases(), *options, tree, manifest);
    fixture::WriteTree(tree, options->m_out, options->m_form);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "fixture-content: %s\n", failure.what());
    return 1;
  }
  return 0;
}
