// The process-wide copy and blit tables: registering surface-pair operations and finding one for two
// surfaces.
#include "graphics/SurfaceOps.h"

#include <typeinfo>
#include <vector>

#include "graphics/DrawingSurface.h"
#include "graphics/SurfaceOpTable.h"

namespace Qel {
namespace {

SurfaceOpTable sCopyOps;
SurfaceOpTable sBlitOps;

const char* TypeNameOf(const DrawingSurface& surface) {
  return typeid(surface).name();
}

std::vector<std::string> BaseTypeNamesOf(const DrawingSurface& surface) {
  std::vector<std::string> names;
  surface.GetBaseTypeNames(names);
  return names;
}

// Exact pair, then the destination's bases, then the source's bases onto the destination's own class
// (how any surface reaches a destination that registered (base, itself)), then base against base.
SurfaceOpFn SearchBlitOp(const DrawingSurface& source, const DrawingSurface& destination) {
  const char* sourceName = TypeNameOf(source);
  const char* destinationName = TypeNameOf(destination);
  if (SurfaceOpFn op = FindBlitOp(sourceName, destinationName)) return op;

  const std::vector<std::string> destinationBases = BaseTypeNamesOf(destination);
  for (const std::string& d : destinationBases) {
    if (SurfaceOpFn op = FindBlitOp(sourceName, d)) return op;
  }
  const std::vector<std::string> sourceBases = BaseTypeNamesOf(source);
  for (const std::string& s : sourceBases) {
    if (SurfaceOpFn op = FindBlitOp(s, destinationName)) return op;
  }
  for (const std::string& s : sourceBases) {
    for (const std::string& d : destinationBases) {
      if (SurfaceOpFn op = FindBlitOp(s, d)) return op;
    }
  }
  return nullptr;
}

}  // namespace

std::string MakeSurfaceOpKey(std::string_view sourceTypeName, std::string_view destinationTypeName) {
  std::string key;
  key.reserve(sourceTypeName.size() + 1 + destinationTypeName.size());
  key.append(sourceTypeName).append(1, '|').append(destinationTypeName);
  return key;
}

void RegisterCopyOp(std::string_view sourceTypeName, std::string_view destinationTypeName, SurfaceOpFn op) {
  sCopyOps.Register(MakeSurfaceOpKey(sourceTypeName, destinationTypeName), op);
}

void RegisterBlitOp(std::string_view sourceTypeName, std::string_view destinationTypeName, SurfaceOpFn op) {
  sBlitOps.Register(MakeSurfaceOpKey(sourceTypeName, destinationTypeName), op);
}

void UnregisterCopyOp(std::string_view sourceTypeName, std::string_view destinationTypeName) {
  sCopyOps.Unregister(MakeSurfaceOpKey(sourceTypeName, destinationTypeName));
}

void UnregisterBlitOp(std::string_view sourceTypeName, std::string_view destinationTypeName) {
  sBlitOps.Unregister(MakeSurfaceOpKey(sourceTypeName, destinationTypeName));
}

SurfaceOpFn FindCopyOp(std::string_view sourceTypeName, std::string_view destinationTypeName) {
  return sCopyOps.Find(MakeSurfaceOpKey(sourceTypeName, destinationTypeName));
}

SurfaceOpFn FindBlitOp(std::string_view sourceTypeName, std::string_view destinationTypeName) {
  return sBlitOps.Find(MakeSurfaceOpKey(sourceTypeName, destinationTypeName));
}

SurfaceOpFn LookupCopyOp(DrawingSurface* source, DrawingSurface* destination) {
  if (!source || !destination) return nullptr;
  const char* sourceName = TypeNameOf(*source);
  if (SurfaceOpFn op = FindCopyOp(sourceName, TypeNameOf(*destination))) return op;

  const std::vector<std::string> destinationBases = BaseTypeNamesOf(*destination);
  for (const std::string& d : destinationBases) {
    if (SurfaceOpFn op = FindCopyOp(sourceName, d)) return op;
  }
  // Copies never try a base of the source against the destination's own class: a class that registers
  // (base, itself) for blits does not take copies that way.
  for (const std::string& s : BaseTypeNamesOf(*source)) {
    for (const std::string& d : destinationBases) {
      if (SurfaceOpFn op = FindCopyOp(s, d)) return op;
    }
  }
  return nullptr;
}

SurfaceOpFn LookupBlitOp(DrawingSurface* source, DrawingSurface* destination) {
  if (!source || !destination) return nullptr;
  const std::type_info& destinationType = typeid(*destination);
  const uint64_t generation = sBlitOps.GetGeneration();
  if (source->m_cachedBlitOp && source->m_cachedBlitDestination == destination &&
      source->m_cachedBlitDestinationType == &destinationType &&
      source->m_cachedBlitGeneration == generation) {
    return source->m_cachedBlitOp;
  }
  const SurfaceOpFn op = SearchBlitOp(*source, *destination);
  // A miss is stored too, but never served: the next call searches again.
  source->m_cachedBlitOp = op;
  source->m_cachedBlitDestination = destination;
  source->m_cachedBlitDestinationType = &destinationType;
  source->m_cachedBlitGeneration = generation;
  return op;
}

}  // namespace Qel
