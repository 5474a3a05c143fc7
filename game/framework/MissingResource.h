// Why a resource that no database opens is missing, for the message that names it.
#pragma once

#include <cstdint>
#include <string>

// A folder that stands where the resource's file would be ("<path> is a folder"), else the data
// folders that start-up found empty (MainApp::GetMissingGameData), else empty: the resource is only
// absent from the databases that are open. Lists the directory databases again, so it is for the
// failure's message only.
std::string WhyResourceIsMissing(const char* name, uint32_t type);
