// The ride's talk: the spoken intro with Brago, Zelka and Tovin, the families of lines that comment
// on play, the good-bye line and the help narration.
#include <iterator>
#include <memory>

#include "framework/ActivePlayerData.h"
#include "framework/Ambient.h"
#include "framework/Background.h"
#include "framework/CCSound.h"
#include "framework/GameSound.h"
#include "framework/GameButton.h"
#include "framework/MainApp.h"
#include "framework/MusicManager.h"
#include "framework/SpriteObject.h"
#include "game7/Game7LevelProgress.h"
#include "game7/Game7LevelSelector.h"
#include "game7/Game7Node.h"
#include "game7/Game7Objects.h"
#include "platform/win/kernel/AsciiCase.h"
#include "platform/win/kernel/Random.h"

namespace {

constexpr const char* kPosData = "GAME7_posdata";
constexpr const char* kExitLineName = "endLevelDialog";
constexpr const char* kVortexSound = "VortexOnScreen";
constexpr uint32_t kHelpPage = 13;

// Brago's opening animation, the cast's talking pose, and Brago's listening pose after the speech.
constexpr uint32_t kBragoOpening = 5;
constexpr uint32_t kCastTalking = 4;
constexpr uint32_t kBragoAfterSpeech = 6;

constexpr const char* kIntroHeads[] = {"introBragoHead", "introZelkaHead", "introTovinHead"};
constexpr const char* kIntroTalkies[] = {"introBragoTalkie", "introZelkaTalkie", "introTovinTalkie"};

struct IntroLine {
  uint32_t speaker;
  const char* line;
};
constexpr IntroLine kFirstVisitIntro[] = {{0, "3230"}, {2, "3240"}, {0, "3250"}, {2, "3260"},
                                          {0, "3270"}, {1, "3490"}, {0, "3330"}};
constexpr IntroLine kLaterVisitIntro[] = {{0, "3320"}, {2, "3451"}};
constexpr const char* kVortexIntroLine = "3591";
constexpr const char* kKidIntroLine = "3502";

constexpr const char* kChatterLines[] = {"3540", "3640", "3533", "3456", "3470", "3493", "3560", "3435",
                                         "3441", "3450", "3434", "3437", "3510", "3440", "3430", "3443",
                                         "3460", "3458", "3432", "3491", "3536", "3438", "3432", "3492",
                                         "3451", "3620", "3550", "3495", "3445"};
constexpr const char* kHitLines[] = {"3390", "3455", "3500", "3500", "3503", "3503",
                                     "3447", "3400", "3400", "3420", "3444"};
constexpr const char* kKnockoutLines[] = {"3449", "3421", "3448"};
constexpr const char* kVortexLines[] = {"3501", "3520", "3453", "3507"};
constexpr const char* kMissedLines[] = {"3505", "3454", "3504"};
constexpr const char* kLevelStartLines[] = {"3360", "3590", "3280", "3480", "3800", "3494", "3410", "3422"};
constexpr const char* kExitLines[] = {"3801", "3810", "3431", "3311"};

struct HelpEntry {
  const char* line;
  int32_t pageSequence;
};
constexpr HelpEntry kHelpEntries[] = {{"3301", 0}, {"3380", 2}, {"3340", 0}, {"3350", 4},
                                      {"3350", 5}, {"3310", 0}, {"3506", 1}, {"3390", 5},
                                      {"3291", 0}, {"3370", 3}, {"3390", 5}};

// A line's caption is its number.
uint32_t LineNumber(const char* line) {
  uint32_t number = 0;
  for (const char* c = line; *c >= '0' && *c <= '9'; ++c) number = number * 10 + static_cast<uint32_t>(*c - '0');
  return number;
}

// The family's next entry; the counter wraps to the first after the last.
template <size_t N>
const char* Next(const char* const (&family)[N], int32_t& counter) {
  if (counter < 0 || static_cast<size_t>(counter) >= N) counter = 0;
  const char* line = family[counter];
  counter = static_cast<size_t>(counter) + 1 < N ? counter + 1 : 0;
  return line;
}

std::unique_ptr<Ambient> MakeAmbient(const char* name, const char* sprite, float x, float y, uint32_t depth) {
  auto object = std::make_unique<Ambient>(name, sprite, SpriteObject::kClockGame);
  object->SetPosition(x, y);
  object->SetZ(depth);
  return object;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The intro

std::array<GenericObject*, 7> Game7Node::PlayScreenObjects() const {
  return {m_navBar,
          m_levelProgress->m_bar,
          m_levelSelector->m_left,
          m_levelSelector->m_right,
          m_livesMeter,
          m_exitButton,
          m_helpButton};
}

void Game7Node::SetUpIntro() {
  m_introVortexShown = false;
  for (GenericObject* object : PlayScreenObjects()) SetShown(object, false);
  const char* objectFile = GetApp().IsAlphaCapable() ? kObjectFile : kObjectFileSdl;
  m_introBackground = std::make_unique<Background>("introbk", "turt_intro_bkg");
  AddObject(m_introBackground.get());
  for (size_t speaker = 0; speaker < m_introHeads.size(); ++speaker) {
    m_introHeads[speaker] = RequireObject<SpriteObject>(kIntroHeads[speaker], objectFile);
    m_introTalkies[speaker] = RequireObject<SpriteObject>(kIntroTalkies[speaker], objectFile);
  }
  m_introBody = MakeAmbient("introBragoBdy", "turtles_bragobody", 0.0f, 0.0f, 101);
  m_introFinRight = MakeAmbient("introBragoRFin", "turtles_bragofinR", 0.0f, 0.0f, 102);
  m_introFinLeft = MakeAmbient("introBragoLFin", "turtles_bragofinL", 0.0f, 0.0f, 103);
  for (Ambient* part : {m_introBody.get(), m_introFinRight.get(), m_introFinLeft.get()}) AddObject(part);
  for (size_t speaker = 0; speaker < m_introHeads.size(); ++speaker) {
    if (speaker > 0) m_introHeads[speaker]->SetAnimation(0, 0);
    SetSpeaker(static_cast<int32_t>(speaker), kIntroHeads[speaker], kIntroTalkies[speaker], kPosData, 1, 0);
  }
  m_introHeads[0]->SetAnimation(kBragoOpening, 0);
}

void Game7Node::OnIntroAnimationEnded(GenericObject* object) {
  if (!object) return;
  if (object == m_introHeads[0] && m_introHeads[0]->GetAnimationId() == kBragoOpening) {
    // The speech starts once: Brago's head shows other animations from here on.
    const bool firstVisit = Entry().firstTime == 1;
    if (firstVisit) Entry().firstTime = 0;
    auto queue = [&](const IntroLine& line) {
      m_introHeads[line.speaker]->SetAnimation(kCastTalking, 0);
      QueueLine(line.speaker, line.line, LineNumber(line.line));
    };
    if (firstVisit) {
      for (const IntroLine& line : kFirstVisitIntro) queue(line);
    } else {
      for (const IntroLine& line : kLaterVisitIntro) queue(line);
    }
    StartSpeech(0, false, true);
  } else if (m_introKid && object == m_introKid.get()) {
    PlayCommentLine(kKidIntroLine);
    if (m_introVortex) m_introVortex->SetAnimation(1, 0);
  } else if (m_introVortex && object == m_introVortex.get() && m_introVortex->GetAnimationId() == 1) {
    EndIntro();
  }
}

void Game7Node::OnIntroSpeechStopped() {
  if (m_introVortexShown) return;
  m_introVortexShown = true;
  m_introVortex = MakeAmbient("vortexintro", GetApp().IsAlphaCapable() ? "Introvortex" : "Introvortex_sdl",
                              800.0f, 0.0f, 140);
  AddObject(m_introVortex.get());
  m_introVortex->MoveToward(700.0f, 0.0f, 200.0f);
  m_introKid = MakeAmbient("introKid", "turtles_kidswim2", 0.0f, 0.0f, 150);
  AddObject(m_introKid.get());
  PlayCommentLine(kVortexIntroLine);
  m_introHeads[0]->SetAnimation(kBragoAfterSpeech, 0);
}

void Game7Node::EndIntro() {
  MusicManager::Instance().StopMusic();
  PlayMusic(kPlayMusic);
  for (std::unique_ptr<Ambient>* part : {&m_introBody, &m_introFinRight, &m_introFinLeft, &m_introKid}) {
    if (*part) RemoveObject(part->get());
    part->reset();
  }
  if (m_introBackground) RemoveObject(m_introBackground.get());
  m_introBackground.reset();
  for (size_t speaker = 0; speaker < m_introHeads.size(); ++speaker) {
    for (SpriteObject* object : {m_introHeads[speaker], m_introTalkies[speaker]}) {
      game7::Park(object);
      RemoveObject(object);
    }
  }
  // Kept until deactivation: an end of its animation may still be on its way.
  if (m_introVortex) {
    game7::Park(m_introVortex.get());
    SetShown(m_introVortex.get(), false);
    RemoveObject(m_introVortex.get());
  }
  for (GenericObject* object : PlayScreenObjects()) SetShown(object, true);
  m_backgroundTop = MakeAmbient("bkTop", "turtbkg_all", 0.0f, 0.0f, 0);
  m_backgroundTop->SetAnimation(0, 0);
  m_backgroundMiddle = MakeAmbient("bkMiddle", "turtbkg_all", 0.0f, 80.0f, 0);
  m_backgroundMiddle->SetAnimation(2, 0);
  AddObject(m_backgroundTop.get());
  AddObject(m_backgroundMiddle.get());
  StartLevel();
}

void Game7Node::DeleteIntroObjects() {
  for (std::unique_ptr<Ambient>* part :
       {&m_introBody, &m_introFinRight, &m_introFinLeft, &m_introKid, &m_introVortex}) {
    if (*part) RemoveObject(part->get());
    part->reset();
  }
  if (m_introBackground) RemoveObject(m_introBackground.get());
  m_introBackground.reset();
}

// ---------------------------------------------------------------------------------------------
// Spoken lines

CCSound* Game7Node::MakeLine(const char* soundName, const char* file) {
  return GetCCSound(soundName, file, LineNumber(file), false);
}

void Game7Node::DropSpokenLines() {
  for (CCSound** line : {&m_chatterLine, &m_commentLine}) {
    if (!*line) continue;
    (*line)->Stop();
    ReleaseSound(*line);
    *line = nullptr;
  }
}

void Game7Node::PlayCommentLine(const char* line) {
  DropSpokenLines();
  m_commentLine = MakeLine(line, line);
  if (m_commentLine) m_commentLine->Play(false, true);
}

void Game7Node::PlayChatterLine() {
  const int32_t state = GetState();
  if (state == HIT || state == KNOCKED_OUT || IsSoundPlaying(m_commentLine) || IsSoundPlaying(m_chatterLine))
    return;
  if (m_chatterLine) ReleaseSound(m_chatterLine);
  const char* line = Next(kChatterLines, m_chatterNext);
  m_chatterLine = MakeLine(line, line);
  if (m_chatterLine) m_chatterLine->Play(false, true);
}

void Game7Node::PlayHitLine() {
  if (IsSoundPlaying(m_commentLine)) return;
  if (m_chatterLine) {
    m_chatterLine->Stop();
    ReleaseSound(m_chatterLine);
    m_chatterLine = nullptr;
  }
  if (m_commentLine) ReleaseSound(m_commentLine);
  const char* line = Next(kHitLines, m_hitNext);
  m_commentLine = MakeLine(line, line);
  if (m_commentLine) m_commentLine->Play(false, true);
}

void Game7Node::PlayKnockoutLine() {
  PlayCommentLine(Next(kKnockoutLines, m_knockoutNext));
}

void Game7Node::PlayVortexLine() {
  PlayCommentLine(Next(kVortexLines, m_vortexLineNext));
}

void Game7Node::PlayVortexMissedLine() {
  PlayCommentLine(Next(kMissedLines, m_missedNext));
}

void Game7Node::PlayLevelStartLine() {
  PlayCommentLine(Next(kLevelStartLines, m_levelStartNext));
}

void Game7Node::PlayExitLine() {
  m_leaving = true;
  const char* line = kExitLines[plat::win::rand() % static_cast<int32_t>(std::size(kExitLines))];
  DropSpokenLines();
  m_exitLine = MakeLine(kExitLineName, line);
  if (m_exitLine) m_exitLine->Play(false, true);
  // The way to the hub waits for the line's end, and a line that never starts never ends.
  if (!IsSoundPlaying(m_exitLine)) FinishFlowLine(kExitLineName);
}

void Game7Node::StopVoiceLines() {
  for (CCSound* line : {m_chatterLine, m_commentLine}) {
    if (IsSoundPlaying(line)) line->Stop();
  }
}

void Game7Node::StopEffectSounds() {
  for (const Effect& effect : m_effects) {
    if (!IsSoundPlaying(effect.sound)) continue;
    if (plat::EqualsIgnoringCase(effect.name, kVortexSound)) m_vortexSoundCut = true;
    effect.sound->Stop();
  }
}

// ---------------------------------------------------------------------------------------------
// Help

void Game7Node::OpenHelp() {
  StopVoiceLines();
  StopEffectSounds();
  if (m_helpNext < 0 || static_cast<size_t>(m_helpNext) >= std::size(kHelpEntries)) m_helpNext = 0;
  const HelpEntry& entry = kHelpEntries[m_helpNext];
  m_helpNext = static_cast<size_t>(m_helpNext) + 1 < std::size(kHelpEntries) ? m_helpNext + 1 : 0;
  QueueHelpLine(entry.line, static_cast<int32_t>(LineNumber(entry.line)), entry.pageSequence, true);
  OpenHelpScreen(kPlayMusic, kHelpPage);
}
