// The music game: seven sea creatures that play one-shot or looping parts, eight clams played like
// keys, sound-set shells, a percussion loop and songs that play themselves on a looping tick sound.
#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "framework/InputEventInfo.h"
#include "framework/StepList.h"
#include "frontend/ProgressNode.h"

class ButtonSeries;
class Clickable;
class GameSound;
class GameTimer;
class GenericObject;
class SpriteObject;

class Game3Node : public ProgressNode {
public:
  static constexpr int32_t kNodeId = 9;
  static constexpr int kTrackCount = 7;
  static constexpr int kClamCount = 8;
  static constexpr int kSparkleCount = 8;
  static constexpr const char* kObjectFile = "GAME3_TribalMusic";
  static constexpr const char* kObjectFileLowSpec = "GAME3_TribalMusic_SDL";
  static constexpr const char* kMainCharacter = "NPCPilo";
  static constexpr const char* kMovie = "TribalFMV";
  // The longest a note may last, in ticks; a longer one does not fit its field.
  static constexpr int32_t kLongestNote = 32767;

  // What the node is doing; while a file is read, which file it is, so that its keys are told apart.
  enum Mode : int32_t {
    kFreePlay = 0,
    kReadingLevelList = 1,
    kReadingSetup = 3,
    kReadingScript = 4,
    kReadingSong = 5,
    kSongPlaying = 6,
    kReadingSets = 7,
    kReadingPercussion = 8,
    kRecording = 9,
    kReplaying = 10,
  };

  class Clam;
  class InputTraceList;
  class RecordMeter;

  // One recorded input event: its id and a copy of its record.
  struct _InputTrace {
    int32_t id = 0;
    InputEventInfo info;
  };

  // A snapshot of what the recorder cannot replay as input: the toggles' parts, the song, the
  // percussion and the shells' sets.
  struct TraceState {
    static constexpr uint32_t kToggles = 1u << 0;
    static constexpr uint32_t kSong = 1u << 1;
    static constexpr uint32_t kPercussion = 1u << 2;
    static constexpr uint32_t kSetObjects = 1u << 3;
    static constexpr uint32_t kCaptured = 1u << 4;

    uint32_t flags = 0;
    uint32_t toggles = 0;
    int32_t songIndex = 0;
    int32_t percussionIndex = 0;
    uint8_t setObjects[8] = {};
  };

  // One step of a character's note list: the letter "A" plays, any later letter rests.
  struct Note {
    uint8_t letter = 0;
    bool loop = false;
    int16_t length = 0;
  };

  struct CharacterTrack {
    std::unique_ptr<ButtonSeries> loopToggle;
    GameSound* oneShot = nullptr;
    GameSound* loopSound = nullptr;
    std::list<Note> notes;
    uint32_t noteStart = 0;
    uint32_t noteEnd = 0;
    int32_t noteIndex = -1;
    bool changeRequested = false;
    // In the node; deleted when the song is unloaded.
    Clickable* character = nullptr;
    int32_t loopCount = 0;
  };

  Game3Node();
  ~Game3Node() override;

  void Activate() override;
  void Deactivate() override;
  void Update() override;
  void OnLeftButtonDown(const InputEventInfo& input) override;
  void OnLeftButtonUp(const InputEventInfo& input) override;
  void OnChar(uint16_t code) override;
  void OnSoundFinished(GameSound* sound) override;
  void OnSoundLooped(GameSound* sound) override;
  void Resume(void* data) override;
  void OnTimer(GameTimer* timer) override;
  void OnObjectClicked(GenericObject* object) override;
  void OnAnimationLooped(GenericObject* object) override;
  void OnAnimationEnded(GenericObject* object) override;
  void OnSpeechEvent(int id, void* data) override;
  void SetTxtValue(const char* key, const char* value) override;

  // Reads the text data as the file of that mode; the mode stays. False when there is none.
  bool ReadInMode(Mode mode, const char* name);
  void LoadSong(const char* fileName);
  void UnloadSong();
  // Accepted tokens are a letter (either case), a digit, a colon and a length of 1 to 32767.
  static void ParseNotes(std::list<Note>& notes, const char* value);
  void ParseCharacterSound(CharacterTrack& track, const char* key, const char* value, int32_t index);
  void ToggleCharacter(int32_t index);
  void OnTick();
  void PlaySong();
  void StopSong();
  void PlayNote(CharacterTrack& track, const Note& note);

