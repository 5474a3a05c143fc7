// The fuzz input as the engine reads data: a memory stream over its bytes, and a resource database
// that serves it under one text name beside a few sprites.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "core/IResourceFile.h"
#include "core/MemStream.h"
#include "core/MemoryBlock.h"
#include "core/ResourceAddress.h"

namespace fuzzinput {

// An empty input gives a stream with no data.
inline std::shared_ptr<Qel::MemStream> StreamOver(const uint8_t* data, size_t size) {
  auto block = std::make_shared<Qel::MemoryBlock>();
  auto stream = std::make_shared<Qel::MemStream>();
  if (size > 0 && block->Allocate(static_cast<uint32_t>(size))) {
    std::memcpy(block->GetData(), data, size);
    stream->SetMemoryBlock(block);
  }
  return stream;
}

// Sprites by name hash, and the current input as the text resource of the given name.
class InputDatabase : public Qel::IResourceFile {
public:
  explicit InputDatabase(const char* textName) : m_textHash(Qel::NameHash(textName)) {}

  void Load(uint32_t, uint32_t, std::shared_ptr<Qel::IMemoryBlock>&) override {}
  void OpenStream(uint32_t nameHash, uint32_t type, std::shared_ptr<Qel::Stream>& out) override {
    if (type == Qel::kTypeText && nameHash == m_textHash) {
      out = StreamOver(m_data, m_size);
      return;
    }
    const auto sprite = m_sprites.find(nameHash);
    if (type == Qel::kTypeSprite && sprite != m_sprites.end()) {
      out = StreamOver(reinterpret_cast<const uint8_t*>(sprite->second.data()), sprite->second.size());
    }
  }

  std::map<uint32_t, std::string> m_sprites;
  const uint8_t* m_data = nullptr;
  size_t m_size = 0;

private:
  uint32_t m_textHash;
};

}  // namespace fuzzinput
