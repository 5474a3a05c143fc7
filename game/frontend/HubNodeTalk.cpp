// The hub's update step and its talk: the unlock after arrival, the greeting chosen by the player's
// progress and the node left, the hover lines, the help lines, the side swap and the signs' idles.
#include "frontend/HubNode.h"

#include <algorithm>
#include <cstdlib>

#include "core/Point2.h"
#include "core/Rect.h"
#include "framework/ActivePlayerData.h"
#include "framework/GameButton.h"
#include "framework/GameClock.h"
#include "framework/GameEvents.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"
#include "framework/Player.h"
#include "framework/SpriteObject.h"
#include "frontend/CHubHud.h"
#include "frontend/HubHotspot.h"
#include "platform/win/kernel/Random.h"

namespace {

constexpr int32_t P = HubNode::kPilo;
constexpr int32_t T = HubNode::kTovin;
constexpr int32_t Z = HubNode::kZelka;

// A step runs only when more than this has passed since the last one.
constexpr int32_t kStepMs = 7;
constexpr int32_t kGreetingDelayMs = 200;
constexpr int32_t kHoverLineMs = 500;
constexpr int32_t kSwapHoverMs = 400;
// The speakers of the cast: three on each side.
constexpr int32_t kCastSpeakers = 6;
// The overall level of a player who has finished the five games that make it up.
constexpr int32_t kTopLevel = 4;

enum TalkState : int32_t {
  kArriving = 0,
  kWaiting = 1,
  kChoosing = 2,
  kGreeting = 3,
  kIdle = 4,
  kHelping = 5,
};

// Where the pointer rests to make the cast swim to the other side, by the side Zelka is on.
const Qel::Rect kSwapAreaRight(345, 320, 639, 495);
const Qel::Rect kSwapAreaLeft(64, 272, 343, 438);

bool Even() {
  return plat::win::rand() % 2 == 0;
}

bool Flagged(uint32_t game) {
  return ActivePlayerData.games[game].gameFlag == 1;
}

}  // namespace

void HubNode::Update() {
  if (IsChangePending()) {
    ProgressNode::Update();
    return;
  }
  if (IsMovieScreenOpen()) {
    GetApp().PauseGame();
    return;
  }
  const int32_t now = GameTimeNow();
  if (m_lastStepTime == -1) m_lastStepTime = now;
  if (now - m_lastStepTime <= kStepMs) return;
  m_lastStepTime = now;

  if (m_arrivalLock) {
    if (now < m_unlockTime) return;
    Unlock();
  }
  StepTalk(now);
  const Player* pilo = m_cast[kPilo].GetVisibleBody();
  const int32_t view = pilo ? static_cast<int32_t>(pilo->GetX()) : GetScroll().X();
  if (GetApp().IsAlphaCapable()) m_mouseBubbles.Update(view);
  if (m_progressButton) m_progressButton->SetPosition(static_cast<float>(view + 612), 538.0f);
  if (m_backButton) m_backButton->SetPosition(static_cast<float>(view + 5), 531.0f);
  if (m_moviesUnlocked && m_movieButton) m_movieButton->SetPosition(static_cast<float>(view + 672), 541.0f);
  if (m_helpButton) m_helpButton->SetPosition(static_cast<float>(view + 732), 541.0f);
  StepSignIdles();
  StepHoverLines(now);
  bool talking = false;
  for (int32_t slot = 0; slot < kCastSpeakers; ++slot) talking = talking || IsSpeakerTalking(slot);
  for (HubActor& actor : m_cast) actor.SetTalking(talking);
  ProgressNode::Update();
}

void HubNode::Unlock() {
  for (GameButton* button : m_buttons) button->Enable();
  for (GameButton* button : {m_progressButton.get(), m_backButton.get(), m_movieButton.get()}) {
    if (button) button->Enable();
  }
  if (m_hubHud) m_hubHud->SetScrollLock(false);
  m_arrivalLock = false;
}

