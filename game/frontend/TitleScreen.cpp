// The title screen: the first node of the game, which plays the opening movies one after another and
// then asks for the sign-in screen.
#include "frontend/TitleScreen.h"

#include "core/DatabaseManager.h"
#include "framework/MainApp.h"
#include "framework/MouseCursor.h"
#include "framework/MoviePlayer.h"
#include "framework/NodeId.h"
#include "framework/NodeManager.h"

namespace {
constexpr const char* kDatabase = "TitleScreen";
}

const char* const TitleScreen::kMovies[kMovieCount] = {"tolvane_logo", "VantroLogo",       "OvnLogo",
                                                       "Tzlogo",       "PlaceholderLegal", "splash"};

TitleScreen::TitleScreen() = default;

TitleScreen::~TitleScreen() = default;

void TitleScreen::Activate() {
  ScreenNode::Activate();
  SetName("TitleScreen");
  Qel::DatabaseManager::GetInstance()->AddDatabase(kDatabase);
  LoadObjects("TitleScreenObjs");
  LoadTxtData("TitleScreenData");
  gCaptionsOn = 0;
}

void TitleScreen::Deactivate() {
  Qel::DatabaseManager::GetInstance()->RemoveDatabase(kDatabase);
  ScreenNode::Deactivate();
}

void TitleScreen::Update() {
  if (!m_started) {
    // Step and flag first: a movie that cannot be played resumes the game inside Play, and that
    // resume must already see this movie as the one that played.
    m_started = true;
    m_step = 0;
    MouseCursor::Instance().Hide();
    MoviePlayer::Instance().Play(kMovies[0]);
  }
  if (m_sequenceDone) RequestSignIn();
  ScreenNode::Update();
}

void TitleScreen::OnLeftButtonDown(const InputEventInfo& /*input*/) {
  RequestSignIn();
}

void TitleScreen::OnRightButtonDown(const InputEventInfo& /*input*/) {
  RequestSignIn();
}

void TitleScreen::OnChar(uint16_t code) {
  RequestSignIn();
  ScreenNode::OnChar(code);
}

void TitleScreen::Resume(void* data) {
  ScreenNode::Resume(data);
  if (m_step >= 0 && m_step < kMovieCount - 1) {
    // The next step is stored before its movie plays, for the same reason as in Update: an
    // unplayable movie comes back here at once, and must move on rather than play again.
    ++m_step;
    MoviePlayer::Instance().Play(kMovies[m_step]);
    return;
  }
  m_step = -1;
  m_sequenceDone = true;
}

void TitleScreen::RequestSignIn() {
  NodeManager::Instance().RequestNode(kNodeSignIn);
}
