// The movie player: plays one full-screen movie at a time by name, with the game paused while it runs,
// and draws its frames centred on the screen in place of the node's scene.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "graphics/DrawingSurface.h"
#include "movie/BinkMovie.h"

class MoviePlayer {
public:
  static constexpr size_t kNameCapacity = 32;

  // Made on first use; destroyed at exit.
  static MoviePlayer& Instance();

  ~MoviePlayer();
  MoviePlayer(const MoviePlayer&) = delete;
  MoviePlayer& operator=(const MoviePlayer&) = delete;

  // Stops any movie, then plays the movie resource of that name: the game is paused and 10200 posted
  // with the name. A movie that cannot be played (missing, unreadable, no surface for it) is traced and
  // stopped at once, which resumes the game. A longer name keeps its first 31 characters. The trace
  // says when a movie plays and when it stops.
  void Play(const char* name);
  // Only with a movie: stops and frees it, resumes the game when its Play paused it, and posts 10201
  // with the name. The name is
  // cleared before the post and the listeners get a copy of it, so one of them may start the next movie.
  void Stop();
  // Copies a new frame into the movie surface, then draws the surface centred on the 800 x 600 screen.
  void Draw(Qel::DrawingSurface* target);

  // There is a movie and it plays.
  bool IsPlaying() const;
  const Qel::BinkMovie* GetMovie() const { return m_movie.get(); }
  // Empty without a movie.
  const char* GetName() const { return m_name; }

private:
  MoviePlayer() = default;

  static void PostAppState(int id, const char* name);

  std::unique_ptr<Qel::DrawingSurface> m_surface;
  std::unique_ptr<Qel::BinkMovie> m_movie;
  char m_name[kNameCapacity] = "";
  // Counts the plays, so that Play knows whether a listener started another movie inside it.
  uint32_t m_plays = 0;
  // Whether Play paused the game, so that Stop resumes only what it paused.
  bool m_pausedGame = false;
};
