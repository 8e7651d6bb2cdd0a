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
