// The music game's songs: the text data of the song, setup, script and percussion files, loading and
// unloading a song, and the tick engine that plays the characters' note lists.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "core/Trace.h"
#include "framework/ButtonSeries.h"
#include "framework/Clickable.h"
#include "framework/GameSound.h"
#include "framework/GameTimer.h"
#include "framework/SpriteObject.h"
#include "framework/ValueTokenizer.h"
#include "game3/Game3Clam.h"
#include "game3/Game3Node.h"
#include "game3/Game3Text.h"
#include "platform/win/kernel/AsciiCase.h"
#include "sound/Sound.h"

namespace {

bool Is(const char* key, const char* name) {
  return key && plat::EqualsIgnoringCase(key, name);
}

void Stop(GameSound* sound) {
  if (sound) sound->Stop();
}

void SetFullVolume(GameSound* sound) {
  if (sound && sound->GetEngineSound()) sound->GetEngineSound()->SetVolume(1.0f);
}

// The order in which a setup key's character prefix is tried.
constexpr int kSetupOrder[] = {0, 1, 6, 3, 4, 2, 5};

}  // namespace

void Game3Node::ReadSongValue(const char* key, const char* value) {
  switch (m_mode) {
    case kReadingSong:
      if (Is(key, "Setup")) {
        m_setupFile = value;
      } else if (Is(key, "Script")) {
        m_scriptFile = value;
      } else if (Is(key, "Precussion")) {
        m_percussionFile = value;
      }
      break;
    case kReadingSetup: {
      for (const int index : kSetupOrder) {
        const std::string prefix = std::string(game3::kCharacterNames[index]) + "_";
        if (game3::StartsWith(key, prefix.c_str())) {
          ParseCharacterSound(m_tracks[static_cast<size_t>(index)], key, value, index);
          return;
        }
      }
      if (game3::StartsWith(key, "Head_")) {
        const int index = game3::TrackOfCharacterName(key + 5);
        if (index < 0) return;
        CharacterTrack& track = m_tracks[static_cast<size_t>(index)];
        if (track.character) {
          Qel::Trace("WARN: Game3: a second head for '%s' was ignored\n", game3::kCharacterNames[index]);
          return;
        }
        const std::string name = "char" + std::to_string(index);
        auto character = std::make_unique<Clickable>(name.c_str(), value, 0);
        character->SetZ(10);
        character->SetRolloverCursor(1);
        AddObject(character.get());
        track.character = character.release();
        return;
      }
      if (game3::StartsWith(key, "clam") && std::strlen(key) == 5 && key[4] >= '0' &&
          key[4] < '0' + kClamCount) {
        ValueTokenizer tokens(value);
        std::string files[3];
        int count = 0;
        for (; count < 3; ++count) {
          const char* token = tokens.NextToken();
          if (!token) break;
          files[count] = token;
        }
        if (Clam* clam = m_clams[static_cast<size_t>(key[4] - '0')].get()) {
          if (count == 3) {
            clam->SetSounds(files[0].c_str(), files[1].c_str(), files[2].c_str());
          } else {
            clam->SetSounds(nullptr, nullptr, nullptr);
          }
        }
      }
      break;
    }
    case kReadingScript:
      if (Is(key, "TickTime")) {
        m_tickSound = GetSound("TickTime", value, false);
      } else if (const int index = game3::TrackOfCharacterName(key); index >= 0) {
        ParseNotes(m_tracks[static_cast<size_t>(index)].notes, value);
      }
      break;
    case kReadingPercussion: {
      GameSound* sound = GetSound(key, value, false);
      SetFullVolume(sound);
      m_percussion.push_back(sound);
      break;
    }
    default:
      break;
  }
}

void Game3Node::ParseNotes(std::list<Note>& notes, const char* value) {
  notes.clear();
  if (!value) return;
  ValueTokenizer tokens(value);
  while (const char* token = tokens.NextToken()) {
    if (const std::optional<Note> note = game3::ParseNoteToken(token)) {
      notes.push_back(*note);
    } else {
      Qel::Trace("'%s' is not valid note information.\n", token);
    }
  }
}

