// Surface-pair tables, the blit look-up and its cache, locking, and where CopyTo and BlitTo put the source.
#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <typeinfo>
#include <vector>

#include "graphics/DrawingSurface.h"
#include "graphics/SurfaceLock.h"
#include "graphics/SurfaceOps.h"

namespace {

// A surface with no pixels; it counts the lock calls that reach it.
class FakeSurface : public Qel::DrawingSurface {
public:
  FakeSurface(int width = 8, int height = 4) : m_width(width), m_height(height) {}
  void GetBaseTypeNames(std::vector<std::string>& names) const override {
    names.emplace_back(typeid(Qel::DrawingSurface).name());
  }
  int GetWidth() const override { return m_width; }
  int GetHeight() const override { return m_height; }
  void GetPixelFormat(Qel::PixelFormat& format) const override { format = Qel::kPixelFormatR5G6B5; }
  int SetColorKey(const Qel::Color& key) override {
    m_key = key;
    return 0;
  }
  void GetColorKey(Qel::Color& key) const override { key = m_key; }
  uint8_t* LockBits(const Qel::Rect*, int& pitch, uint32_t) override {
    ++lockCalls;
    pitch = m_width;
    return m_failLock ? nullptr : m_pixels;
  }
  int UnlockBits() override {
    ++unlockCalls;
    return 7;
  }
  void FailLocks() { m_failLock = true; }
  using Qel::DrawingSurface::GetColorKey;
  using Qel::DrawingSurface::GetPixelFormat;