void HubNode::StepTalk(int32_t now) {
  switch (m_talkState) {
    case kArriving:
      m_greetingTime = now + kGreetingDelayMs;
      m_talkState = kWaiting;
      break;
    case kWaiting:
      MoveCast(GetScroll().X());
      if (now > m_greetingTime) m_talkState = kChoosing;
      break;
    case kChoosing:
      if (QueueGreeting()) {
        StartTalk();
        m_talkState = kGreeting;
      } else {
        m_talkState = kIdle;
      }
      break;
    case kGreeting:
    case kHelping:
      MoveCast(GetScroll().X());
      break;
    case kIdle:
      UpdateScrolling();
      StepSideSwap(now);
      break;
    default:
      break;
  }
}

void HubNode::OnSpeechEvent(int id, void* data) {
  if (id == EventId::SpeechStopped && (m_talkState == kGreeting || m_talkState == kHelping))
    m_talkState = kIdle;
  ProgressNode::OnSpeechEvent(id, data);
}

void HubNode::Queue(std::initializer_list<Line> lines) {
  for (const Line& line : lines) {
    QueueLine(static_cast<uint32_t>(SpeakerSlotOf(line.member)), line.name,
              static_cast<uint32_t>(std::strtoul(line.name, nullptr, 10)));
  }
}

void HubNode::StartTalk() {
  PlaceCast();
  StartSpeech(0, false, true);
}

bool HubNode::QueueGreeting() {
  const int32_t previous = NodeManager::Instance().GetPreviousId();
  const int32_t level = ActivePlayerData.GetOverallLevel();
  const auto stored = static_cast<int32_t>(ActivePlayerData.games[kNodeHub].gameValue);
  if (ActivePlayerData.games[kNodeHub].firstTime) {
    ActivePlayerData.SetPlayersFirstTime(kNodeHub, 0);
    Queue({{T, "0180"},
           {P, "0190"},
           {T, "02001"},
           {T, "02002"},
           {T, "02003"},
           {P, "0210"},
           {Z, "0220"},
           {T, "0240"},
           {Z, "0250"},
           {P, "0260"},
           {Z, "0270"},
           {P, "0280"},
           {P, "0290"},
           {Z, "0300"},
           {T, "0303"},
           {T, "0304"}});
  } else if (previous == kNodeCreditScreen) {
    Queue({{T, "1271"}});
  } else if (previous == kNodeSignIn && level < kTopLevel) {
    switch (plat::win::rand() % 3) {
      case 0:
        Queue({{P, "0310"}, {T, "0320"}, {Z, "0330"}, {P, "0340"}});
        break;
      case 1:
        Queue({{T, "0350"}, {Z, "0370"}, {Z, "0380"}, {Z, "03801"}});
        break;
      default:
        Queue({{T, "0390"}, {P, "0400"}, {T, "0410"}, {P, "0420"}});
        break;
    }
  } else if (level > stored) {
    if (level == 0) {
      if (Even()) {
        Queue({{T, "0600"}, {P, "0610"}});
      } else {
        Queue({{T, "0620"}, {P, "0630"}});
      }
    } else if (level >= 1 && level <= 3) {
      if (Even()) {
        Queue({{T, "0640"}, {P, "0650"}});
      } else {
        Queue({{P, "0660"}, {T, "0670"}});
      }
    } else {
      switch (plat::win::rand() % 3) {
        case 0:
          Queue({{P, "0680"},
                 {Z, "0690"},
                 {P, "0700"},
                 {T, "0710"},
                 {Z, "0730"},
                 {T, "0740"},
                 {P, "0741"},
                 {Z, "0742"}});
          break;
        case 1:
          Queue({{T, "0750"}});
          break;
        default:
          Queue({{P, "0760"}});
          break;
      }
    }
  } else if (previous == kNodeGame5 && Flagged(kNodeGame5)) {
    Queue({{P, "0450"}, {T, "0460"}});
  } else if (previous == kNodeGame7 && Flagged(kNodeGame7)) {
    if (Even()) {
      Queue({{T, "0480"}, {P, "0490"}, {T, "0500"}});
    } else {
      Queue({{P, "0520"}, {T, "0530"}, {P, "0540"}, {T, "0550"}});
    }
  } else if (previous == kNodeGame3 && Flagged(kNodeGame3)) {
    Queue({{T, "0560"}, {P, "0570"}});
  } else if (previous == kNodeGame4 && Flagged(kNodeGame4)) {
    if (Even()) {
      Queue({{T, "0560"}, {P, "0570"}});
    } else {
      Queue({{T, "0580"}, {P, "0590"}});
    }
  } else {
    return false;
  }
  return true;
}

