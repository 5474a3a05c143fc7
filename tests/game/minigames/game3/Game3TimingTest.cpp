// The music game heard through the mixer: the mix rendered in 20 ms chunks with a frame of the test's
// clock between them, each sound a tone of its own, and a Goertzel filter per tone and chunk. The
// song's notes start within two chunks of their tick (tick k comes k tick lengths after the tick
// sound starts) and its rests are silent; a clam's sustain starts while its attack still sounds and
// stops at the release; a new song's tick sets the tempo; the help screen holds the schedule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "Game3Stage.h"
#include "fixture-content/TableKit.h"
#include "fixture-content/WaveWriter.h"

namespace {

constexpr int kChunkMs = 20;
constexpr int kChunkFrames = static_cast<int>(test::kStageRate) * kChunkMs / 1000;
// How far an onset or an end may come after the moment it belongs to.
constexpr int kSlack = 2;

// The tones listened to, as semitones above 220 Hz, apart by 48 Hz or more from each other and from
// the tones that also sound here (the intro's ditty, the lines, the percussion): over a 20 ms chunk
// one leaks less than a fifth of its strength into another's filter.
enum Voice { kTick, kTick2, kOskelShot, kOrvelLoop, kOskelLoop, kAttack, kSustain, kDecay, kPercussion, kVoices };
struct VoiceSpec {
  int semitone;
  int ms;
};
constexpr VoiceSpec kVoiceSpecs[kVoices] = {{24, 200}, {10, 300}, {12, 400}, {15, 600}, {18, 600},
                                            {14, 200}, {17, 300}, {20, 200}, {2, 800}};

double SemitoneFrequency(int semitone) {
  return 220.0 * std::pow(2.0, semitone / 12.0);
}

// A sound name whose tone is that semitone (the content's tone comes from the name).
std::string NameOfTone(int semitone) {
  for (int k = 0;; ++k) {
    const std::string name = "g3tone" + std::to_string(semitone) + "_" + std::to_string(k);
    if (std::abs(fixture::ToneFrequency(name) - SemitoneFrequency(semitone)) < 0.01) return name;
  }
}

// Each line of the file that starts with the key (either case) gets the value instead.
void SetValue(test::Game3Stage::Tables& tables, const std::string& file, const std::string& key,
              const std::string& value) {
  for (fixture::TextFileSpec& text : tables[1].m_textFiles) {
    if (text.m_name != file) continue;
    bool found = false;
    for (std::string& line : text.m_lines) {
      if (line.rfind(key + " ", 0) == 0) {
        line = key + " = " + value;
        found = true;
      }
    }
    ASSERT_TRUE(found) << key << " in " << file;
  }
}

// The amplitude of a frequency in each chunk of the mix (Goertzel), in sample units.
std::vector<double> Strengths(const std::vector<int16_t>& mix, double frequency) {
  const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / test::kStageRate);
  std::vector<double> strengths;
  for (size_t start = 0; start + kChunkFrames <= mix.size(); start += kChunkFrames) {
    double s1 = 0.0, s2 = 0.0;
    for (int i = 0; i < kChunkFrames; ++i) {
      const double s = mix[start + static_cast<size_t>(i)] + coefficient * s1 - s2;
      s2 = s1;
      s1 = s;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    strengths.push_back(2.0 * std::sqrt(std::max(power, 0.0)) / kChunkFrames);
  }
  return strengths;
}

// The chunks [on, off) in which a tone sounds; off is -1 while it sounds at the end.
struct Span {
  int on;
  int off;
  bool operator==(const Span&) const = default;
};

void PrintTo(const Span& span, std::ostream* out) {
  *out << "[" << span.on << ", " << span.off << ")";
}

class Game3Heard : public test::Game3Stage {
protected:
  // The content with the sounds listened to renamed to their tones, both ticking songs (1 and 2)
  // playing the same notes; then the game, heard from its first frame.
  void StartHeard() {
    for (int voice = 0; voice < kVoices; ++voice) m_names[voice] = NameOfTone(kVoiceSpecs[voice].semitone);
    m_listening = true;
    Start([this](Tables& tables) {
      for (int voice = 0; voice < kVoices; ++voice)
        tables[1].m_sounds.push_back(fixture::kit::Effect(m_names[voice], kVoiceSpecs[voice].ms));
      for (const std::string song : {"1", "2"}) {
        SetValue(tables, "G3_Script" + song, "TickTime", m_names[song == "1" ? kTick : kTick2]);
        SetValue(tables, "G3_Setup" + song, "Oskel_0", m_names[kOskelShot]);
        SetValue(tables, "G3_Setup" + song, "Oskel_1", m_names[kOskelLoop]);
        SetValue(tables, "G3_Setup" + song, "Orvel_1", m_names[kOrvelLoop]);
        SetValue(tables, "G3_Setup" + song, "clam2",
                 m_names[kAttack] + " " + m_names[kSustain] + " " + m_names[kDecay]);
        SetValue(tables, "G3_Perc" + song, "perc0", m_names[kPercussion]);
      }
    });
  }