  // Flags gain kCaptured; the parts only the flags ask for are filled in.
  TraceState CaptureTraceState(uint32_t flags);
  void ApplyTraceState(const TraceState& state);

  int32_t GetMode() const { return m_mode; }
  InputTraceList* GetRecorder() const { return m_recorder.get(); }
  RecordMeter* GetRecordMeter() const { return m_meter.get(); }
  const CharacterTrack& GetTrack(int index) const { return m_tracks[static_cast<size_t>(index)]; }
  Clam* GetClam(int index) const { return m_clams[static_cast<size_t>(index)].get(); }
  const std::vector<std::string>& GetSongList() const { return m_songs; }
  uint32_t GetSongIndex() const { return m_songIndex; }
  int32_t GetStopDelay() const { return m_stopDelay; }
  uint32_t GetTickCount() const { return m_tickCount; }
  GameSound* GetTickSound() const { return m_tickSound; }
  const std::vector<GameSound*>& GetPercussion() const { return m_percussion; }
  int32_t GetPercussionIndex() const { return m_percussionIndex; }
  bool IsPercussionOn() const { return m_percussionOn; }
  const std::vector<std::vector<GameSound*>>& GetSoundSets() const { return m_sets; }
  int32_t GetSetIndex() const { return m_setIndex; }
  bool IsTrackFinished(int index) const { return m_finished[static_cast<size_t>(index)]; }
  bool IsIntroTalking() const { return m_introTalk; }
  bool IsFirstVisit() const { return m_firstVisit; }
  bool IsExiting() const { return m_exiting; }
  bool IsSongChangePending() const { return m_songChangePending; }
  const std::string& GetSetupFile() const { return m_setupFile; }
  const std::string& GetScriptFile() const { return m_scriptFile; }
  const std::string& GetPercussionFile() const { return m_percussionFile; }
  GameTimer* GetMainTimer() const { return m_mainTimer.get(); }

private:
  // The keys of the song's own files: song, setup, script and percussion.
  void ReadSongValue(const char* key, const char* value);
  // The part a track plays: 0 one-shot, 1 looping.
  static int32_t PartOf(CharacterTrack& track);
  // Steps the toggle until it shows the part; at most twice, so a toggle without its buttons gives up.
  static void StepToggleTo(CharacterTrack& track, int32_t part);
  SpriteObject* FindSprite(const char* name) const;
  Clickable* FindClickable(const char* name) const;
  void SetAnimationOf(const char* name, uint32_t animation);
  void ChooseIdle(SpriteObject* object);
  GameSound* CurrentPercussion() const;
  void SilenceTracksAndPercussion();
  void RestoreClickSounds(bool on);
  void ChangeSong();
  void ClickSetObject(GenericObject* object, const char* name);
  void RandomizeSetObjects();
  void ClickRecorderButton(const char* name);
  bool HandleLoopToggle(GenericObject* object);
  void ClickHelp();

  void UpdateRecorderButtons();

  std::array<CharacterTrack, kTrackCount> m_tracks;
  std::vector<GameSound*> m_percussion;
  int32_t m_percussionIndex = 0;
  bool m_percussionRestart = false;
  std::vector<std::vector<GameSound*>> m_sets;
  int32_t m_setIndex = 0;
  uint32_t m_tickCount = 0;
  GameSound* m_tickSound = nullptr;
  std::array<std::unique_ptr<Clam>, kClamCount> m_clams;
  std::array<SpriteObject*, kSparkleCount> m_sparkles{};
  std::array<bool, kTrackCount> m_finished{};
  std::string m_setupFile;
  std::string m_scriptFile;
  std::string m_percussionFile;
  std::vector<std::string> m_songs;
  uint32_t m_songIndex = 0;
  std::unique_ptr<GameTimer> m_mainTimer;
  bool m_firstFrame = false;
  int32_t m_stopDelay = 500;
  bool m_exiting = false;
  bool m_startSongAfterIntro = false;
  bool m_songChangePending = false;
  int32_t m_songChangeCounter = 0;
  bool m_songChangeForward = true;
  bool m_resumeAfterChange = false;
  std::unique_ptr<InputTraceList> m_recorder;
  int32_t m_mode = kFreePlay;
  bool m_percussionOn = false;
  bool m_introTalk = false;
  GameSound* m_introSound = nullptr;
  bool m_firstVisit = false;
  std::unique_ptr<RecordMeter> m_meter;
  StepList<int32_t, 0> m_helpLines;
};
