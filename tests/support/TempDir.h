// A temporary folder that is removed with everything in it when the object goes away.
#pragma once

#include <filesystem>
#include <string>

namespace test {

class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return m_path; }

private:
  std::filesystem::path m_path;
};

// Writes bytes to a file, creating its folders; the tests' usual way to lay out a fixture.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);

}  // namespace test