void HubNode::QueueHoverLines(int32_t target) {
  switch (target) {
    case kNodeGame3:
      if (Even()) {
        Queue({{T, "1260"}});
      } else {
        Queue({{P, "0780"}});
      }
      break;
    case kNodeGame4:
      if (Even()) {
        Queue({{T, "1340"}, {P, "1350"}});
      } else {
        Queue({{P, "0810"}});
      }
      break;
    case kNodeGame5:
      if (Even()) {
        Queue({{T, "1280"}, {P, "1290"}, {T, "1300"}, {P, "1310"}});
      } else {
        Queue({{T, "0790"}, {T, "0791"}, {T, "0792"}});
      }
      break;
    case kNodeGame6:
      switch (plat::win::rand() % 3) {
        case 0:
          Queue({{T, "1380"}, {P, "1390"}});
          break;
        case 1:
          Queue({{T, "1400"}, {P, "1410"}});
          break;
        default:
          Queue({{P, "0830"}});
          break;
      }
      break;
    case kNodeGame7:
      if (Even()) {
        Queue({{T, "1360"}, {P, "1370"}});
      } else {
        Queue({{T, "0820"}});
      }
      break;
    case kNodeGame8:
      Queue({{T, "0811"}});
      break;
    case kNodeGame9:
      Queue({{Z, "0800"}});
      break;
    case HubHotspot::kProgressTarget:
      switch (plat::win::rand() % 3) {
        case 0:
          Queue({{T, "0151"}});
          break;
        case 1:
          Queue({{T, "0160"}});
          break;
        default:
          Queue({{T, "1200"}});
          break;
      }
      break;
    case HubHotspot::kMovieTarget:
      Queue({{T, "1210"}});
      break;
    case HubHotspot::kBackTarget:
      if (Even()) {
        Queue({{T, "1180"}});
      } else {
        Queue({{T, "1190"}});
      }
      break;
    default:
      break;
  }
}

void HubNode::SpeakHelp() {
  if (AnyVisibleBodyShows(HubActor::kSwimAcross)) return;
  StopSpeech();
  const int32_t level = ActivePlayerData.GetOverallLevel();
  if (level == -1) {
    switch (plat::win::rand() % 7) {
      case 0:
        Queue({{P, "0990"}});
        break;
      case 1:
        Queue({{T, "1000"}});
        break;
      case 2:
        Queue({{P, "1020"}});
        break;
      case 3:
        Queue({{T, "0850"}});
        break;
      case 4:
        Queue({{T, "0860"}});
        break;
      case 5:
        Queue({{T, "0870"}});
        break;
      default:
        Queue({{T, "0880"}});
        break;
    }
  } else if (level >= 0 && level <= 3) {
    switch (plat::win::rand() % 6) {
      case 0:
        Queue({{P, "1030"}});
        break;
      case 1:
        Queue({{T, "1040"}});
        break;
      case 2:
        Queue({{T, "1050"}});
        break;
      case 3:
        Queue({{T, "0890"}});
        break;
      case 4:
        Queue({{T, "0900"}});
        break;
      default:
        Queue({{T, "0910"}});
        break;
    }
  } else if (level == kTopLevel && ActivePlayerData.games[kNodeGame6].gameFlag == 0) {
    switch (plat::win::rand() % 6) {
      case 0:
        Queue({{P, "1060"}});
        break;
      case 1:
        Queue({{P, "1070"}});
        break;
      case 2:
        Queue({{T, "1080"}});
        break;
      case 3:
        Queue({{T, "0920"}});
        break;
      case 4:
        Queue({{T, "0930"}});
        break;
      default:
        Queue({{T, "0940"}});
        break;
    }
  } else if (level == kTopLevel && ActivePlayerData.games[kNodeGame6].gameFlag == 1) {
    if (!Even()) {
      Queue({{T, "0960"}, {P, "0970"}});
    } else {
      Queue({{P, "1090"},
             {Z, "1110"},
             {P, "1120"},
             {Z, "1130"},
             {P, "1140"},
             {T, "1150"},
             {P, "1160"},
             {T, "1170"}});
    }
  } else {
    Queue({{T, "0301"}, {T, "0302"}});
  }
  StartTalk();
  m_talkState = kHelping;
}