void Game3Node::ParseCharacterSound(CharacterTrack& track, const char* key, const char* value,
                                    int32_t index) {
  const size_t length = key ? std::strlen(key) : 0;
  if (length == 0 || key[length - 1] < '0' || key[length - 1] > '9') {
    Qel::Trace("'%s' is not valid sound file information.\n", key ? key : "");
    return;
  }
  const int part = key[length - 1] == '0' ? 0 : 1;
  const std::string name = "char" + std::to_string(index) + "_" + std::to_string(part);
  GameSound* sound = GetSound(name.c_str(), value, false);
  (part == 0 ? track.oneShot : track.loopSound) = sound;
}

void Game3Node::ToggleCharacter(int32_t index) {
  if (index < 0 || index >= kTrackCount) return;
  CharacterTrack& track = m_tracks[static_cast<size_t>(index)];
  track.changeRequested = !track.changeRequested;
}

void Game3Node::LoadSong(const char* fileName) {
  m_mode = kReadingSong;
  m_tickCount = 0;
  Qel::Trace("attempting to load: '%s' song data file.\n", fileName ? fileName : "");
  m_setupFile.clear();
  m_scriptFile.clear();
  m_percussionFile.clear();
  if (!LoadTxtData(fileName)) Qel::Trace("WARN: Game3: no song file '%s'\n", fileName ? fileName : "");
  const auto read = [this](Mode mode, const std::string& file, const char* what) {
    m_mode = mode;
    if (file.empty()) {
      Qel::Trace("WARN: Game3: the song names no %s file\n", what);
    } else if (!ReadInMode(mode, file.c_str())) {
      Qel::Trace("WARN: Game3: no %s file '%s'\n", what, file.c_str());
    }
  };
  read(kReadingSetup, m_setupFile, "setup");
  read(kReadingScript, m_scriptFile, "script");
  read(kReadingPercussion, m_percussionFile, "percussion");

  m_percussionIndex = 0;
  m_setIndex = 0;
  m_finished.fill(true);
  if (Clickable* character = m_tracks[4].character) character->ClearEnabled();
  if (Clickable* character = m_tracks[3].character) character->SetPosition(0.0f, 10.0f);
  if (SpriteObject* icon = dynamic_cast<SpriteObject*>(FindObject("songIcon")))
    icon->SetAnimation(m_songIndex, 0);
  if (m_tickSound) {
    m_tickSound->Play(true, true);
  } else {
    Qel::Trace("WARN: Game3: the song has no 'TickTime' sound; nothing will play\n");
  }
  m_mode = kFreePlay;
}

void Game3Node::UnloadSong() {
  m_mode = kFreePlay;
  Qel::Trace("beginning unload of '%s'.\n", m_songIndex < m_songs.size() ? m_songs[m_songIndex].c_str() : "");
  // The files may name one sound in two roles (a percussion key "TickTime"): each is let go once, and
  // none that the shells or the node itself still use.
  std::vector<GameSound*> released;
  const auto release = [this, &released](GameSound*& sound) {
    if (!sound || std::find(released.begin(), released.end(), sound) != released.end()) {
      sound = nullptr;
      return;
    }
    sound->Stop();
    bool keep = sound == m_introSound || sound == GetClickSound();
    for (const std::vector<GameSound*>& set : m_sets)
      keep = keep || std::find(set.begin(), set.end(), sound) != set.end();
    if (!keep) {
      released.push_back(sound);
      ReleaseSound(sound);
    }
    sound = nullptr;
  };
  for (CharacterTrack& track : m_tracks) {
    release(track.loopSound);
    release(track.oneShot);
    if (track.character) {
      RemoveObject(track.character);
      delete track.character;
      track.character = nullptr;
    }
    track.notes.clear();
    track.noteIndex = -1;
  }
  m_setupFile.clear();
  m_scriptFile.clear();
  m_percussionFile.clear();
  for (GameSound*& sound : m_percussion) release(sound);
  m_percussion.clear();
  // Stopped first: a sound that still plays is not released, and the next song would find the old
  // tick by its name and keep its tempo.
  release(m_tickSound);
  for (auto& clam : m_clams) {
    if (clam) clam->SetSounds(nullptr, nullptr, nullptr);
  }
}

void Game3Node::PlaySong() {
  for (CharacterTrack& track : m_tracks) {
    Stop(track.oneShot);
    Stop(track.loopSound);
    track.changeRequested = false;
    track.noteIndex = 0;
    track.noteStart = 0;
    track.noteEnd = 0;
    track.loopCount = 0;
  }
  GetMainTimer()->Stop(false);
  m_tickCount = 0;
  m_mode = kSongPlaying;
}

