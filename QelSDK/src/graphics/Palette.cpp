// A palette of 32-bit ARGB colours that stored images share by id.
#include "graphics/Palette.h"

#include <algorithm>
#include <new>

namespace Qel {

uint32_t Palette::ComputeId(uint32_t count, const uint32_t* colors) {
  if (count == 0 || !colors) return 0;
  uint32_t id = 0;
  for (uint32_t i = 0; i < count; ++i) id += colors[i];
  return id;
}

bool Palette::Allocate(uint32_t count) {
  Clear();
  if (count == 0) return true;
  m_colors.reset(new (std::nothrow) uint32_t[count]);
  if (!m_colors) return false;
  std::fill_n(m_colors.get(), count, 0xFFFFFFFFu);
  m_count = count;
  return true;
}

int32_t Palette::IndexOf(uint32_t color) const {
  if (!m_colors) return -1;
  const uint32_t* begin = m_colors.get();
  const uint32_t* end = begin + m_count;
  const uint32_t* found = std::find(begin, end, color);
  return found == end ? 0 : static_cast<int32_t>(found - begin);
}

void Palette::Clear() {
  m_colors.reset();
  m_count = 0;
}

}  // namespace Qel
