// Loading resources through the databases against doing the same work by hand: every member of a
// large archive through the zip database against zlib's raw inflate, and every file of a tree
// through the directory database against plain reads.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "core/ResourceAddress.h"
#include "core/ResourceTree.h"
#include "core/ResourceZipfile.h"
#include "core/WinFileSpec.h"
#include "support/ArchiveContent.h"
#include "support/WindowsPath.h"

namespace fs = std::filesystem;

namespace {

struct Member {
  std::string path;  // relative to the tree
  uint32_t hash = 0;
  uint32_t type = 0;
  uint16_t method = 0;
  uint32_t dataOffset = 0;
  uint32_t compressedSize = 0;
  uint32_t uncompressedSize = 0;
};

// The test data, made once per run in a temporary folder: about 34 MB in 40 large members of
// both kinds and 64 small ones, as a tree and as an archive of that tree.
class Content {
public:
  static Content& Get() {
    static Content content;
    return content;
  }
  ~Content() { fs::remove_all(m_root); }

  const fs::path& Tree() const { return m_tree; }
  const fs::path& Archive() const { return m_archive; }
  const std::vector<Member>& Members() const { return m_members; }
  uint64_t TotalBytes() const { return m_totalBytes; }

private:
  Content() {
    std::string pattern = (fs::temp_directory_path() / "qelbench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    m_root = pattern;
    m_tree = m_root / "tree";
    m_archive = m_root / "Bench.qel";
    std::map<std::string, std::string> files;
    for (uint32_t i = 0; i < 24; ++i)
      files["sprites/s" + std::to_string(i) + ".qela"] = test::Compressible(1 << 20, i + 1);
    for (uint32_t i = 0; i < 16; ++i)
      files["sounds/n" + std::to_string(i) + ".wav"] = test::Incompressible(1 << 19, i + 1);
    for (uint32_t i = 0; i < 64; ++i)
      files["text/t" + std::to_string(i) + ".txt"] = test::Compressible(4096 + 97 * i, 100 + i);
    for (const auto& [path, data] : files) {
      fs::create_directories((m_tree / path).parent_path());
      std::ofstream(m_tree / path, std::ios::binary)
          .write(data.data(), static_cast<std::streamsize>(data.size()));
      m_totalBytes += data.size();
    }
    test::ZipFolder(m_tree, m_archive, 6);
    IndexArchive();
  }

  // The reference's own reading of the archive layout, done once and not timed.
  void IndexArchive() {
    std::ifstream in(m_archive, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const uint16_t entries = test::GetU16(bytes, test::EndRecordOffset(bytes) + test::kEndEntries);
    for (int i = 0; i < entries; ++i) {
      const size_t at = test::CentralRecordOffset(bytes, i);
      Member member;
      member.method = test::GetU16(bytes, at + test::kCentralMethod);
      member.compressedSize = test::GetU32(bytes, at + test::kCentralCompressedSize);
      member.uncompressedSize = test::GetU32(bytes, at + test::kCentralUncompressedSize);
      const uint32_t local = test::GetU32(bytes, at + test::kCentralLocalOffset);
      member.path =
          bytes.substr(at + test::kCentralRecordSize, test::GetU16(bytes, at + test::kCentralNameLength));
      member.dataOffset = local + test::kLocalHeaderSize +
                          test::GetU16(bytes, local + test::kLocalNameLength) +
                          test::GetU16(bytes, local + test::kLocalExtraLength);
      if (member.path.back() == '/') continue;
      const std::string name = fs::path(member.path).stem().string();
      const std::string extension = fs::path(member.path).extension().string();
      member.hash = Qel::NameHash(name.c_str());
      member.type = Qel::TypeCodeFromExtension(extension.c_str());
      m_members.push_back(member);
    }
  }

  fs::path m_root;
  fs::path m_tree;
  fs::path m_archive;
  std::vector<Member> m_members;
  uint64_t m_totalBytes = 0;
};

std::shared_ptr<Qel::IFileSpec> SpecOf(const fs::path& path) {
  std::shared_ptr<Qel::IFileSpec> spec = Qel::WinFileSpec::Create();
  spec->SetPath(test::WindowsPathOf(path));
  return spec;
}

void ZipfileLoad(benchmark::State& state) {
  const Content& content = Content::Get();
  Qel::ResourceZipfile zip;
  if (!zip.Open(SpecOf(content.Archive()), 0)) {
    state.SkipWithError("archive refused");
    return;
  }
  for (auto _ : state) {
    for (const Member& member : content.Members()) {
      std::shared_ptr<Qel::IMemoryBlock> block;
      zip.Load(member.hash, member.type, block);
      if (!block || block->GetSize() != member.uncompressedSize) {
        state.SkipWithError("load failed");
        return;
      }
      benchmark::DoNotOptimize(block->GetData());
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * content.TotalBytes()));
}

// The same members read straight from the file: one read of the compressed bytes and one
// inflate call into a block of the final size.
void ZlibInflate(benchmark::State& state) {
  const Content& content = Content::Get();
  const int fd = open(content.Archive().c_str(), O_RDONLY);
  std::vector<uint8_t> compressed;
  for (auto _ : state) {
    for (const Member& member : content.Members()) {
      std::unique_ptr<uint8_t, decltype(&std::free)> out(
          static_cast<uint8_t*>(std::malloc(member.uncompressedSize ? member.uncompressedSize : 1)),
          &std::free);
      if (member.method == 0) {
        if (pread(fd, out.get(), member.uncompressedSize, member.dataOffset) != member.uncompressedSize) {
          state.SkipWithError("read failed");
          return;
        }
      } else {
        compressed.resize(member.compressedSize);
        if (pread(fd, compressed.data(), member.compressedSize, member.dataOffset) != member.compressedSize) {
          state.SkipWithError("read failed");
          return;
        }
        z_stream z{};
        inflateInit2(&z, -MAX_WBITS);
        z.next_in = compressed.data();
        z.avail_in = member.compressedSize;
        z.next_out = out.get();
        z.avail_out = member.uncompressedSize;
        const int result = inflate(&z, Z_FINISH);
        inflateEnd(&z);
        if (result != Z_STREAM_END) {
          state.SkipWithError("inflate failed");
          return;
        }
      }
      benchmark::DoNotOptimize(out.get());
    }
  }
  close(fd);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * content.TotalBytes()));
}

void TreeLoad(benchmark::State& state) {
  const Content& content = Content::Get();
  Qel::ResourceTree tree;
  tree.Open(SpecOf(content.Tree()), 0);
  for (auto _ : state) {
    for (const Member& member : content.Members()) {
      std::shared_ptr<Qel::IMemoryBlock> block;
      tree.Load(member.hash, member.type, block);
      if (!block || block->GetSize() != member.uncompressedSize) {
        state.SkipWithError("load failed");
        return;
      }
      benchmark::DoNotOptimize(block->GetData());
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * content.TotalBytes()));
}

// The same files opened, sized and read whole with POSIX calls.
void PlainRead(benchmark::State& state) {
  const Content& content = Content::Get();
  std::vector<std::string> paths;
  for (const Member& member : content.Members()) paths.push_back((content.Tree() / member.path).string());
  for (auto _ : state) {
    for (const std::string& path : paths) {
      const int fd = open(path.c_str(), O_RDONLY);
      struct stat info {};
      if (fd < 0 || fstat(fd, &info) != 0) {
        state.SkipWithError("open failed");
        return;
      }
      const size_t size = static_cast<size_t>(info.st_size);
      std::unique_ptr<uint8_t, decltype(&std::free)> out(static_cast<uint8_t*>(std::malloc(size ? size : 1)),
                                                         &std::free);
      size_t got = 0;
      while (got < size) {
        const ssize_t n = read(fd, out.get() + got, size - got);
        if (n <= 0) break;
        got += static_cast<size_t>(n);
      }
      close(fd);
      benchmark::DoNotOptimize(out.get());
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * content.TotalBytes()));
}

BENCHMARK(ZipfileLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(ZlibInflate)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench::RatioReporter reporter("bytes_per_second",
                                {{"ZipfileLoad", "ZlibInflate", 0.9}, {"TreeLoad", "PlainRead", 0.9}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