  // Frames of one chunk each until the condition holds.
  template <typename Condition>
  void ChunksUntil(Condition condition, int limit = 500) {
    for (int chunk = 0; chunk < limit && !condition(); ++chunk) Frame(kChunkMs);
    ASSERT_TRUE(condition());
  }
  void Chunks(int count) {
    for (int i = 0; i < count; ++i) Frame(kChunkMs);
  }
  // The chunk the next frame renders.
  int Now() const { return static_cast<int>(m_heard.size()) / kChunkFrames; }

  // The intro's talk cut short by a blank, in chunks: the song starts.
  void SkipIntroInChunks() {
    ChunksUntil([this] { return Speaking(); });
    Char(' ');
    Frame(kChunkMs);
    ASSERT_EQ(m_node->GetMode(), Game3Node::kSongPlaying);
  }

  // Where a voice sounds: half of the strength a lone tone of the mix has.
  std::vector<Span> SpansOf(Voice voice) const {
    const std::vector<double> strengths = Strengths(m_heard, SemitoneFrequency(kVoiceSpecs[voice].semitone));
    const double loudest = *std::max_element(strengths.begin(), strengths.end());
    EXPECT_GT(loudest, 500.0) << m_names[voice] << " was never heard";
    std::vector<Span> spans;
    for (int chunk = 0; chunk < static_cast<int>(strengths.size()); ++chunk) {
      const bool on = strengths[static_cast<size_t>(chunk)] > loudest / 2;
      if (on && (spans.empty() || spans.back().off >= 0)) spans.push_back({chunk, -1});
      if (!on && !spans.empty() && spans.back().off < 0) spans.back().off = chunk;
    }
    return spans;
  }

  // Each heard span begins (and ends, when expected.off >= 0) no earlier than expected and at most
  // kSlack chunks after it.
  static void ExpectNear(const std::vector<Span>& heard, const std::vector<Span>& expected, const char* what) {
    SCOPED_TRACE(what);
    ASSERT_EQ(heard.size(), expected.size()) << testing::PrintToString(heard);
    for (size_t i = 0; i < heard.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_GE(heard[i].on, expected[i].on) << testing::PrintToString(heard);
      EXPECT_LE(heard[i].on, expected[i].on + kSlack) << testing::PrintToString(heard);
      if (expected[i].off < 0) continue;
      EXPECT_GE(heard[i].off, expected[i].off) << testing::PrintToString(heard);
      EXPECT_LE(heard[i].off, expected[i].off + kSlack) << testing::PrintToString(heard);
    }
  }

