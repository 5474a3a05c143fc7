// The process-wide copy and blit tables: registering surface-pair operations and finding one for two
// surfaces.
#pragma once

#include <string>
#include <string_view>

#include "graphics/SurfaceOpFn.h"

namespace Qel {

class DrawingSurface;

// "source|destination", from the names the run-time type information reports for the two classes.
std::string MakeSurfaceOpKey(std::string_view sourceTypeName, std::string_view destinationTypeName);

// A null operation removes the pair.
void RegisterCopyOp(std::string_view sourceTypeName, std::string_view destinationTypeName, SurfaceOpFn op);
void RegisterBlitOp(std::string_view sourceTypeName, std::string_view destinationTypeName, SurfaceOpFn op);
void UnregisterCopyOp(std::string_view sourceTypeName, std::string_view destinationTypeName);
void UnregisterBlitOp(std::string_view sourceTypeName, std::string_view destinationTypeName);
// Exact pair only; null when absent.
SurfaceOpFn FindCopyOp(std::string_view sourceTypeName, std::string_view destinationTypeName);
SurfaceOpFn FindBlitOp(std::string_view sourceTypeName, std::string_view destinationTypeName);

// The operation for two surfaces, falling back on the base classes of each; null when there is none.
SurfaceOpFn LookupCopyOp(DrawingSurface* source, DrawingSurface* destination);
// As LookupCopyOp, with one more fall-back (a base of the source onto the destination's own class) and a
// per-source cache of the last destination.
SurfaceOpFn LookupBlitOp(DrawingSurface* source, DrawingSurface* destination);

}  // namespace Qel
