#pragma once
// Encodes sound to Ogg Vorbis for the content pipeline (synthesised sounds and music) and for
// test fixtures. Deterministic: the same samples give the same bytes.
#include <string>
#include <vector>

// Samples are interleaved floats in -1..1; Quality from -0.1 to 1.0.
std::string EncodeOggVorbis(const std::vector<float>& Samples, int Channels, int Rate, float Quality = 0.2f);

// A mono sine tone of Milliseconds at Frequency, amplitude 0.5.
std::vector<float> SineTone(double Frequency, int Milliseconds, int Rate);
