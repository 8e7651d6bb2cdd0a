// tarnova-sound: synthesises the game's sound effects ("data/sounds/") and renders its music
// from the scores below ("data/music/", victory and defeat in "data/music/special/"), all as
// Ogg Vorbis. The same program always writes the same bytes.
// Usage: tarnova-sound <output root>
#include <cmath>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "ogg_writer.h"
#include "synth.h"
#include "write_if_changed.h"

namespace fs = std::filesystem;

namespace {

// ------------------------------------------------------------------------------------ effects

using TEffect = std::function<void(TTrackBuffer&)>;

std::map<std::string, TEffect> Effects() {
  std::map<std::string, TEffect> E;
  E["MainMenuButton"] = [](TTrackBuffer& B) {
    Glide(B, 0, 0.07, 1500, 1100, 0.6f);
    Glide(B, 0, 0.04, 3000, 2600, 0.2f);
  };
  E["dropdown"] = [](TTrackBuffer& B) {
    Glide(B, 0, 0.05, 900, 700, 0.6f);
    NoiseSweep(B, 0, 0.03, 3000, 1500, 0.3f, 60);
  };
  E["WindowOpen"] = [](TTrackBuffer& B) {
    Glide(B, 0, 0.18, 420, 880, 0.5f);
    NoiseSweep(B, 0, 0.2, 400, 4000, 0.25f, 8);
  };
  E["WindowClose"] = [](TTrackBuffer& B) {
    Glide(B, 0, 0.15, 880, 400, 0.5f);
    NoiseSweep(B, 0, 0.16, 4000, 400, 0.25f, 10);
  };
  E["DefaultWarn"] = [](TTrackBuffer& B) {
    Buzz(B, 0, 0.14, 440, 0.5f);
    Buzz(B, 0.17, 0.2, 330, 0.5f);
  };
  E["NextTurn"] = [](TTrackBuffer& B) {
    Pluck(B, 0, 72, 0.6f, 0.6);
    Pluck(B, 0.12, 76, 0.6f, 0.6);
    Pluck(B, 0.24, 79, 0.7f, 0.9);
  };
  E["GameStart"] = [](TTrackBuffer& B) {
    Timpani(B, 0, 43, 0.6f);
    for (int N : {60, 64, 67}) Brass(B, 0.0, 0.25, N, 0.25f);
    for (int N : {62, 65, 69}) Brass(B, 0.3, 0.2, N, 0.25f);
    for (int N : {64, 67, 72}) Brass(B, 0.55, 0.9, N, 0.28f);
    Timpani(B, 0.55, 36, 0.7f);
  };
  E["DivisionMove"] = [](TTrackBuffer& B) {
    // Boots and wheels: dull thuds over a low rumble.
    for (int I = 0; I < 4; ++I) {
      NoiseSweep(B, I * 0.18, 0.14, 1400, 250, 0.6f, 22);
      Kick(B, I * 0.18, 0.25f);
    }
    NoiseSweep(B, 0, 0.8, 150, 90, 0.6f, 1.5f);
  };
  E["startbattle"] = [](TTrackBuffer& B) {
    for (int I = 0; I < 10; ++I) Snare(B, I * 0.06, 0.25f + 0.04f * I);
    Timpani(B, 0.6, 38, 0.9f);
    Brass(B, 0.6, 0.5, 62, 0.35f);
    Brass(B, 0.6, 0.5, 69, 0.3f);
    Brass(B, 1.15, 0.6, 74, 0.35f);
  };
  E["startresearch"] = [](TTrackBuffer& B) {
    for (int I = 0; I < 4; ++I) Bell(B, I * 0.09, 0.1, 76 + I * 3, 0.3f);
  };
  E["ResearchRotate"] = [](TTrackBuffer& B) {
    NoiseSweep(B, 0, 0.4, 300, 3000, 0.7f, 3);
    Glide(B, 0, 0.35, 200, 320, 0.2f);
  };
  E["StaffHire"] = [](TTrackBuffer& B) {
    Bell(B, 0, 0.1, 76, 0.4f);
    Bell(B, 0.13, 0.2, 81, 0.45f);
  };
  E["StaffFire"] = [](TTrackBuffer& B) {
    Bell(B, 0, 0.1, 69, 0.4f);
    Bell(B, 0.15, 0.2, 64, 0.45f);
  };
  E["demolish"] = [](TTrackBuffer& B) {
    Kick(B, 0, 0.9f);
    NoiseSweep(B, 0, 1.0, 2500, 150, 0.9f, 3.5f);
    for (int I = 0; I < 5; ++I) NoiseSweep(B, 0.15 + I * 0.11, 0.12, 1800, 600, 0.3f, 20);
  };
  E["spygetinfo"] = [](TTrackBuffer& B) {
    const double Beeps[][2] = {{0, 0.05}, {0.08, 0.05}, {0.16, 0.14}, {0.34, 0.05}, {0.42, 0.14}};
    for (auto& P : Beeps) Buzz(B, P[0], P[1], 1250, 0.25f);
    NoiseSweep(B, 0, 0.6, 3000, 3000, 0.08f, 0);
  };
  E["spycaptured"] = [](TTrackBuffer& B) {
    for (int I = 0; I < 3; ++I) {
      Glide(B, I * 0.33, 0.17, 700, 1000, 0.45f);
      Glide(B, I * 0.33 + 0.17, 0.16, 1000, 700, 0.45f);
    }
  };
  E["UnitConstruct"] = [](TTrackBuffer& B) {
    for (int I = 0; I < 3; ++I) {
      Bell(B, I * 0.2, 0.02, 45 + I * 2, 0.35f);
      NoiseSweep(B, I * 0.2, 0.1, 4000, 1000, 0.4f, 30);
    }
    NoiseSweep(B, 0.6, 0.3, 800, 200, 0.4f, 6);
  };
  E["construct"] = [](TTrackBuffer& B) {
    for (int I = 0; I < 3; ++I) {
      NoiseSweep(B, I * 0.22, 0.08, 2500, 800, 0.6f, 40);
      Glide(B, I * 0.22, 0.07, 320, 260, 0.4f);
    }
  };
  E["DivisionBattleWon"] = [](TTrackBuffer& B) {
    const int Notes[] = {60, 64, 67, 72};
    for (int I = 0; I < 4; ++I) Brass(B, I * 0.15, I == 3 ? 0.8 : 0.12, Notes[I], 0.35f);
    for (int N : {60, 64, 67}) Brass(B, 0.45, 0.8, N, 0.18f);
    Timpani(B, 0.45, 36, 0.6f);
  };
  E["DivisionBattleLost"] = [](TTrackBuffer& B) {
    const int Notes[] = {69, 65, 62, 57};
    for (int I = 0; I < 4; ++I) Brass(B, I * 0.28, I == 3 ? 0.8 : 0.24, Notes[I], 0.3f);
    Timpani(B, 0.84, 33, 0.6f);
  };
  return E;
}

// -------------------------------------------------------------------------------------- music

enum TArp { NoArp, PluckArp, BellArp };
enum TDrums { NoDrums, SoftDrums, MarchDrums, TimpaniDrums };
enum TVoice { LeadVoice, BrassVoice, BellVoice };

struct TSection {
  std::vector<std::string> Chords;  // one a bar
  std::string Melody;               // note string, may be empty
  TArp Arp;
  TDrums Drums;
};

struct TSong {
  std::string File;
  double Bpm;
  TVoice Voice;
  std::vector<TSection> Sections;
};

// The scores: four beats to the bar; each section's melody fills its bars.
std::vector<TSong> Songs() {
  const std::vector<std::string> ThemeA{"Dm", "Bb", "F", "C", "Dm", "Bb", "C", "A"}, ThemeB{"Bb", "F", "Gm", "Dm", "Bb", "F", "A", "A"};
  const std::string ThemeMelA =
      "d5:1.5 e5:0.5 f5:1 a5:1 g5:2 f5:1 e5:1 f5:1.5 e5:0.5 d5:1 c5:1 e5:3 r:1 "
      "d5:1.5 e5:0.5 f5:1 a5:1 bb5:2 a5:1 g5:1 g5:1.5 f5:0.5 e5:1 g5:1 a5:3 r:1";
  const std::string ThemeMelB =
      "f5:2 d5:2 c5:1 d5:1 e5:1 f5:1 g5:2 bb5:2 a5:3 f5:1 d6:2 c6:1 bb5:1 a5:2 f5:2 e5:1 f5:1 g5:1 e5:1 c#5:4";

  const std::vector<std::string> CalmA{"Am", "F", "C", "G", "Am", "F", "G", "E"}, CalmB{"F", "G", "Em", "Am", "Dm", "G", "C", "E"};
  const std::string CalmMelA =
      "e5:1 a5:1 b5:1 c6:1 a5:2 f5:2 g5:1 e5:1 c5:1 e5:1 d5:3 r:1 "
      "e5:1 a5:1 b5:1 c6:1 d6:2 c6:1 a5:1 b5:1 g5:1 d5:1 b4:1 g#4:4";
  const std::string CalmMelB = "a5:2 c6:2 b5:2 d6:2 g5:3 e5:1 a5:4 f5:2 a5:1 f5:1 d5:2 b4:2 c5:1 e5:1 g5:1 c6:1 b5:4";

  const std::vector<std::string> WarA{"Em", "Em", "C", "D", "Em", "Am", "B", "B"}, WarB{"C", "D", "Em", "Em", "C", "D", "B", "B"};
  const std::string WarMelA =
      "e4:1.5 e4:0.5 g4:1 b4:1 e5:2 d5:1 b4:1 c5:1.5 b4:0.5 a4:1 g4:1 a4:2 f#4:2 "
      "g4:1.5 a4:0.5 b4:1 e5:1 c5:2 a4:1 c5:1 b4:1 a4:1 g4:1 f#4:1 b4:4";
  const std::string WarMelB = "g5:2 e5:2 f#5:2 d5:2 e5:1 f#5:1 g5:1 b5:1 e5:4 c5:1 e5:1 g5:2 a5:1 f#5:1 d5:2 d#5:2 f#5:2 b4:4";

  const std::vector<std::string> NorthA{"Gm", "Eb", "Bb", "F", "Gm", "Eb", "Cm", "D"}, NorthB{"Eb", "Bb", "F", "Gm", "Eb", "Bb", "Cm", "D"};
  const std::string NorthMelA = "g5:3 bb5:1 a5:2 g5:2 f5:3 d5:1 f5:4 g5:3 bb5:1 c6:2 bb5:1 a5:1 g5:2 eb5:2 d5:4";
  const std::string NorthMelB = "eb5:2 g5:2 f5:2 d5:2 c5:2 f5:1 a5:1 g5:4 bb5:2 g5:1 eb5:1 f5:2 bb4:2 c5:1 eb5:1 g5:1 c6:1 a5:4";

  const std::vector<std::string> WonChords{"C", "F", "G", "C", "Am", "F", "G", "C", "F", "G", "Em", "Am", "F", "G", "C", "C"};
  const std::string WonMel =
      "c5:1 e5:1 g5:2 a5:2 f5:2 g5:1 f5:1 e5:1 d5:1 e5:4 e5:1 a5:1 c6:2 a5:2 f5:2 d5:1 e5:1 f5:1 d5:1 c5:4 "
      "a5:2 c6:2 b5:2 g5:2 g5:1 a5:1 b5:1 g5:1 a5:4 f5:1 a5:1 c6:2 d6:2 b5:2 c6:4 c6:4";

  const std::vector<std::string> LostChords{"Am", "Dm", "E", "Am", "F", "Dm", "E", "E", "Am", "Dm", "G", "C", "F", "Dm", "E", "Am"};
  const std::string LostMel =
      "e5:2 c5:2 d5:2 f5:2 e5:3 b4:1 c5:4 a4:2 c5:2 f5:2 d5:2 b4:2 g#4:2 e4:4 "
      "a4:1 b4:1 c5:2 d5:2 f5:2 g5:2 d5:2 e5:4 f5:2 c5:2 d5:2 f5:2 e5:2 g#4:2 a4:4";

  return {
      {"music/tarnova_theme", 92, LeadVoice,
       {{{"Dm", "Bb", "F", "C"}, "", PluckArp, NoDrums},
        {ThemeA, ThemeMelA, PluckArp, NoDrums},
        {ThemeB, ThemeMelB, PluckArp, SoftDrums},
        {ThemeA, ThemeMelA, PluckArp, MarchDrums},
        {ThemeB, ThemeMelB, PluckArp, MarchDrums},
        {{"Dm", "Bb", "C", "Dm"}, "", PluckArp, SoftDrums}}},
      {"music/calm_waters", 80, BellVoice,
       {{{"Am", "F", "C", "G"}, "", BellArp, NoDrums},
        {CalmA, CalmMelA, PluckArp, NoDrums},
        {CalmB, CalmMelB, PluckArp, SoftDrums},
        {CalmA, CalmMelA, BellArp, SoftDrums},
        {CalmB, CalmMelB, PluckArp, NoDrums},
        {{"Am", "F", "G", "E"}, "", BellArp, NoDrums}}},
      {"music/war_council", 112, BrassVoice,
       {{{"Em", "C", "D", "B"}, "", NoArp, MarchDrums},
        {WarA, WarMelA, NoArp, MarchDrums},
        {WarB, WarMelB, PluckArp, MarchDrums},
        {WarA, WarMelA, PluckArp, MarchDrums},
        {WarB, WarMelB, NoArp, TimpaniDrums},
        {{"Em", "C", "B", "B"}, "", NoArp, MarchDrums}}},
      {"music/northern_front", 72, LeadVoice,
       {{{"Gm", "Eb", "Bb", "F"}, "", BellArp, NoDrums},
        {NorthA, NorthMelA, BellArp, NoDrums},
        {NorthB, NorthMelB, PluckArp, TimpaniDrums},
        {NorthA, NorthMelA, PluckArp, SoftDrums},
        {NorthB, NorthMelB, BellArp, NoDrums},
        {{"Gm", "Eb", "D", "D"}, "", BellArp, NoDrums}}},
      {"music/special/game_won", 100, BrassVoice,
       {{{"C", "F", "G", "C"}, "", NoArp, TimpaniDrums},
        {WonChords, WonMel, PluckArp, MarchDrums},
        {WonChords, WonMel, BellArp, TimpaniDrums}}},
      {"music/special/game_lost", 66, LeadVoice,
       {{{"Am", "Dm", "E", "Am"}, "", NoArp, TimpaniDrums},
        {LostChords, LostMel, PluckArp, NoDrums}}},
  };
}

std::vector<float> Render(const TSong& Song, double& Seconds) {
  const double Beat = 60.0 / Song.Bpm, Bar = 4 * Beat;
  TTrackBuffer PadPart, BassPart, ArpPart, MelodyPart, DrumPart;
  double Time = 0;
  for (const TSection& S : Song.Sections) {
    for (std::size_t I = 0; I < S.Chords.size(); ++I) {
      const double T = Time + I * Bar;
      const std::vector<int> Chord = ChordNotes(S.Chords[I]);
      for (int N : Chord) Pad(PadPart, T, Bar, N + 12, 0.09f);
      Bass(BassPart, T, 2 * Beat * 0.9, Chord[0] - 12, 0.5f);
      Bass(BassPart, T + 2 * Beat, 2 * Beat * 0.9, (I % 2 ? Chord[2] - 24 : Chord[0] - 12), 0.45f);
      if (S.Arp != NoArp) {
        const int Pattern[] = {0, 1, 2, 3, 2, 1, 0, 1};
        for (int K = 0; K < 8; ++K) {
          const int Index = Pattern[K];
          const int Note = Index == 3 ? Chord[0] + 24 : Chord[static_cast<std::size_t>(Index)] + 12;
          if (S.Arp == PluckArp) Pluck(ArpPart, T + K * Beat / 2, Note + 12, 0.25f, 0.5);
          else Bell(ArpPart, T + K * Beat / 2, 0.1, Note + 12, 0.09f);
        }
      }
      switch (S.Drums) {
        case NoDrums: break;
        case SoftDrums:
          Kick(DrumPart, T, 0.5f);
          Kick(DrumPart, T + 2 * Beat, 0.4f);
          for (int K = 0; K < 8; ++K) HiHat(DrumPart, T + K * Beat / 2, K % 2 ? 0.12f : 0.2f);
          break;
        case MarchDrums:
          Kick(DrumPart, T, 0.7f);
          Kick(DrumPart, T + 2 * Beat, 0.6f);
          Snare(DrumPart, T + Beat, 0.35f);
          Snare(DrumPart, T + 3 * Beat, 0.35f);
          if (I % 2 == 1) Snare(DrumPart, T + 3.5 * Beat, 0.2f), Snare(DrumPart, T + 3.75 * Beat, 0.25f);
          for (int K = 0; K < 8; ++K) HiHat(DrumPart, T + K * Beat / 2, 0.12f);
          break;
        case TimpaniDrums:
          Timpani(DrumPart, T, Chord[0] - 12, 0.6f);
          Timpani(DrumPart, T + 2 * Beat, Chord[2] - 24, 0.45f);
          break;
      }
    }
    double At = Time;
    for (auto [Note, Beats] : ParseNotes(S.Melody)) {
      const double Length = Beats * Beat;
      if (Note >= 0) {
        if (Song.Voice == LeadVoice) Lead(MelodyPart, At, Length * 0.92, Note, 0.22f);
        else if (Song.Voice == BrassVoice) Brass(MelodyPart, At, Length * 0.9, Note, 0.28f);
        else Bell(MelodyPart, At, Length, Note, 0.35f);
      }
      At += Length;
    }
    const double End = Time + S.Chords.size() * Bar;
    if (At > End + 1e-6) throw std::runtime_error(Song.File + ": a melody runs past its section");
    Time = End;
  }
  TStereo Mix;
  MixIn(Mix, PadPart, 0.0f, 1.0f);
  MixIn(Mix, BassPart, 0.0f, 0.55f);
  MixIn(Mix, ArpPart, 0.45f, 0.9f);
  MixIn(Mix, MelodyPart, -0.2f, 1.0f);
  MixIn(Mix, DrumPart, 0.1f, 0.8f);
  AddReverb(Mix, 0.35f);
  // The sound after the last bar (release, echo) continues at the start: the track loops seamlessly.
  const std::size_t Frames = static_cast<std::size_t>(Time * kRate);
  FoldLoop(Mix, Frames);
  std::vector<float> Samples = Interleave(Mix);
  Normalise(Samples, 0.8f);
  Seconds = Time;
  return Samples;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: tarnova-sound <output root>\n";
    return 2;
  }
  try {
    const fs::path Data = fs::path(argv[1]) / "data";
    for (auto& [Name, Make] : Effects()) {
      TTrackBuffer B;
      Make(B);
      B.S.resize(B.S.size() + kRate / 50, 0.0f);  // a short silence after the tail
      Normalise(B.S, 0.7f);
      WriteIfChanged(Data / "sounds" / (Name + ".ogg"), EncodeOggVorbis(B.S, 1, kRate, 0.3f));
    }
    for (const TSong& Song : Songs()) {
      double Seconds = 0;
      const std::vector<float> Samples = Render(Song, Seconds);
      WriteIfChanged(Data / (Song.File + ".ogg"), EncodeOggVorbis(Samples, 2, kRate, 0.1f));
      std::cout << "tarnova-sound: " << Song.File << ".ogg, " << std::lround(Seconds) << " s\n";
    }
    std::cout << "tarnova-sound: " << Effects().size() << " sounds into \"" << (Data / "sounds").string() << "\"\n";
    return 0;
  } catch (const std::exception& E) {
    std::cerr << "tarnova-sound: " << E.what() << '\n';
    return 1;
  }
}
