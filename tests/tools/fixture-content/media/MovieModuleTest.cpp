// The content's movies through the movie library the game plays them with: size, frame count and rate,
// every pixel of every frame the manifest's colour, and a sound that plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "fixture-content/ContentDatabases.h"
#include "fixture-content/ContentModule.h"
#include "platform/bink/Bink.h"
#include "platform/dsound/DSound.h"
#include "platform/dsound/Mixer.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
namespace bk = plat::bink;
namespace ds = plat::dsound;

namespace {

uint16_t To565(uint32_t rgb) {
  return static_cast<uint16_t>(((rgb >> 8) & 0xF800u) | ((rgb >> 5) & 0x07E0u) | ((rgb >> 3) & 0x001Fu));
}

class MovieModule : public testing::Test {
protected:
  void SetUp() override {
    // The sound is mixed on demand, with no device.
    ds::SetPullModeForTesting(true);
    ASSERT_EQ(ds::DirectSoundCreate8(nullptr, &m_device, nullptr), ds::DS_OK);
    ASSERT_EQ(bk::BinkSetSoundSystem(bk::BinkOpenDirectSound, reinterpret_cast<uintptr_t>(m_device)), 1);
  }
  void TearDown() override {
    bk::BinkSetSoundSystem(bk::BinkOpenDirectSound, 0);
    if (m_device) m_device->Release();
    ds::SetPullModeForTesting(false);
  }

  ds::IDirectSound8* m_device = nullptr;
};

}  // namespace

TEST_F(MovieModule, EveryMovieOfTheTablesPlaysInItsColourWithSound) {
  const std::vector<fixture::DatabaseSpec> databases = fixture::AllDatabases();
  fixture::ContentOptions options;
  fixture::OutputTree tree;
  fixture::Manifest manifest;
  fixture::MakeMovieModule()->Write(databases, options, tree, manifest);
  test::TempDir out;
  fixture::WriteTree(tree, out.Path(), fixture::ContentForm::kArchive);

  size_t movies = 0;
  for (const fixture::DatabaseSpec& database : databases) {
    const fixture::DatabaseRef ref{fixture::Locale::kUniversal, database.m_name};
    for (const fixture::MovieSpec& spec : database.m_movies) {
      SCOPED_TRACE(spec.m_name);
      ++movies;
      // Beside the archive, where the player opens it by path.
      const fs::path path = out.Path() / ref.Folder() / (spec.m_name + ".bik");
      ASSERT_TRUE(fs::is_regular_file(path));
      const fixture::ManifestMovie& movie = manifest.Databases().at(ref).m_movies.at(spec.m_name);
      // Fifteen frames a second, each picture the size the table gives.
      const int32_t width = spec.m_width;
      const int32_t height = spec.m_height;
      const int32_t frames = spec.m_milliseconds * 15 / 1000;
      EXPECT_EQ(movie.m_width, width);
      EXPECT_EQ(movie.m_height, height);
      EXPECT_EQ(movie.m_milliseconds, spec.m_milliseconds);
      EXPECT_EQ(movie.m_frames, frames);

      bk::HBINK bink = bk::BinkOpen(path.c_str(), 0);
      ASSERT_NE(bink, nullptr) << bk::BinkGetError();
      EXPECT_EQ(bink->Width, static_cast<uint32_t>(width));
      EXPECT_EQ(bink->Height, static_cast<uint32_t>(height));
      EXPECT_EQ(bink->Frames, static_cast<uint32_t>(frames));
      EXPECT_EQ(bink->FrameRate, 15u * bink->FrameRateDiv);
      const uint16_t expected = To565(movie.m_colour);
      const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
      std::vector<uint16_t> picture(pixels);
      uint32_t decoded = 0;
      while (bk::BinkDoFrame(bink) == 0) {
        ++decoded;
        ASSERT_EQ(bk::BinkCopyToBuffer(bink, picture.data(), width * 2,
                                       static_cast<uint32_t>(height), 0, 0, bk::BINKSURFACE565),
                  0);
        ASSERT_EQ(static_cast<size_t>(std::count(picture.begin(), picture.end(), expected)), pixels)
            << "frame " << decoded;
        if (decoded == 1) {
          // The sound starts with the first frame: a tenth of a second of it is not silent.
          std::vector<int16_t> sound(2 * 2205);
          ds::MixerOf(m_device)->Render(sound.data(), 2205);
          EXPECT_GT(*std::max_element(sound.begin(), sound.end()), 1000);
        }
        bk::BinkNextFrame(bink);
      }
      EXPECT_EQ(decoded, static_cast<uint32_t>(frames));
      bk::BinkClose(bink);
    }
  }
  EXPECT_GT(movies, 0u) << "the tables hold no movie";
}
