#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/virtual_keys.h"

TEST(VirtualKeys, SDLKeysMapToTheGamesKeyCodes) {
  const struct {
    std::int32_t SDLKey;
    std::uint16_t Code;
  } Table[] = {
      {SDLK_a, 'A'}, {SDLK_z, 'Z'}, {SDLK_0, '0'}, {SDLK_F10, VK_F10}, {SDLK_KP_9, VK_NUMPAD0 + 9},
      {SDLK_KP_ENTER, VK_RETURN}, {SDLK_RSHIFT, VK_SHIFT}, {SDLK_UNKNOWN, 0},
      // By character on a German layout, by the keys' positions elsewhere.
      {0xE4, 222}, {0xF6, 192}, {0xFC, 186}, {SDLK_QUOTE, 222}, {SDLK_BACKQUOTE, 192}, {SDLK_SEMICOLON, 186},
  };
  for (const auto& Row : Table) EXPECT_EQ(VirtualKeyFromSDL(Row.SDLKey), Row.Code) << Row.SDLKey;
}
