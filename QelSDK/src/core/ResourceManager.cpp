// The one place the program asks for resources: an ordered list of databases, newest first.
#include "core/ResourceManager.h"

#include <string>

#include "core/IFile.h"
#include "core/ResourceAddress.h"
#include "core/ResourceTree.h"

namespace Qel {

namespace {
ResourceManager* g_instance = nullptr;

// "name.ext" from the name and the type's letters, most significant first, without the blanks that
// pad a three-letter type.
std::string FileNameOf(const std::string& name, uint32_t type) {
  std::string text = name + '.';
  for (int shift = 24; shift >= 0; shift -= 8) text += static_cast<char>((type >> shift) & 0xFF);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}
}  // namespace

ResourceManager* ResourceManager::GetInstance() {
  if (!g_instance) g_instance = new ResourceManager();
  return g_instance;
}

void ResourceManager::DestroyInstance() {
  ResourceManager* instance = g_instance;
  g_instance = nullptr;
  delete instance;
}

void ResourceManager::AddResourceFile(const std::shared_ptr<IResourceFile>& file, int position) {
  RemoveResourceFile(file);
  if (position == 1) {
    m_files.push_front(file);
  } else {
    m_files.push_back(file);
  }
}

void ResourceManager::RemoveResourceFile(const std::shared_ptr<IResourceFile>& file) {
  m_files.remove_if([&file](const std::shared_ptr<IResourceFile>& listed) { return listed == file; });
}

void ResourceManager::Load(uint32_t nameHash, uint32_t type, std::shared_ptr<IMemoryBlock>& out) {
  out.reset();
  for (const auto& file : m_files) {
    file->Load(nameHash, type, out);
    if (out) return;
  }
}

void ResourceManager::OpenStream(uint32_t nameHash, uint32_t type, std::shared_ptr<Stream>& out) {
  out.reset();
  for (const auto& file : m_files) {
    file->OpenStream(nameHash, type, out);
    if (out) return;
  }
}

void ResourceManager::GetResourceFileSpec(uint32_t nameHash, uint32_t type, std::shared_ptr<IFileSpec>& out) {
  out.reset();
  for (const auto& file : m_files) {
    std::shared_ptr<Stream> stream;
    file->OpenStream(nameHash, type, stream);
    if (!stream) continue;
    if (auto* asFile = dynamic_cast<IFile*>(file.get())) asFile->GetFileSpec(out);
    return;
  }
}

void ResourceManager::GetResourcePath(std::string& out, const std::string& name, uint32_t type) {
  out.clear();
  const uint32_t nameHash = NameHash(name.c_str());
  // Players open these files by name, so only a file that really lies in a directory will do,
  // and the path must reach it in whatever subfolder the tree holds it.
  for (const auto& file : m_files) {
    auto* tree = dynamic_cast<ResourceTree*>(file.get());
    if (!tree) continue;
    std::shared_ptr<Stream> stream;
    tree->OpenStream(nameHash, type, stream);
    if (!stream) continue;
    std::shared_ptr<IFileSpec> spec;
    tree->GetResourceFileSpec(nameHash, type, spec);
    const std::string path = spec->GetPath();
    const size_t separator = path.find_last_of("\\/");
    out = separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    out += name;
    out += '.';
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((type >> shift) & 0xFF);
    return;
  }
}

std::string ResourceManager::GetResourceLocation(uint32_t nameHash, uint32_t type, const std::string& name) {
  for (const auto& file : m_files) {
    std::shared_ptr<Stream> stream;
    file->OpenStream(nameHash, type, stream);
    if (!stream) continue;
    std::shared_ptr<IFileSpec> spec;
    if (auto* tree = dynamic_cast<ResourceTree*>(file.get())) {
      tree->GetResourceFileSpec(nameHash, type, spec);
      if (spec) return spec->GetPath();
    }
    if (auto* asFile = dynamic_cast<IFile*>(file.get())) asFile->GetFileSpec(spec);
    return spec ? spec->GetPath() + "\\" + FileNameOf(name, type) : FileNameOf(name, type);
  }
  return {};
}

std::string ResourceManager::FindFolderInPlace(uint32_t nameHash, uint32_t type) {
  for (const auto& file : m_files) {
    auto* tree = dynamic_cast<ResourceTree*>(file.get());
    if (!tree) continue;
    std::shared_ptr<IFileSpec> folder;
    tree->FindFolderInPlace(nameHash, type, folder);
    if (folder) return folder->GetPath();
  }
  return {};
}

}  // namespace Qel