  // The spans that begin in [from, to).
  static std::vector<Span> Between(std::vector<Span> spans, int from, int to = 1 << 30) {
    std::erase_if(spans, [from, to](const Span& span) { return span.on < from || span.on >= to; });
    return spans;
  }

  // The chunk at which tick k of a tick sound that started at chunk start comes, the tick length in
  // chunks; delay is how long the tick stood still in between.
  static int TickAt(int start, int length, int k, int delay = 0) { return start + k * length + delay; }

  std::string m_names[kVoices];
};

TEST_F(Game3Heard, TheSongsNotesStartAtTheirTicksAndItsRestsAreSilent) {
  StartHeard();
  SkipIntroInChunks();
  const int songStart = Now();
  // Two rounds of the song, ten ticks each, and the start of a third.
  Chunks(22 * 10);
  const std::vector<Span> tick = SpansOf(kTick);
  ASSERT_EQ(tick.size(), 1u) << testing::PrintToString(tick);
  EXPECT_EQ(tick[0].off, -1);
  const int start = tick[0].on;
  const int length = 200 / kChunkMs;
  // The song's first tick is the tick sound's first loop after the talk's end.
  const std::vector<Span> shotHeard = SpansOf(kOskelShot);
  ASSERT_FALSE(shotHeard.empty());
  const int first = (shotHeard[0].on - start) / length;
  ASSERT_GE(TickAt(start, length, first), songStart - 1);
  ASSERT_LT(TickAt(start, length, first - 1), songStart + kSlack);
  // Oskel "A0:2 B0:1 A1:3", Orvel "B0:2 A1:2": the one-shot (400 ms) from tick 1, Orvel's loop from
  // 4 to 6, Oskel's from 6 to 9, then all over again from tick 11.
  std::vector<Span> shot, orvel, oskel;
  for (const int round : {0, 10}) {
    const int k = first + round;
    shot.push_back({TickAt(start, length, k), TickAt(start, length, k + 2)});
    orvel.push_back({TickAt(start, length, k + 3), TickAt(start, length, k + 5)});
    oskel.push_back({TickAt(start, length, k + 5), TickAt(start, length, k + 8)});
  }
  const int third = TickAt(start, length, first + 20);
  ExpectNear(Between(shotHeard, 0, third), shot, "Oskel's one-shot part");
  ExpectNear(Between(SpansOf(kOrvelLoop), 0, third), orvel, "Orvel's looping part");
  ExpectNear(Between(SpansOf(kOskelLoop), 0, third), oskel, "Oskel's looping part");
}

TEST_F(Game3Heard, AClamsSustainStartsWhileItsAttackSoundsAndStopsAtTheRelease) {
  StartHeard();
  SkipIntroInChunks();
  ClickObject("PlaySongTrigger");
  ASSERT_EQ(m_node->GetMode(), Game3Node::kFreePlay);
  Chunks(40);
  const Qel::Point2 at = CentreOf("clam2_button");
  // The press reaches the node before the frame's chunk is mixed.
  const int pressed = Now();
  MouseAt(EventId::MouseDown, at.X(), at.Y());
  Chunks(30);
  const int released = Now();
  MouseAt(EventId::MouseUp, at.X(), at.Y());
  Chunks(20);
  // The attack is 200 ms, the sustain comes 50 ms before its end and loops until the release, which
  // starts the decay (200 ms).
  const std::vector<Span> attack = SpansOf(kAttack);
  const std::vector<Span> sustain = SpansOf(kSustain);
  ExpectNear(attack, {{pressed, pressed + 200 / kChunkMs}}, "the attack");
  ExpectNear(sustain, {{pressed + 150 / kChunkMs, released}}, "the sustain");
  ExpectNear(SpansOf(kDecay), {{released, released + 200 / kChunkMs}}, "the decay");
  ASSERT_FALSE(attack.empty());
  ASSERT_FALSE(sustain.empty());
  EXPECT_LT(sustain[0].on, attack[0].off) << "the sustain waited for the attack's end";
}

TEST_F(Game3Heard, ANewSongsTickSetsTheTempoOfItsNotes) {
  StartHeard();
  SkipIntroInChunks();
  ChunksUntil([this] { return m_node->GetTickCount() == 5; });
  ClickObject("NextSong");
  ChunksUntil([this] { return !m_node->IsSongChangePending(); });
  const int changed = Now();
  Frame(kChunkMs);
  ASSERT_EQ(m_node->GetMode(), Game3Node::kSongPlaying);
  Chunks(11 * 15);
  // The old tick stopped at the change and the new one, 300 ms long, started there.
  const std::vector<Span> oldTick = SpansOf(kTick);
  ASSERT_EQ(oldTick.size(), 1u) << testing::PrintToString(oldTick);
  EXPECT_EQ(oldTick[0].off, changed);
  const std::vector<Span> tick = SpansOf(kTick2);
  ExpectNear(tick, {{changed, -1}}, "the new tick");
  ASSERT_EQ(tick.size(), 1u);
  const int start = tick[0].on;
  const int length = 300 / kChunkMs;
  const auto after = [changed](const std::vector<Span>& spans) { return Between(spans, changed); };
  // The song's first tick is the new tick's first loop: notes 1, 4 and 6 ticks of 300 ms after it
  // started; the one-shot part lasts its own 400 ms.
  ExpectNear(after(SpansOf(kOskelShot)), {{TickAt(start, length, 1), TickAt(start, length, 1) + 400 / kChunkMs}},
             "Oskel's one-shot part");
  ExpectNear(after(SpansOf(kOrvelLoop)), {{TickAt(start, length, 4), TickAt(start, length, 6)}},
             "Orvel's looping part");
  ExpectNear(after(SpansOf(kOskelLoop)), {{TickAt(start, length, 6), TickAt(start, length, 9)}},
             "Oskel's looping part");
}

TEST_F(Game3Heard, TheHelpScreenHoldsTheSongWhereItWas) {
  StartHeard();
  SkipIntroInChunks();
  // In the one-shot note, its second tick.
  ChunksUntil([this] { return m_node->GetTickCount() == 2; });
  ClickObject("help");
  ASSERT_TRUE(m_node->IsHelpScreenOpen());
  Frame(kChunkMs);
  const int opened = Now() - 1;
  Chunks(50);
  m_node->CloseHelpScreen();
  const int closed = Now();
  Chunks(12 * 10);
  const int held = closed - opened;
  const std::vector<Span> tick = SpansOf(kTick);
  ASSERT_EQ(tick.size(), 2u) << testing::PrintToString(tick);
  ExpectNear(tick, {{tick[0].on, opened}, {closed, -1}}, "the tick");
  const int start = tick[0].on;
  const int length = 200 / kChunkMs;
  const std::vector<Span> shot = SpansOf(kOskelShot);
  ASSERT_FALSE(shot.empty());
  const int first = (shot[0].on - start) / length;
  // The one-shot part stands still with the rest and plays out after; the ticks after the help
  // screen come as late as it stood open.
  const int again = TickAt(start, length, first + 10, held);
  ExpectNear(Between(shot, 0, again),
             {{TickAt(start, length, first), opened}, {closed, TickAt(start, length, first + 2, held)}},
             "Oskel's one-shot part");
  ExpectNear(Between(SpansOf(kOrvelLoop), 0, again),
             {{TickAt(start, length, first + 3, held), TickAt(start, length, first + 5, held)}}, "Orvel's looping part");
  ExpectNear(Between(SpansOf(kOskelLoop), 0, again),
             {{TickAt(start, length, first + 5, held), TickAt(start, length, first + 8, held)}}, "Oskel's looping part");
  // The song's second round, as late as the first.
  ExpectNear(Between(shot, again), {{again, again + 2 * length}}, "Oskel's one-shot part again");
}

}  // namespace
