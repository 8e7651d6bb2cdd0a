#pragma once
// Where the music player and the model code send their log lines: the game's HTML log.
#include <functional>
#include <string>

void MediaLog(const std::string& Line);

// Tests watch the lines through this hook; none by default.
void SetMediaLogHook(std::function<void(const std::string& Line)> Hook);
