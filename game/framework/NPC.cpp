// The non-player character: a character the rooms and games speak through.
#include "framework/NPC.h"

NPC::NPC(const char* objectName, const char* spriteName) : Character(objectName, spriteName) {}
