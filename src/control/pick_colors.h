#pragma once
// The colour code of picking: candidate k is drawn in a flat colour that names it. Red counts
// 5, 10, .. 255 for candidates 0..50, then green for 51..101, then blue for 102..152; from 153 on
// blue starts again, so only 153 candidates are told apart. White and black are never codes.
#include <array>
#include <cstdint>

using TPickColor = std::array<std::uint8_t, 3>;

constexpr std::int32_t kDistinctPickColors = 153;

constexpr TPickColor PickColor(std::int32_t Candidate) {
  const std::int32_t Blue = Candidate < 102 ? 0 : (Candidate - 102) % 51 + 1;
  if (Candidate < 51) return {static_cast<std::uint8_t>(5 * (Candidate + 1)), 0, 0};
  if (Candidate < 102) return {0, static_cast<std::uint8_t>(5 * (Candidate - 50)), 0};
  return {0, 0, static_cast<std::uint8_t>(5 * Blue)};
}

// The first of Count candidates drawn in Pixel, plus one; -1 when none is.
constexpr std::int32_t DecodePickColor(const TPickColor& Pixel, std::int32_t Count) {
  for (std::int32_t k = 0; k < Count; ++k)
    if (PickColor(k) == Pixel) return k + 1;
  return -1;
}
