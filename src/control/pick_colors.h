#pragma once
// The colour code of colour picking: candidate k of a pick pass is drawn in the k-th colour of
// the sequence (5,0,0), (10,0,0) .. (255,0,0), (0,5,0) .. (0,255,0), (0,0,5) .. (0,0,255), after
// which the blue channel starts again at 5. White (the cleared background) and black are never
// codes. Only the first 153 candidates have colours of their own.
#include <array>
#include <cstdint>

class TPickColorCode {
public:
  std::array<std::uint8_t, 3> Color() const { return Channels; }
  void Next() {
    const int Value = Channels[Active] + 5;
    if (Value > 255) {
      Channels[Active] = 0;
      if (Active < 2) ++Active;
      Channels[Active] = 5;
    } else {
      Channels[Active] = static_cast<std::uint8_t>(Value);
    }
  }
  // Candidate number + 1 of the first of Count candidates drawn in (R, G, B); -1 for none.
  static std::int32_t Decode(std::uint8_t R, std::uint8_t G, std::uint8_t B, std::int32_t Count) {
    TPickColorCode Code;
    for (std::int32_t k = 0; k < Count; ++k, Code.Next())
      if (Code.Channels[0] == R && Code.Channels[1] == G && Code.Channels[2] == B) return k + 1;
    return -1;
  }

private:
  std::array<std::uint8_t, 3> Channels{5, 0, 0};
  int Active = 0;
};
