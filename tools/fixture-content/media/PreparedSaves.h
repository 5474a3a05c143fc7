// The prepared save files: players at the points the tests start from, written by the game's own save
// writer, and damaged files the sign-in screen must survive.
#pragma once

#include <string>
#include <vector>

namespace fixture {

struct PreparedSave {
  std::string m_file;  // under "saves/"
  std::string m_description;
  std::string m_bytes;

  friend bool operator==(const PreparedSave&, const PreparedSave&) = default;
};

// Every record is the player of save slot 0: a test copies a file to "SaveGame0.sav". Errors are
// std::runtime_error.
std::vector<PreparedSave> PreparedSaves();

}  // namespace fixture
