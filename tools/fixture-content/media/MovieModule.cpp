// The movie module: each database's movies encoded in-process, as plain files the movie player opens by path.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#include "fixture-content/ContentModule.h"
#include "fixture-content/media/ContentMovie.h"

namespace fixture {

namespace {

// A folder of its own for the encoder's files, removed however the module ends.
class ScratchFolder {
public:
  ScratchFolder() {
    std::string path = (std::filesystem::temp_directory_path() / "fixture-movies-XXXXXX").string();
    if (!mkdtemp(path.data())) throw std::runtime_error("no temporary folder for the movies");
    m_path = path;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return m_path; }

private:
  std::filesystem::path m_path;
};

bool ReadWhole(const std::filesystem::path& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// Encoders at once: the machine is shared with the build.
constexpr unsigned kMaxEncoders = 4;

struct Job {
  DatabaseRef m_database;
  const MovieSpec* m_spec = nullptr;
  std::string m_bytes;
  std::string m_error;
};

class MovieModule : public ContentModule {
public:
  const char* Name() const override { return "movies"; }

  void Write(const std::vector<DatabaseSpec>& databases, const ContentOptions&, OutputTree& tree,
             Manifest& manifest) override {
    std::vector<Job> jobs;
    for (const DatabaseSpec& database : databases) {
      for (const MovieSpec& movie : database.m_movies)
        jobs.push_back({DatabaseRef{Locale::kUniversal, database.m_name}, &movie, {}, {}});
    }
    if (jobs.empty()) return;
    ScratchFolder scratch;
    // A movie takes a good part of a second to encode, so they are encoded side by side.
    std::atomic<size_t> next{0};
    auto encodeSome = [&] {
      for (size_t i = next++; i < jobs.size(); i = next++) {
        const std::filesystem::path file = scratch.Path() / (std::to_string(i) + ".avi");
        if (!WriteContentMovie(file.string(), *jobs[i].m_spec, jobs[i].m_error)) continue;
        if (!ReadWhole(file, jobs[i].m_bytes)) jobs[i].m_error = "cannot read back " + file.string();
      }
    };
    const unsigned count = std::clamp<unsigned>(std::thread::hardware_concurrency(), 1, kMaxEncoders);
    std::vector<std::thread> encoders;
    for (unsigned i = 1; i < count && i < jobs.size(); ++i) encoders.emplace_back(encodeSome);
    encodeSome();
    for (std::thread& encoder : encoders) encoder.join();
    for (Job& job : jobs) {
      if (!job.m_error.empty())
        throw std::runtime_error("movie " + job.m_spec->m_name + " cannot be encoded: " + job.m_error);
      // The engine opens "<name>.bik"; the player takes whatever FFmpeg reads.
      tree.Add(job.m_database, job.m_spec->m_name + ".bik", std::move(job.m_bytes), Storage::kPlain);
      manifest.AddMovie(job.m_database, job.m_spec->m_name, ManifestOf(*job.m_spec));
    }
  }
};

}  // namespace

std::unique_ptr<ContentModule> MakeMovieModule() {
  return std::make_unique<MovieModule>();
}

}  // namespace fixture
