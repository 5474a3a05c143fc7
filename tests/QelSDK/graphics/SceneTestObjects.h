// Small scene objects for the scene tests: a block of fixed size that counts its bounds computations.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "graphics/SceneDrawable.h"
#include "graphics/SceneObjectGroup.h"

namespace Qel {

// Readable failure messages.
inline void PrintTo(const Point3& p, std::ostream* os) {
  *os << "(" << p.X() << ", " << p.Y() << ", " << p.Z() << ")";
}
inline void PrintTo(const Box3& b, std::ostream* os) {
  PrintTo(b.Min(), os);
  *os << "-";
  PrintTo(b.Max(), os);
}

}  // namespace Qel

namespace test {

class Block : public Qel::SceneDrawable {
public:
  Block(int32_t width, int32_t height) : m_width(width), m_height(height) {}

  void ComputeLocalBounds(Qel::Box3& out) const override {
    ++m_boundsComputations;
    out.Set(0, 0, 0, m_width, m_height, 0);
  }

  void Resize(int32_t width, int32_t height) {
    m_width = width;
    m_height = height;
    SetBoundsDirty(true);
  }

  int32_t m_width;
  int32_t m_height;
  mutable int m_boundsComputations = 0;
};

// A group that counts its bounds computations.
class CountingGroup : public Qel::SceneObjectGroup {
public:
  void ComputeLocalBounds(Qel::Box3& out) const override {
    ++m_boundsComputations;
    SceneObjectGroup::ComputeLocalBounds(out);
  }

  mutable int m_boundsComputations = 0;
};

template <typename T, typename... Args>
std::shared_ptr<T> Named(const std::string& name, Args&&... args) {
  auto object = std::make_shared<T>(std::forward<Args>(args)...);
  object->SetName(name);
  return object;
}

inline Qel::Box3 BoundsOf(const Qel::SceneObject& object) {
  Qel::Box3 box;
  object.GetBounds(box);
  return box;
}

}  // namespace test
