// The Direct3D back buffer: the one destination of every frame, drawn on through the sprite object and a
// scratch texture.
#pragma once

#include "graphics/D3DSurface.h"
#include "platform/d3d8/ID3DXSprite.h"
#include "platform/d3d8/IDirect3DTexture8.h"

namespace Qel {

class D3DTexture;

class D3DBackBuffer : public D3DSurface {
public:
  // Takes over the three references.
  D3DBackBuffer(plat::d3d8::IDirect3DSurface8* surface, plat::d3d8::ID3DXSprite* sprite,
                plat::d3d8::IDirect3DTexture8* scratch);
  ~D3DBackBuffer() override;

  plat::d3d8::IDirect3DTexture8* GetScratchTexture() const { return m_scratch; }
  plat::d3d8::ID3DXSprite* GetSprite() const { return m_sprite; }

  // Bracket the frame's draws; nothing without a sprite.
  void BeginSpriteBatch();
  void EndSpriteBatch();

  // Draws the source rectangle (null: the whole of level 0) scaled into the destination rectangle (null:
  // the whole back buffer). 0 on success (an empty source or destination draws nothing), 1 on failure,
  // 102 without a sprite.
  int DrawTexture(plat::d3d8::IDirect3DTexture8* texture, const Rect* sourceRect,
                  const Rect* destinationRect);
  // As above; a missing source rectangle is the texture's image, not its larger storage.
  int DrawTexture(const D3DTexture& texture, const Rect* sourceRect, const Rect* destinationRect);
  // An image surface onto the back buffer: copied straight when it is opaque, unkeyed, of the back
  // buffer's format and size and lies inside; otherwise drawn in tiles through the scratch texture.
  int DrawSurface(const D3DSurface& source, const Rect* sourceRect, const Rect* destinationRect);

  // Shapes are drawn by GDI into a bitmap of their box (clipped to the back buffer), then drawn like a
  // texture. 0 on success, 1 on failure.
  int DrawLine(const Point2& from, const Point2& to, int penWidth, const Color& color) override;
  int DrawPolyline(const Point2* points, int count, int penWidth, const Color& color) override;
  int DrawEllipse(const Rect* area, int penWidth, const Color& outline, const Color& fill) override;
  int DrawPolygon(const Point2* points, int count, int penWidth, const Color& outline,
                  const Color& fill) override;
  int DrawRectangle(const Rect* area, int penWidth, const Color& outline, const Color& fill) override;

private:
  enum class Shape { kPolyline, kEllipse, kPolygon, kRectangle };
  int DrawShape(Shape shape, const Rect& box, const Point2* points, int count, int penWidth,
                const Color& outline, const Color* fill);
  // Uploads a 32-bit picture of the box in scratch-sized tiles and draws each.
  int DrawPicture(const uint32_t* pixels, const Rect& box);

  plat::d3d8::ID3DXSprite* m_sprite;
  plat::d3d8::IDirect3DTexture8* m_scratch;
};

}  // namespace Qel
