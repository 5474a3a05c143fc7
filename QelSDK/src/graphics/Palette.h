// A palette of 32-bit ARGB colours that stored images share by id.
#pragma once

#include <cstdint>
#include <memory>

namespace Qel {

class Palette {
public:
  Palette() = default;
  ~Palette() = default;
  Palette(const Palette&) = delete;
  Palette& operator=(const Palette&) = delete;

  // The wrap-around sum of the colours; 0 for no colours.
  static uint32_t ComputeId(uint32_t count, const uint32_t* colors);

  // Replaces the colours with count entries of 0xFFFFFFFF; false (and no colours) when they cannot be
  // allocated.
  bool Allocate(uint32_t count);
  // The first index holding color; 0 when none does, -1 without colours at all.
  int32_t IndexOf(uint32_t color) const;
  void Clear();

  uint32_t GetCount() const { return m_count; }
  const uint32_t* GetColors() const { return m_colors.get(); }
  uint32_t* GetColors() { return m_colors.get(); }
  uint32_t GetId() const { return m_id; }
  void SetId(uint32_t id) { m_id = id; }

  // Held by the headers that attach the palette; the registry deletes it only at a later registration
  // that finds it unreferenced.
  int32_t GetReferenceCount() const { return m_referenceCount; }
  void AddReference() { ++m_referenceCount; }
  void ReleaseReference() { --m_referenceCount; }

private:
  uint32_t m_count = 0;
  int32_t m_referenceCount = 0;
  uint32_t m_id = 0;
  std::unique_ptr<uint32_t[]> m_colors;
};

}  // namespace Qel
