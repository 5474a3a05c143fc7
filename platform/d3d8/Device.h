// The software device: its back buffer, frames, clears, copies, gamma and the cursor.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3d8/IDirect3DDevice8.h"
#include "platform/d3d8/Surface.h"

namespace plat::d3d8 {

class Direct3D;

class Device final : public IDirect3DDevice8 {
public:
  // Holds a reference to the Direct3D object; Init makes the back buffer.
  Device(Direct3D* direct3D, const D3DDEVICE_CREATION_PARAMETERS& creation,
         const D3DPRESENT_PARAMETERS& parameters);
  ~Device() override;
  HRESULT Init();

  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT TestCooperativeLevel() override;
  HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override;
  HRESULT GetDeviceCaps(D3DCAPS8* caps) override;
  HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override;
  HRESULT GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) override;
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindowOverride,
                  const void* dirtyRegion) override;
  HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                DWORD stencil) override;
  HRESULT GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type, IDirect3DSurface8** surface) override;
  HRESULT CreateImageSurface(UINT width, UINT height, D3DFORMAT format, IDirect3DSurface8** surface) override;
  HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                        IDirect3DTexture8** texture) override;
  HRESULT CopyRects(IDirect3DSurface8* source, const RECT* sourceRects, UINT count,
                    IDirect3DSurface8* destination, const POINT* destPoints) override;
  void SetGammaRamp(DWORD flags, const D3DGAMMARAMP* ramp) override;
  void GetGammaRamp(D3DGAMMARAMP* ramp) override;
  HRESULT SetCursorProperties(UINT hotspotX, UINT hotspotY, IDirect3DSurface8* image) override;
  BOOL ShowCursor(BOOL show) override;

  Image& BackBufferImage() { return m_backBuffer->GetImage(); }

private:
  void ShowOnScreen();

  Direct3D* m_direct3D;
  ULONG m_references = 1;
  D3DDEVICE_CREATION_PARAMETERS m_creation;
  D3DPRESENT_PARAMETERS m_parameters;
  Surface* m_backBuffer;
  bool m_inScene = false;
  D3DGAMMARAMP m_ramp;
  std::vector<uint32_t> m_cursor;  // A8R8G8B8 rows
  int m_cursorWidth = 0;
  int m_cursorHeight = 0;
  int m_hotspotX = 0;
  int m_hotspotY = 0;
  bool m_cursorShown = false;
  // Screen pixels of every 16-bit value (or P8 index) of the back buffer's format, for a screen
  // whose format is not the back buffer's; 32-bit back buffers use it through R5G6B5 on an 8-bit
  // screen. Rebuilt when the screen's format, its palette or the back buffer's format changes.
  std::vector<uint32_t> m_screenTable;
  const void* m_tableScreenFormat = nullptr;
  D3DFORMAT m_tableSource = D3DFMT_UNKNOWN;
  uint64_t m_tablePalette = 0;
};

}  // namespace plat::d3d8
