// The numeric display: a number (a score, a count) drawn with one sprite object per digit.
#include "framework/NumericDisplay.h"

#include <limits>
#include <string>

#include "framework/SpriteObject.h"
#include "graphics/SceneObject.h"

namespace {

constexpr uint32_t kLargest = std::numeric_limits<uint32_t>::max();
// Ten decimal places hold every 32-bit value.
constexpr size_t kWidestValue = 10;

void SetShown(SpriteObject& digit, bool shown) {
  const auto& scene = digit.GetSceneObject();
  if (!scene) return;
  if (shown)
    scene->Show();
  else
    scene->Hide();
}

}  // namespace

NumericDisplay::NumericDisplay(uint32_t mode, bool ownsDigits) : m_mode(mode), m_ownsDigits(ownsDigits) {}

NumericDisplay::~NumericDisplay() {
  Clear();
}

void NumericDisplay::AddDigit(SpriteObject* digit) {
  if (!digit) return;
  if (!m_digits.empty()) {
    m_stepX = digit->GetX() - m_digits.back().restX;
    m_stepY = digit->GetY() - m_digits.back().restY;
  }
  m_digits.push_back({digit, digit->GetX(), digit->GetY()});
}

void NumericDisplay::Clear() {
  if (m_ownsDigits) {
    for (const Digit& digit : m_digits) delete digit.object;
  }
  m_digits.clear();
  m_stepX = m_stepY = 0.0f;
}

void NumericDisplay::Display(uint32_t value) {
  if (m_digits.empty()) return;
  const size_t n = m_digits.size();
  // In 64 bits and only below ten places: a power of ten of more places would not fit, and no
  // 32-bit value needs reducing there.
  uint64_t shown = value;
  if (n < kWidestValue) {
    uint64_t power = 1;
    for (size_t i = 0; i < n; ++i) power *= 10;
    shown %= power;
  }
  // Printed unsigned, padded to n places in modes 1 and 2; other modes select no format.
  const std::string digits = std::to_string(shown);
  std::string text;
  switch (m_mode) {
    case kZeroPadded:
    case kBlankPadded:
      if (digits.size() < n) text.assign(n - digits.size(), m_mode == kZeroPadded ? '0' : ' ');
      text += digits;
      break;
    case kUnpadded:
    case kCentred:
      text = digits;
      break;
    default:
      break;
  }

  const size_t length = text.size() < n ? text.size() : n;
  // The places the number leaves empty would have taken this much room.
  const float hidden = static_cast<float>(n - length);
  const float shiftX = m_mode == kCentred ? m_stepX * hidden / 2 : 0.0f;
  const float shiftY = m_mode == kCentred ? m_stepY * hidden / 2 : 0.0f;
  for (size_t i = 0; i < n; ++i) {
    const Digit& digit = m_digits[i];
    const char c = i < length ? text[i] : ' ';
    if (c < '0' || c > '9') {
      SetShown(*digit.object, false);
      continue;
    }
    digit.object->SetAnimation(static_cast<uint32_t>(c - '0'), 0);
    SetShown(*digit.object, true);
    digit.object->SetPosition(digit.restX + shiftX, digit.restY + shiftY);
  }
}

void NumericDisplay::Subtract(uint32_t n) {
  Display(n > m_value ? 0 : m_value - n);
}

void NumericDisplay::Add(uint32_t n) {
  Display(n > kLargest - m_value ? kLargest : m_value + n);
}

void NumericDisplay::SetValue(uint32_t value) {
  m_value = value;
  Display(m_value);
}

void NumericDisplay::Decrement() {
  if (m_value > 0) --m_value;
  Display(m_value);
}

void NumericDisplay::Increment() {
  if (m_value < kLargest) ++m_value;
  Display(m_value);
}