void Game3Node::StopSong() {
  if (m_mode != kSongPlaying) return;
  GameSound* percussion = CurrentPercussion();
  if (IsSoundPlaying(percussion)) percussion->Stop();
  m_percussionOn = false;
  for (CharacterTrack& track : m_tracks) {
    Stop(track.oneShot);
    Stop(track.loopSound);
    if (track.character) track.character->SetAnimation(0, 0);
  }
  m_mode = kFreePlay;
}

void Game3Node::OnTick() {
  ++m_tickCount;
  if (m_mode == kSongPlaying) {
    int finished = 0;
    for (CharacterTrack& track : m_tracks) {
      if (track.noteIndex >= 0 && static_cast<size_t>(track.noteIndex) < track.notes.size()) {
        PlayNote(track, *std::next(track.notes.begin(), track.noteIndex));
      } else {
        ++finished;
      }
    }
    if (finished == kTrackCount) {
      StopSong();
      PlaySong();
    }
  } else {
    Qel::Trace("=> tick %u.\n", static_cast<unsigned>(m_tickCount));
    for (int i = 0; i < kTrackCount; ++i) {
      CharacterTrack& track = m_tracks[static_cast<size_t>(i)];
      if (!track.changeRequested) continue;
      ToggleCharacter(i);
      const bool looping = PartOf(track) == 1;
      if (looping && IsSoundPlaying(track.loopSound)) {
        track.loopSound->Stop();
        m_finished[static_cast<size_t>(i)] = true;
        if (track.character) track.character->SetAnimation(0, 0);
      } else if (looping) {
        if (track.loopSound) track.loopSound->Play(true, true);
        m_finished[static_cast<size_t>(i)] = false;
        if (track.character) track.character->SetAnimation(3, 0);
      } else {
        if (track.oneShot) track.oneShot->Play(false, true);
        m_finished[static_cast<size_t>(i)] = false;
        if (track.character) track.character->SetAnimation(4, 0);
      }
    }
  }

  if (m_percussionRestart) {
    m_percussionRestart = false;
    GameSound* current = CurrentPercussion();
    if (IsSoundPlaying(current)) {
      current->Stop();
    } else if (current) {
      for (GameSound* sound : m_percussion) Stop(sound);
      current->Play(true, true);
    } else {
      Qel::Trace("WARN: Game3: the song has no percussion to play\n");
    }
  }
}

void Game3Node::PlayNote(CharacterTrack& track, const Note& note) {
  const uint32_t now = m_tickCount;
  const size_t index = static_cast<size_t>(&track - m_tracks.data());
  // At a note's end tick the index moves on; past the last note the track falls silent.
  const auto endNote = [&track] {
    ++track.noteIndex;
    if (static_cast<size_t>(track.noteIndex) == track.notes.size()) {
      Stop(track.oneShot);
      Stop(track.loopSound);
      if (track.character) track.character->SetAnimation(0, 0);
    }
  };
  if (now <= track.noteEnd) {
    if (now != 0 && now == track.noteEnd) endNote();
    return;
  }
  Stop(track.oneShot);
  Stop(track.loopSound);
  if (note.letter > 0) {
    if (track.character) track.character->SetAnimation(0, 0);
  } else {
    StepToggleTo(track, note.loop ? 1 : 0);
    GameSound* percussion = CurrentPercussion();
    if (!note.loop) {
      if (IsSoundPlaying(percussion)) percussion->Stop();
      m_percussionOn = false;
      if (track.oneShot) track.oneShot->Play(false, true);
      if (track.character) track.character->SetAnimation(4, 0);
    } else {
      if (percussion && !IsSoundPlaying(percussion)) {
        percussion->Play(false, true);
        m_percussionOn = true;
      }
      if (track.loopSound) track.loopSound->Play(true, true);
      if (track.character) track.character->SetAnimation(3, 0);
    }
    m_finished[index] = false;
  }
  track.noteStart = now;
  track.noteEnd = now + static_cast<uint32_t>(note.length);
  // A note of length 0 ends at the tick it starts, so the next one starts at the next tick, as
  // after any note, instead of this one starting again.
  if (note.length == 0) endNote();
}
