// The swim game's collision test of each play step: the hoops first, then what each item near the
// fish does when it touches it, and the twins of the items that panels 1 and 13 share.
#include <cstdint>

#include "framework/GameClock.h"
#include "framework/GameSound.h"
#include "framework/NPC.h"
#include "game6/Game6Hoop.h"
#include "game6/Game6Hud.h"
#include "game6/Game6Items.h"
#include "game6/Game6Node.h"
#include "game6/Game6Pilo.h"
#include "platform/win/kernel/Random.h"

namespace {

using Fish = Game6Node::Game6Pilo;
using Item = Game6Node::Game6Item;

// Only what lies this far behind and ahead of the fish is tested.
constexpr int32_t kBehind = 300;
constexpr int32_t kAhead = 800;
constexpr int32_t kFrontDepth = 10;
constexpr uint32_t kScallopTaken = 3;
constexpr uint32_t kCollectibleTaken = 1;
// The once-a-visit comments.
constexpr int32_t kCollectibleComment = 0;
constexpr int32_t kWatchComment = 1;
constexpr int32_t kShieldComment = 2;
constexpr int32_t kFinComment = 3;
// The panels that show the same stretch of seabed.
constexpr int32_t kFirstLoopPanel = 1;
constexpr int32_t kLastLoopPanel = 13;

}  // namespace

bool Game6Node::CheckCollisions() {
  if (!m_fish) return false;
  const int32_t now = GameTimeNow();
  const auto p = static_cast<int32_t>(m_fish->GetX() + 100.0f);
  bool shieldedOnTop = false;
  // Once the last scallop is taken the level is won; what is tested after it in the same step still
  // scores but no longer knocks, holds or lifts the fish.
  auto won = [this] { return m_state == LEVEL_WON; };

  for (int32_t i = 0; i < static_cast<int32_t>(m_hoops.size()) && !m_fish->IsBlinking(); ++i) {
    CHoop* hoop = m_hoops[static_cast<size_t>(i)];
    if (!hoop) continue;
    const int32_t x = hoop->GetPosition().X();
    if (x < p - kBehind || x > p + kAhead) continue;
    const int32_t side = hoop->HitSide(*m_fish);
    if (side == CHoop::kHitTop) {
      if (IsShieldOn()) {
        shieldedOnTop = true;
        break;
      }
      if (won()) continue;
      Ambient* top = hoop->GetPart(CHoop::kTop);
      m_fish->SetZ(kFrontDepth);
      m_lastHoop = -1;
      PlayOnce(m_hoopHitSound);
      AnchorFishTo(top);
      if (top->GetX() + 40.0f > m_fish->GetX()) {
        m_fish->SetZ(kFrontDepth);
        m_state = BOUNCED_BACK;
      } else {
        m_fish->SetZ(1);
        m_state = BOUNCED_FORWARD;
      }
      if (!IsSpeakerTalking(0)) {
        StopSpeech();
        if (m_tovin) m_tovin->SetAnimation(3, 0);
      }
    } else if (side == CHoop::kHitBottom) {
      if (m_fish->GetZ() != kFrontDepth) {
        m_fish->SetZ(kFrontDepth);
        m_lastHoop = i;
      }
    } else if (side == CHoop::kHitRight) {
      if (m_lastHoop == -1) m_lastHoop = i;
    } else if (m_lastHoop == i) {
      if (m_fish->GetZ() == kFrontDepth && !IsShieldOn() && !m_fish->IsBlinking()) m_fish->SetZ(2);
      m_lastHoop = -1;
    }
  }

  for (int32_t i = 0; i < static_cast<int32_t>(m_items.size()); ++i) {
    Game6Item* item = m_items[static_cast<size_t>(i)];
    if (!item) continue;
    const ItemRecord record = ItemRecordOf(m_itemLevel, i);
    const int32_t x = kPanelWidth * record.panel + record.x;
    if (x < p - kBehind || x > p + kAhead) continue;
    if (Collides(item, m_fish)) {
      TouchItem(i, record, now);
    } else if (i == m_currentBubbleWall) {
      m_fish->SetAnimation(m_fish->IsFacingBack() ? Fish::kSetB : Fish::kStraight, 0);
      m_currentBubbleWall = -1;
      StopIfPlaying(m_bubbleWallSound);
      AnchorFishToCamera();
    } else if (i == m_heldKelp) {
      m_heldKelp = -1;
      m_fish->SetZ(kFrontDepth);
      m_fish->Blink(2000);
      if (auto* kelp = dynamic_cast<Game6Kelp*>(item)) kelp->ShowAnimation(0);
    }
  }
  return shieldedOnTop;
}

