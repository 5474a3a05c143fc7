// The Direct3D object (stub until the software device lands).
#include "platform/d3d8/D3D8.h"

namespace plat::d3d8 {

IDirect3D8* Direct3DCreate8(UINT /*sdkVersion*/) {
  return nullptr;
}

}  // namespace plat::d3d8
