#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/virtual_keys.h"

TEST(VirtualKeys, LettersDigitsAndFunctionKeys) {
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_a), 'A');
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_z), 'Z');
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_0), '0');
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_9), '9');
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_F1), VK_F1);
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_F10), VK_F10);
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_KP_0), VK_NUMPAD0);
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_KP_9), VK_NUMPAD0 + 9);
}

TEST(VirtualKeys, EditingAndNavigationKeys) {
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_RETURN), VK_RETURN);
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_KP_ENTER), VK_RETURN);
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_ESCAPE), VK_ESCAPE);
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_BACKSPACE), VK_BACK);
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_DELETE), VK_DELETE);
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_LEFT), VK_LEFT);
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_HOME), VK_HOME);
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_RSHIFT), VK_SHIFT);
  EXPECT_EQ(VirtualKeyFromSDL(SDLK_UNKNOWN), 0);
}

TEST(VirtualKeys, KeysOfTheEditAndTheUmlauts) {
  const struct {
    std::int32_t SDLKey;
    std::uint16_t Code;
  } Table[] = {
      {SDLK_SPACE, 32}, {SDLK_END, 35}, {SDLK_RIGHT, 39}, {SDLK_t, 84}, {SDLK_CAPSLOCK, 20},
      // By character on a German layout, by the keys' positions elsewhere.
      {0xE4, 222}, {0xF6, 192}, {0xFC, 186}, {SDLK_QUOTE, 222}, {SDLK_BACKQUOTE, 192}, {SDLK_SEMICOLON, 186},
  };
  for (const auto& Row : Table) EXPECT_EQ(VirtualKeyFromSDL(Row.SDLKey), Row.Code) << Row.SDLKey;
}