void Game6Node::SayComment(int32_t comment, const char* line, uint32_t number) {
  if (comment < 0 || comment >= kCommentCount || m_commentSpoken[static_cast<size_t>(comment)]) return;
  if (IsSpeakerTalking(0)) return;
  StopSpeech();
  QueueLine(0, line, number);
  StartSpeech(0, false, true);
  m_commentSpoken[static_cast<size_t>(comment)] = true;
}

void Game6Node::SayLine(const char* line, uint32_t number) {
  StopSpeech();
  QueueLine(0, line, number);
  StartSpeech(0, false, true);
}

void Game6Node::RemoveTwinOf(const ItemRecord& record) {
  if (record.panel == kFirstLoopPanel) RemoveTwinAtEnd(record.x, record.y, record.kind);
  if (record.panel == kLastLoopPanel) RemoveTwinAtStart(record.x, record.y, record.kind);
}

void Game6Node::DeleteItem(int32_t index) {
  Game6Item*& item = m_items[static_cast<size_t>(index)];
  if (!item) return;
  if (auto* kelp = dynamic_cast<Game6Kelp*>(item)) RemoveObject(kelp->GetFront());
  RemoveObject(item);
  delete item;
  item = nullptr;
}

void Game6Node::TouchItem(int32_t i, const ItemRecord& record, int32_t now) {
  Game6Item* item = m_items[static_cast<size_t>(i)];
  const int32_t kind = record.kind;
  const bool blinking = m_fish->IsBlinking();
  const bool shield = IsShieldOn();
  const bool won = m_state == LEVEL_WON;
  if (kind == Item::kScallop) {
    if (blinking || item->GetAnimationId() == kScallopTaken) return;
    m_levelScore += 100;
    ShowScore();
    ++m_scallopsTaken;
    if (m_hud) m_hud->SetScallops(m_scallopTotal - m_scallopsTaken);
    PlayOnce(m_clamSounds[static_cast<size_t>(plat::win::rand() % kClamSoundCount)]);
    item->SetAnimation(kScallopTaken, 0);
    RemoveTwinOf(record);
    if (m_scallopsTaken >= m_scallopTotal) {
      m_state = LEVEL_WON;
    } else if (!IsSpeakerTalking(0) && plat::win::rand() % 5 == 0) {
      bool anyClear = false;
      for (const bool spoken : m_commentSpoken) anyClear = anyClear || !spoken;
      if (anyClear) {
        static constexpr const char* kLines[] = {"4250", "4260", "4270", "4300"};
        static constexpr uint32_t kNumbers[] = {4250, 4260, 4270, 4300};
        const int32_t pick = plat::win::rand() % 4;
        SayLine(kLines[pick], kNumbers[pick]);
      }
    }
  } else if (kind == Item::kOrange || kind == Item::kBlue) {
    if (blinking || item->GetAnimationId() == kCollectibleTaken) return;
    const bool orange = kind == Item::kOrange;
    m_levelScore += orange ? 25 : 50;
    PlayOnce(m_itemPickedUpSound, 1.0f);
    item->SetAnimation(kCollectibleTaken, 0);
    SayComment(kCollectibleComment, orange ? "3881" : "3838", orange ? 3881 : 3838);
    ShowScore();
    RemoveTwinOf(record);
  } else if (kind == Item::kShield) {
    if (blinking) return;
    RemoveTwinOf(record);
    DeleteItem(i);
    PlayOnce(m_shieldPickedUpSound, 1.0f);
    SayComment(kShieldComment, "3840", 3840);
    m_fish->SetZ(kFrontDepth);
    if (m_shieldBubble) m_shieldBubble->SetAnimation(0, 0);
    m_shieldUntil = now + 4000;
  } else if (kind == Item::kWatch) {
    if (blinking) return;
    RemoveTwinOf(record);
    DeleteItem(i);
    if (m_ticksLeft < kSegmentCount) {
      StopIfPlaying(m_timerSound);
      ++m_ticksLeft;
      if (m_hud) m_hud->SetClock(kSegmentCount - m_ticksLeft);
    }
    SayComment(kWatchComment, "3839", 3839);
    PlayOnce(m_timerSound, 1.0f);
  } else if (kind == Item::kFin) {
    if (blinking) return;
    m_speedFactor = 2;
    m_finUntil = now + 8000;
    RemoveTwinOf(record);
    DeleteItem(i);
    SayComment(kFinComment, "3841", 3841);
    PlayOnce(m_itemPickedUpSound, 1.0f);
  } else if (Item::IsObstacle(kind)) {
    if (blinking || shield || won) return;
    PlayOnce(m_hoopHitSound);
    AnchorFishTo(item);
    m_state = item->GetX() > m_fish->GetX() ? BOUNCED_BACK : BOUNCED_FORWARD;
    if (!IsSpeakerTalking(0)) {
      StopSpeech();
      if (m_tovin) m_tovin->SetAnimation(3, 0);
    }
  } else if (kind == Item::kKelp) {
    if (blinking || shield || won || m_heldKelp != -1) return;
    m_fish->SetAnimation(m_fish->IsFacingBack() ? Fish::kInKelp + Fish::kSetB : Fish::kInKelp, 0);
    if (auto* kelp = dynamic_cast<Game6Kelp*>(item)) kelp->ShowAnimation(1);
    PlayOnce(m_kelpHitSound);
    AnchorFishTo(item);
    m_state = KELP;
    m_heldKelp = i;
    if (!IsSpeakerTalking(0)) {
      StopSpeech();
      if (m_tovin) m_tovin->SetAnimation(1, 0);
    }
  } else if (Item::IsSpout(kind)) {
    auto* spout = dynamic_cast<Game6WaterSpout*>(item);
    if (blinking || shield || won || !spout || !spout->IsSpraying()) return;
    AnchorFishTo(item);
    m_state = Item::IsGroundSpout(kind) ? GROUND_SPOUT : CEILING_SPOUT;
    if (!IsSpeakerTalking(0) && plat::win::rand() % 2 == 0) {
      const bool first = plat::win::rand() % 2 == 0;
      SayLine(first ? "4230" : "4390", first ? 4230 : 4390);
    }
  } else if (Item::IsBubbleWall(kind)) {
    if (blinking || shield || won || i == m_currentBubbleWall) return;
    m_fish->SetAnimation(m_fish->IsFacingBack() ? Fish::kInBubbleWall + Fish::kSetB : Fish::kInBubbleWall, 0);
    AnchorFishTo(item);
    m_currentBubbleWall = i;
    if (!IsSpeakerTalking(0) && plat::win::rand() % 2 == 0) {
      const bool first = plat::win::rand() % 2 == 0;
      SayLine(first ? "3880" : "4230", first ? 3880 : 4230);
    }
    if (m_bubbleWallSound) m_bubbleWallSound->Play(true, true);
    m_lastHoop = -1;
  }
}

void Game6Node::RemoveTwinAtEnd(int32_t x, int32_t y, int32_t kind) {
  RemoveTwinIn(kLastLoopPanel, x, y, kind);
}

void Game6Node::RemoveTwinAtStart(int32_t x, int32_t y, int32_t kind) {
  RemoveTwinIn(kFirstLoopPanel, x, y, kind);
}

void Game6Node::RemoveTwinIn(int32_t panel, int32_t x, int32_t y, int32_t kind) {
  for (int32_t i = 0; i < static_cast<int32_t>(m_items.size()); ++i) {
    const ItemRecord record = ItemRecordOf(m_itemLevel, i);
    if (m_items[static_cast<size_t>(i)] && record.panel == panel && record.x == x && record.y == y &&
        record.kind == kind) {
      DeleteItem(i);
      return;
    }
  }
}
