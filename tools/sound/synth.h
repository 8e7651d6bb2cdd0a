#pragma once
// A small synthesiser for the game's sound effects and music: oscillators, envelopes, filters,
// drums, a reverb and a sequencer that plays note strings. Deterministic: noise comes from a
// fixed generator, so the same calls always give the same samples.
#include <cstdint>
#include <string>
#include <vector>

constexpr int kRate = 44100;

struct TNoise {
  std::uint32_t State = 22222u;
  float Next() {  // -1 .. 1
    State = State * 1664525u + 1013904223u;
    return static_cast<float>(State >> 8) / 8388608.0f - 1.0f;
  }
};

// Mono samples; mixing outside the end grows the buffer.
struct TTrackBuffer {
  std::vector<float> S;
  void Add(std::size_t At, float V) {
    if (At >= S.size()) S.resize(At + 1, 0.0f);
    S[At] += V;
  }
};

double NoteFrequency(int Midi);

// Instruments: each adds one note at Start seconds lasting Length seconds (plus its release).
void Pad(TTrackBuffer& B, double Start, double Length, int Midi, float Amp);
void Bass(TTrackBuffer& B, double Start, double Length, int Midi, float Amp);
void Bell(TTrackBuffer& B, double Start, double Length, int Midi, float Amp);
void Lead(TTrackBuffer& B, double Start, double Length, int Midi, float Amp);
void Brass(TTrackBuffer& B, double Start, double Length, int Midi, float Amp);
void Pluck(TTrackBuffer& B, double Start, int Midi, float Amp, double Seconds = 0.6);
void Kick(TTrackBuffer& B, double Start, float Amp);
void Snare(TTrackBuffer& B, double Start, float Amp);
void HiHat(TTrackBuffer& B, double Start, float Amp);
void Timpani(TTrackBuffer& B, double Start, int Midi, float Amp);
// Filtered noise, Seconds long, its low-pass cut-off moving from Cut0 to Cut1 Hz.
void NoiseSweep(TTrackBuffer& B, double Start, double Seconds, float Cut0, float Cut1, float Amp, float Decay);
// A sine gliding from F0 to F1 Hz with a soft attack and decay.
void Glide(TTrackBuffer& B, double Start, double Seconds, double F0, double F1, float Amp);
// A square-ish tone (odd harmonics) for buzzers and alarms.
void Buzz(TTrackBuffer& B, double Start, double Seconds, double Frequency, float Amp);

// Parses a note string: tokens "c4", "f#3", "bb2" (flat), "r" (rest), each with an optional
// ":beats" (the last length holds until changed). Returns (midi or -1, beats) pairs.
std::vector<std::pair<int, double>> ParseNotes(const std::string& Text);
// The triad of a chord name ("C", "Dm", "F#m", "Bb") in octave 3, root first.
std::vector<int> ChordNotes(const std::string& Name);

// Stereo helpers.
struct TStereo {
  std::vector<float> L, R;
};
// Mixes a mono part into the stereo mix at Pan (-1 left .. 1 right).
void MixIn(TStereo& Mix, const TTrackBuffer& Part, float Pan, float Gain);
// A Schroeder reverb added to the mix with the given wet level.
void AddReverb(TStereo& Mix, float Wet);
// Folds everything past Frames onto the start (a seamless loop) and cuts the mix to Frames.
void FoldLoop(TStereo& Mix, std::size_t Frames);
// Scales so that the highest peak is Peak.
void Normalise(std::vector<float>& S, float Peak);
std::vector<float> Interleave(const TStereo& Mix);