bool HubNode::AllVisibleBodiesShow(uint32_t animation) const {
  return std::all_of(m_cast.begin(), m_cast.end(),
                     [animation](const HubActor& actor) { return actor.GetVisibleAnimation() == animation; });
}

bool HubNode::AnyVisibleBodyShows(uint32_t animation) const {
  return std::any_of(m_cast.begin(), m_cast.end(),
                     [animation](const HubActor& actor) { return actor.GetVisibleAnimation() == animation; });
}

void HubNode::StepSignIdles() {
  // Three draws every step, whatever the signs show, so that the sequence of draws stays the same.
  if (plat::win::rand() % 714 == 0 && m_moonfishSign && m_moonfishSign->GetAnimationId() == 0)
    m_moonfishSign->SetAnimation(1, 0);
  if (plat::win::rand() % 285 == 0 && m_tribalSign && m_tribalSign->GetAnimationId() == 0)
    m_tribalSign->SetAnimation(1 + static_cast<uint32_t>(plat::win::rand() % 2), 0);
  if (plat::win::rand() % 428 == 0 && m_shellGameSign && m_shellGameSign->GetAnimationId() == 0)
    m_shellGameSign->SetAnimation(1, 0);
}

void HubNode::StepHoverLines(int32_t now) {
  if (!AnyVisibleBodyShows(HubActor::kRest)) {
    if (m_helpButton) m_helpButton->Disable();
    return;
  }
  if (m_helpButton) m_helpButton->Enable();
  Qel::Point2 screen;
  MouseCursor::Instance().GetPosition(screen);
  const Qel::Point2 scroll = GetScroll();
  const Qel::Point2 world(screen.X() + scroll.X(), screen.Y() + scroll.Y());
  bool hit = false;
  if (AllVisibleBodiesShow(HubActor::kRest)) {
    for (const auto& hotspot : m_hotspots) {
      if (!hotspot->Contains(hotspot->IsScreenFixed() ? screen : world)) continue;
      hit = true;
      if (m_lineHoverTime == -1) {
        m_lineHoverTime = now + kHoverLineMs;
      } else if (now >= m_lineHoverTime && !hotspot->HasSpoken()) {
        QueueHoverLines(hotspot->GetTarget());
        StartTalk();
        hotspot->MarkSpoken();
      }
    }
  }
  if (!hit) m_lineHoverTime = -1;
}

void HubNode::StepSideSwap(int32_t now) {
  if (std::any_of(m_cast.begin(), m_cast.end(), [](const HubActor& actor) { return actor.IsTalking(); }))
    return;
  if (!AllVisibleBodiesShow(HubActor::kRest)) return;
  HubActor& zelka = m_cast[kZelka];
  const int32_t side = zelka.GetSide();
  Qel::Point2 pointer;
  MouseCursor::Instance().GetPosition(pointer);
  if (!(side == HubActor::kRightSide ? kSwapAreaRight : kSwapAreaLeft).Contains(pointer)) {
    m_swapHoverTime = -1;
    return;
  }
  if (m_swapHoverTime == -1) {
    m_swapHoverTime = now + kSwapHoverMs;
    return;
  }
  if (now <= m_swapHoverTime) return;
  zelka.SwimAcross();
  for (const int32_t member : {kPilo, kTovin}) {
    HubActor& actor = m_cast[static_cast<size_t>(member)];
    if (actor.GetSide() == side) actor.SwimAcross();
  }
  m_swapHoverTime = -1;
}
