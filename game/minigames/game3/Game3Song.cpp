// The music game's songs. Until the song files are read, the node loads no song: no characters, no
// tick and no percussion, so the clams, the shells' clicks and the talk are all there is.
#include "game3/Game3Node.h"

void Game3Node::ReadSongValue(const char*, const char*) {}
void Game3Node::ParseNotes(std::list<Note>& notes, const char*) { notes.clear(); }
void Game3Node::ParseCharacterSound(CharacterTrack&, const char*, const char*, int32_t) {}
void Game3Node::ToggleCharacter(int32_t index) {
  if (index < 0 || index >= kTrackCount) return;
  m_tracks[static_cast<size_t>(index)].changeRequested = !m_tracks[static_cast<size_t>(index)].changeRequested;
}
void Game3Node::LoadSong(const char*) { m_mode = kFreePlay; }
void Game3Node::UnloadSong() { m_mode = kFreePlay; }
void Game3Node::PlaySong() { m_mode = kSongPlaying; }
void Game3Node::StopSong() {
  if (m_mode == kSongPlaying) m_mode = kFreePlay;
}
void Game3Node::OnTick() { ++m_tickCount; }
void Game3Node::PlayNote(CharacterTrack&, const Note&) {}
