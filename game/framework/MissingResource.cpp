// Why a resource that no database opens is missing, for the message that names it.
#include "framework/MissingResource.h"

#include "core/ResourceAddress.h"
#include "core/ResourceManager.h"
#include "framework/MainApp.h"
#include "platform/win/kernel/Path.h"

std::string WhyResourceIsMissing(const char* name, uint32_t type) {
  const std::string folder =
      Qel::ResourceManager::GetInstance()->FindFolderInPlace(Qel::NameHash(name ? name : ""), type);
  if (!folder.empty()) return plat::win::LinuxPathAsWritten(folder.c_str()) + " is a folder";
  return GetApp().GetMissingGameData();
}