  int lockCalls = 0;
  int unlockCalls = 0;

private:
  int m_width;
  int m_height;
  Qel::Color m_key;
  bool m_failLock = false;
  uint8_t m_pixels[4] = {};
};

// Texture-like: its storage is larger than its image.
class PaddedSurface : public FakeSurface {
public:
  using FakeSurface::FakeSurface;
  int GetStorageWidth() const override { return 256; }
  int GetStorageHeight() const override { return 256; }
};

class OtherSurface : public FakeSurface {};
class TiledSurface : public FakeSurface {};

const char* kBase = typeid(Qel::DrawingSurface).name();
const char* kFake = typeid(FakeSurface).name();
const char* kPadded = typeid(PaddedSurface).name();
const char* kOther = typeid(OtherSurface).name();
const char* kTiled = typeid(TiledSurface).name();

// Each operation records the rectangles it was handed and answers with its own number.
struct Call {
  Qel::DrawingSurface* source = nullptr;
  Qel::DrawingSurface* destination = nullptr;
  bool hadSourceRect = false;
  Qel::Rect sourceRect;
  Qel::Rect destinationRect;
};
std::vector<Call> gCalls;

template <int kResult>
int32_t RecordingOp(Qel::DrawingSurface* s, Qel::DrawingSurface* d, const Qel::Rect* sr,
                    const Qel::Rect* dr) {
  Call call{s, d, sr != nullptr, sr ? *sr : Qel::Rect(), dr ? *dr : Qel::Rect()};
  gCalls.push_back(call);
  return kResult;
}

class SurfaceOpsTest : public testing::Test {
protected:
  void TearDown() override {
    for (const char* s : {kBase, kFake, kPadded, kOther, kTiled}) {
      for (const char* d : {kBase, kFake, kPadded, kOther, kTiled}) {
        Qel::UnregisterCopyOp(s, d);
        Qel::UnregisterBlitOp(s, d);
      }
    }
    gCalls.clear();
  }
};

TEST_F(SurfaceOpsTest, RegisteringReplacesAndNullRemoves) {
  Qel::RegisterBlitOp(kFake, kOther, RecordingOp<10>);
  Qel::RegisterBlitOp(kFake, kOther, RecordingOp<11>);
  EXPECT_EQ(Qel::FindBlitOp(kFake, kOther), &RecordingOp<11>);
  EXPECT_EQ(Qel::FindCopyOp(kFake, kOther), nullptr) << "the two tables are separate";
  EXPECT_EQ(Qel::FindBlitOp(kOther, kFake), nullptr) << "pairs are ordered";

  Qel::RegisterBlitOp(kFake, kOther, nullptr);
  EXPECT_EQ(Qel::FindBlitOp(kFake, kOther), nullptr);
  Qel::UnregisterBlitOp(kFake, kOther);  // absent: nothing happens
  EXPECT_EQ(Qel::MakeSurfaceOpKey("A", "B"), "A|B");
}

TEST_F(SurfaceOpsTest, LookupFallsBackOnBaseNamesInOrder) {
  FakeSurface fake;
  TiledSurface tiled;
  // Tiled and compressed kinds register (own, base) and (base, own).
  Qel::RegisterBlitOp(kTiled, kBase, RecordingOp<1>);
  Qel::RegisterBlitOp(kBase, kTiled, RecordingOp<2>);
  Qel::RegisterCopyOp(kTiled, kBase, RecordingOp<3>);
  Qel::RegisterCopyOp(kBase, kTiled, RecordingOp<4>);

  EXPECT_EQ(Qel::LookupBlitOp(&tiled, &fake), &RecordingOp<1>) << "source's own class onto the base";
  EXPECT_EQ(Qel::LookupBlitOp(&fake, &tiled), &RecordingOp<2>) << "a base of the source onto the destination";
  EXPECT_EQ(Qel::LookupCopyOp(&tiled, &fake), &RecordingOp<3>);
  EXPECT_EQ(Qel::LookupCopyOp(&fake, &tiled), nullptr) << "copies never try a source base against the class";
  EXPECT_EQ(fake.CopyTo(&tiled, Qel::Point2(0, 0)), 1);
  EXPECT_TRUE(gCalls.empty());

  // The exact pair wins over every fall-back, and base against base is the last resort.
  Qel::RegisterBlitOp(kTiled, kTiled, RecordingOp<5>);
  EXPECT_EQ(Qel::LookupBlitOp(&tiled, &tiled), &RecordingOp<5>);
  Qel::RegisterCopyOp(kBase, kBase, RecordingOp<6>);
  EXPECT_EQ(Qel::LookupCopyOp(&fake, &tiled), &RecordingOp<6>);

  EXPECT_EQ(Qel::LookupBlitOp(nullptr, &fake), nullptr);
  EXPECT_EQ(Qel::LookupCopyOp(&fake, nullptr), nullptr);
  EXPECT_EQ(fake.BlitTo(nullptr, Qel::Point2(0, 0)), 1);
}

TEST_F(SurfaceOpsTest, BlitCacheFollowsDestinationAndRetriesMisses) {
  FakeSurface source;
  OtherSurface first;
  OtherSurface second;
  FakeSurface unknown;
  Qel::RegisterBlitOp(kFake, kOther, RecordingOp<0>);

  EXPECT_EQ(source.BlitTo(&first, Qel::Point2(0, 0)), 0);
  EXPECT_EQ(source.BlitTo(&second, Qel::Point2(0, 0)), 0);
  EXPECT_EQ(source.BlitTo(&unknown, Qel::Point2(0, 0)), 1);
  // The miss was not served from the cache: once a pair exists, the next call finds it.
  Qel::RegisterBlitOp(kFake, kFake, RecordingOp<3>);
  EXPECT_EQ(source.BlitTo(&unknown, Qel::Point2(0, 0)), 3);
  ASSERT_EQ(gCalls.size(), 3u);
  EXPECT_EQ(gCalls[0].destination, &first);
  EXPECT_EQ(gCalls[1].destination, &second);
  EXPECT_EQ(gCalls[2].destination, &unknown);
}

TEST_F(SurfaceOpsTest, CachedBlitIsNotServedAfterTheTableChanges) {
  FakeSurface source;
  OtherSurface destination;
  Qel::RegisterBlitOp(kFake, kOther, RecordingOp<0>);
  EXPECT_EQ(source.BlitTo(&destination, Qel::Point2(0, 0)), 0);

  Qel::RegisterBlitOp(kFake, kOther, RecordingOp<4>);
  EXPECT_EQ(source.BlitTo(&destination, Qel::Point2(0, 0)), 4) << "the newer registration is used";
  Qel::UnregisterBlitOp(kFake, kOther);
  EXPECT_EQ(source.BlitTo(&destination, Qel::Point2(0, 0)), 1) << "a removed pair no longer blits";
}

TEST_F(SurfaceOpsTest, ReusedDestinationAddressOfAnotherClassIsLookedUpAgain) {
  Qel::RegisterBlitOp(kFake, kOther, RecordingOp<0>);
  Qel::RegisterBlitOp(kFake, kTiled, RecordingOp<5>);
  FakeSurface source;
  // One buffer holds first a surface of one class, then one of another, at the very same address.
  alignas(std::max_align_t) unsigned char storage[sizeof(OtherSurface) + sizeof(TiledSurface)];
  auto* other = new (storage) OtherSurface();
  EXPECT_EQ(source.BlitTo(other, Qel::Point2(0, 0)), 0);
  other->~OtherSurface();
  auto* tiled = new (storage) TiledSurface();
  ASSERT_EQ(static_cast<void*>(tiled), static_cast<void*>(other));
  EXPECT_EQ(source.BlitTo(tiled, Qel::Point2(0, 0)), 5) << "the operation of the new class";
  tiled->~TiledSurface();
}

TEST_F(SurfaceOpsTest, DestinationRectangleTakesImageSizeOrSourceRectangle) {
  PaddedSurface source(40, 30);
  OtherSurface destination;
  Qel::RegisterBlitOp(kPadded, kOther, RecordingOp<0>);
  Qel::RegisterCopyOp(kPadded, kOther, RecordingOp<0>);

  EXPECT_EQ(source.CopyTo(&destination, Qel::Point2(5, 6)), 0);
  const Qel::Rect part(10, 10, 14, 19);
  EXPECT_EQ(source.BlitTo(&destination, &part, Qel::Point2(-3, 2)), 0);
  const Qel::Rect target(1, 2, 3, 4);
  EXPECT_EQ(source.BlitRectTo(&destination, nullptr, &target), 0);

  ASSERT_EQ(gCalls.size(), 3u);
  EXPECT_FALSE(gCalls[0].hadSourceRect);
  EXPECT_EQ(gCalls[0].destinationRect, Qel::Rect(5, 6, 45, 36)) << "image size, not the 256 x 256 storage";
  EXPECT_TRUE(gCalls[1].hadSourceRect);
  EXPECT_EQ(gCalls[1].sourceRect, part);
  EXPECT_EQ(gCalls[1].destinationRect, Qel::Rect(-3, 2, 1, 11));
  EXPECT_EQ(gCalls[2].destinationRect, target);
}

TEST_F(SurfaceOpsTest, LockNeedsFlagsAndRefusesASecondLock) {
  FakeSurface surface;
  int pitch = 0;
  EXPECT_EQ(surface.Lock(pitch, 0), nullptr);
  EXPECT_EQ(surface.lockCalls, 0) << "flags 0 fail without asking the surface";
  EXPECT_EQ(surface.Unlock(), 0);
  EXPECT_EQ(surface.unlockCalls, 0);

  uint8_t* bits = surface.Lock(pitch, Qel::DrawingSurface::kLockWrite);
  ASSERT_NE(bits, nullptr);
  EXPECT_TRUE(surface.IsLocked());
  EXPECT_EQ(surface.Lock(pitch, Qel::DrawingSurface::kLockWrite), nullptr);
  EXPECT_EQ(surface.lockCalls, 1);
  EXPECT_EQ(surface.Unlock(), 7) << "UnlockBits' result";
  EXPECT_FALSE(surface.IsLocked());

  FakeSurface failing;
  failing.FailLocks();
  EXPECT_EQ(failing.Lock(pitch, Qel::DrawingSurface::kLockWrite), nullptr);
  EXPECT_FALSE(failing.IsLocked());
}

TEST_F(SurfaceOpsTest, ScopedLockReleasesOnlyWhatItTook) {
  FakeSurface surface;
  FakeSurface other;
  {
    Qel::SurfaceLock outer(&surface, Qel::DrawingSurface::kLockWrite);
    ASSERT_TRUE(outer.IsLocked());
    ASSERT_NE(outer.GetBits(), nullptr);
    {
      Qel::SurfaceLock inner(&surface, Qel::DrawingSurface::kLockWrite);
      EXPECT_EQ(inner.GetBits(), nullptr);
      EXPECT_FALSE(inner.IsLocked());
    }
    EXPECT_TRUE(surface.IsLocked()) << "the failed inner lock must not end the outer one";
    outer.Relock(&other, Qel::DrawingSurface::kLockWrite);
    EXPECT_FALSE(surface.IsLocked());
    EXPECT_TRUE(other.IsLocked());
  }
  EXPECT_FALSE(other.IsLocked());
  EXPECT_EQ(surface.unlockCalls + other.unlockCalls, 2);

  Qel::SurfaceLock none(nullptr, Qel::DrawingSurface::kLockWrite);
  EXPECT_FALSE(none.IsLocked());
  EXPECT_EQ(none.GetBits(), nullptr);
}

TEST_F(SurfaceOpsTest, BasePrimitivesAreUnsupportedAndKeyComparesChannels) {
  FakeSurface surface;
  const Qel::Color black(0, 0, 0, 255);
  const Qel::Point2 points[3] = {{0, 0}, {1, 1}, {2, 0}};
  EXPECT_EQ(surface.DrawLine(points[0], points[1], 1, black), 1);
  EXPECT_EQ(surface.DrawPolyline(points, 3, 1, black), 1);
  EXPECT_EQ(surface.DrawEllipse(nullptr, 1, black, black), 1);
  EXPECT_EQ(surface.DrawPolygon(points, 3, 1, black, black), 1);
  EXPECT_EQ(surface.DrawRectangle(nullptr, 1, black, black), 1);

  EXPECT_FALSE(surface.HasColorKey());
  surface.SetColorKey(black);
  EXPECT_TRUE(surface.HasColorKey()) << "opaque black is a key";
  Qel::Color zeroChannels;
  zeroChannels.Unpack(Qel::kPixelFormatIndexed8, 5);  // packed 5, channels all 0
  surface.SetColorKey(zeroChannels);
  EXPECT_FALSE(surface.HasColorKey()) << "the packed value is not compared";
  EXPECT_EQ(surface.GetStorageWidth(), surface.GetWidth());
  EXPECT_EQ(surface.GetPixelFormat(), Qel::kPixelFormatR5G6B5);
}

}  // namespace
