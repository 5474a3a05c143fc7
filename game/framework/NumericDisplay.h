// The numeric display: a number (a score, a count) drawn with one sprite object per digit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class SpriteObject;

// The digit objects are added most significant first; each shows the sequence of its digit, from
// frame 0. Display, Add and Subtract only draw a value; SetValue, Increment and Decrement store it as
// well.
class NumericDisplay {
public:
  enum Mode : uint32_t {
    kZeroPadded = 1,
    // Blank places are hidden.
    kBlankPadded = 2,
    // From the first digit object on; the places after the number are hidden.
    kUnpadded = 3,
    // Unpadded and shifted by half the width of the hidden places, so that the number stays centred.
    kCentred = 4,
  };

  // Owned digit objects are deleted by Clear and with the display.
  NumericDisplay(uint32_t mode, bool ownsDigits);
  virtual ~NumericDisplay();
  NumericDisplay(const NumericDisplay&) = delete;
  NumericDisplay& operator=(const NumericDisplay&) = delete;

  // Appends a digit object; its position now is its rest position. The step between neighbouring
  // places (for centring) is the distance from the previous digit object to this one.
  virtual void AddDigit(SpriteObject* digit);
  virtual void Clear();
  // Draws the value without storing it. A value with more digits than there are digit objects shows
  // its trailing digits. A mode other than 1 to 4 hides every digit object.
  virtual void Display(uint32_t value);
  virtual uint32_t GetValue() const { return m_value; }
  virtual void SetMode(uint32_t mode) { m_mode = mode; }
  virtual uint32_t GetMode() const { return m_mode; }
  // Draws the value less n, or 0 when n exceeds it; the stored value stays.
  virtual void Subtract(uint32_t n);
  // Draws the value plus n, held at the largest value; the stored value stays.
  virtual void Add(uint32_t n);
  virtual bool Equals(uint32_t n) const { return m_value == n; }
  virtual bool NotEquals(uint32_t n) const { return m_value != n; }
  // Stores and draws.
  virtual void SetValue(uint32_t value);
  // By one, stored and drawn; held at 0 and at the largest value.
  virtual void Decrement();
  virtual void Increment();

  size_t GetDigitCount() const { return m_digits.size(); }
  SpriteObject* GetDigit(size_t index) const {
    return index < m_digits.size() ? m_digits[index].object : nullptr;
  }

private:
  struct Digit {
    SpriteObject* object;
    float restX;
    float restY;
  };

  uint32_t m_mode;
  bool m_ownsDigits;
  std::vector<Digit> m_digits;
  float m_stepX = 0.0f;
  float m_stepY = 0.0f;
  uint32_t m_value = 0;
};
