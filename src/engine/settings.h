#pragma once
// The player's configuration and the developer switches of the command line. Game control
// fills it from "settings.xml" and the command line and writes it back at exit; drawing, sound,
// music and the computer opponents read it.
#include <cstdint>

struct TGameSettings {
  std::uint16_t ScreenWidth = 0;
  std::uint16_t ScreenHeight = 0;
  std::uint16_t Frequency = 0;
  bool HighGlobeDetail = false;
  bool Reflections = false;
  bool Windowed = false;       // "-windowed"; never stored
  bool NoShaders = false;      // "-noshaders" or the OpenGL check; never stored
  std::int32_t ReflectionUpdateRate = 0;
  std::int32_t ReflectionTextureSize = 0;
  bool MusicEnabled = false;
  std::int32_t MusicVolume = 0;  // 0..100
  bool SoundEnabled = false;
  std::int32_t SoundVolume = 0;  // 0..100
  bool AutosaveEnabled = false;
  std::int32_t AutosaveInterval = 0;
  std::int32_t AutosaveCountdown = 0;  // never stored
  bool ShowIntro = false;
  bool DebugKeys = false;  // "-debugkeys"
  bool LogAI = false;      // "-logai"
  bool ShowFPS = false;    // "-showfps"
};
