// Both key translation tables, case by case.
#include <gtest/gtest.h>

#include "framework/KeyTranslation.h"

TEST(KeyTranslation, WindowsCharactersAndVirtualKeys) {
  struct Case {
    unsigned character;
    unsigned virtualKey;
    uint16_t expected;
  };
  const Case cases[] = {
      {8, 0, 8},   {9, 0, 9},     {13, 0, 13},   {27, 0, 27},    {32, 0, 32},   {'0', 0, '0'}, {'A', 0, 'A'},
      {96, 0, 96}, {'a', 0, 'A'}, {'z', 0, 'Z'}, {123, 0, 123},  {126, 0, 126}, {127, 0, 0},   {10, 0, 0},
      {1, 0, 0},   {0xE9, 0, 0},  {31, 0, 0},    {0, 35, 35},    {0, 36, 36},   {0, 37, 37},   {0, 40, 40},
      {0, 45, 45}, {0, 46, 46},   {0, 112, 112}, {0, 119, 119},  {0, 120, 0},   {0, 34, 0},    {0, 41, 0},
      {0, 'A', 0}, {0, 13, 0},    {0, 27, 0},    {'a', 37, 'A'},  // a character wins over the key
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TranslateVirtualKey(c.character, c.virtualKey), c.expected)
        << "character " << c.character << " key " << c.virtualKey;
  }
}

TEST(KeyTranslation, SDLSymbols) {
  struct Case {
    int symbol;
    uint16_t expected;
    bool special;
  };
  const Case cases[] = {
      {8, 8, false},     {9, 9, false},     {13, 13, false},   {27, 27, false},  {32, 32, false},
      {'5', '5', false}, {'a', 'A', false}, {'z', 'Z', false}, {96, 96, false},  {126, 126, false},
      {127, 46, true},   {273, 38, true},   {274, 40, true},   {275, 39, true},  {276, 37, true},
      {277, 45, true},   {278, 36, true},   {279, 35, true},   {282, 112, true}, {289, 119, true},
      {290, 0, true},    {280, 0, true},    {281, 0, true},    {304, 0, true},   {0, 0, true},
      {12, 0, true},     {-1, 0, true},
  };
  for (const Case& c : cases) {
    bool special = !c.special;
    EXPECT_EQ(TranslateSDLKey(c.symbol, special), c.expected) << "symbol " << c.symbol;
    EXPECT_EQ(special, c.special) << "symbol " << c.symbol;
  }
}
