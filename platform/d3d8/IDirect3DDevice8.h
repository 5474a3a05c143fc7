// The device: the back buffer, frames, clears, copies between surfaces, gamma and the cursor.
#pragma once

#include "platform/d3d8/D3D8Types.h"
#include "platform/d3d8/IDirect3DSurface8.h"
#include "platform/d3d8/IDirect3DTexture8.h"

namespace plat::d3d8 {

class IDirect3D8;

// Reference counted: Release, never delete. Everything it made holds a reference to it, except the
// back buffer, which it owns. Main thread only.
class IDirect3DDevice8 {
public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

  // D3D_OK, D3DERR_DEVICELOST (nothing can be done yet) or D3DERR_DEVICENOTRESET (Reset may now
  // succeed); the adapter profile decides (AdapterProfile.h).
  virtual HRESULT TestCooperativeLevel() = 0;
  // Rebuilds the back buffer from the parameters (its pixels start black). D3DERR_INVALIDCALL while
  // anyone still holds the old back buffer; D3DERR_DEVICELOST while the device is lost.
  virtual HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) = 0;
  virtual HRESULT GetDeviceCaps(D3DCAPS8* caps) = 0;
  virtual HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) = 0;
  virtual HRESULT GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) = 0;

  // The scene brackets do not nest; BeginScene twice or EndScene without one is D3DERR_INVALIDCALL.
  virtual HRESULT BeginScene() = 0;
  virtual HRESULT EndScene() = 0;
  // Shows the back buffer in the SDL window (converted to the window's format; nothing to show
  // without a video mode). Rectangles, the override window and the dirty region must be null.
  // D3DERR_DEVICELOST while the device is lost.
  virtual HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindowOverride,
                          const void* dirtyRegion) = 0;
  // Fills the rectangles (clipped to the back buffer) or, for count 0, all of it. Only
  // D3DCLEAR_TARGET has anything to clear; a count without rectangles is D3DERR_INVALIDCALL.
  virtual HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                        DWORD stencil) = 0;

  // Index 0 only, with a reference added.
  virtual HRESULT GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8** surface) = 0;
  // A system-memory surface. Sizes of 0 or formats outside D3D8Types.h are D3DERR_INVALIDCALL; more
  // than the adapter profile's memory is E_OUTOFMEMORY.
  virtual HRESULT CreateImageSurface(UINT width, UINT height, D3DFORMAT format,
                                     IDirect3DSurface8** surface) = 0;
  // Levels 0 and 1 both make one level. Past the profile's memory: D3DERR_OUTOFVIDEOMEMORY.
  virtual HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                                D3DPOOL pool, IDirect3DTexture8** texture) = 0;
  // Copies rectangles between two surfaces of one format without scaling: each source rectangle to
  // the point at the same index (to its own position when points is null). Count 0 copies the whole
  // source to the first point or (0, 0). Any rectangle outside its surface, a format mismatch or the
  // same surface on both sides is D3DERR_INVALIDCALL, and nothing is copied.
  virtual HRESULT CopyRects(IDirect3DSurface8* source, const RECT* sourceRects, UINT count,
                            IDirect3DSurface8* destination, const POINT* destPoints) = 0;

  // Takes effect on the SDL display at once (when a video mode is set).
  virtual void SetGammaRamp(DWORD flags, const D3DGAMMARAMP* ramp) = 0;
  virtual void GetGammaRamp(D3DGAMMARAMP* ramp) = 0;

  // The cursor image: an A8R8G8B8 surface of 32 × 32 or 64 × 64 (else D3DERR_INVALIDCALL), copied
  // now. A shown cursor is blended over each presented frame at the mouse position, hotspot first.
  virtual HRESULT SetCursorProperties(UINT hotspotX, UINT hotspotY, IDirect3DSurface8* image) = 0;
  // Returns whether the cursor was shown before.
  virtual BOOL ShowCursor(BOOL show) = 0;

protected:
  virtual ~IDirect3DDevice8() = default;
};

}  // namespace plat::d3d8
