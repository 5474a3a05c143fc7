// The string table module: "PiloStr.txt" beside the databases, for the run script to copy.
#include "fixture-content/ContentModule.h"
#include "fixture-content/TextContent.h"

namespace fixture {

namespace {

class StringTableModule : public ContentModule {
public:
  const char* Name() const override { return "string table"; }

  void Write(const std::vector<DatabaseSpec>&, const ContentOptions&, OutputTree& tree, Manifest&) override {
    tree.AddTopLevel("PiloStr.txt", StringTableText());
  }
};

}  // namespace

std::unique_ptr<ContentModule> MakeStringTableModule() {
  return std::make_unique<StringTableModule>();
}

}  // namespace fixture
