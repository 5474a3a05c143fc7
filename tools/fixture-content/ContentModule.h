// A part of the generator: it turns the databases' tables into files and manifest entries. The
// modules run in the order of ContentModules(); a new kind of content is one more module there.
#pragma once

#include <memory>
#include <vector>

#include "fixture-content/ContentOptions.h"
#include "fixture-content/ContentSpec.h"
#include "fixture-content/Manifest.h"
#include "fixture-content/OutputTree.h"

namespace fixture {

class ContentModule {
public:
  virtual ~ContentModule() = default;

  // For messages.
  virtual const char* Name() const = 0;
  // Adds its files to the tree and its entries to the manifest. Failures are std::runtime_error;
  // a fallback (a tone for a line espeak-ng could not speak) is a "WARN:" line on stderr.
  virtual void Write(const std::vector<DatabaseSpec>& databases, const ContentOptions& options,
                     OutputTree& tree, Manifest& manifest) = 0;
};

// The modules of this folder.
std::unique_ptr<ContentModule> MakeTextModule();
std::unique_ptr<ContentModule> MakeSpriteModule();
std::unique_ptr<ContentModule> MakeSoundModule();
std::unique_ptr<ContentModule> MakeStringTableModule();
// The modules of media/, which build on the game's readers and writers and the movie encoder.
std::unique_ptr<ContentModule> MakeVoiceModule();
std::unique_ptr<ContentModule> MakeMovieModule();
std::unique_ptr<ContentModule> MakeSaveModule();

// Every module, in the order they run: text files, sprites, sounds, the string table; then the voice
// module (each database's m_spokenLines: "<name>.wav" as Storage::kPlain and "<name>.snc" as
// Storage::kArchived under eng_usa, AddSound with m_spoken), the movie module (m_movies: "<name>.bik"
// as Storage::kPlain under universal, AddMovie) and the saves (AddTopLevel("saves/..."), AddSave).
std::vector<std::unique_ptr<ContentModule>> ContentModules();

// Builds the tree and the manifest from the tables through every module; the manifest is added to
// the tree as "manifest.json".
void GenerateContent(const std::vector<DatabaseSpec>& databases, const ContentOptions& options,
                     OutputTree& tree, Manifest& manifest);

}  // namespace fixture
