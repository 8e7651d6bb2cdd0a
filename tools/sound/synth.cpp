#include "synth.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

namespace {
constexpr double kPi = 3.14159265358979323846;

std::size_t Frame(double Seconds) { return static_cast<std::size_t>(std::max(0.0, Seconds) * kRate); }

// Attack, hold for the note's length, exponential release.
float Envelope(double T, double Attack, double Length, double Release) {
  if (T < Attack) return static_cast<float>(T / Attack);
  if (T < Length) return 1.0f;
  return static_cast<float>(std::exp(-(T - Length) / Release * 4.0));
}

// A one-pole low-pass filter; the coefficient is worked out again only when the cut-off changes.
struct TLowPass {
  float Y = 0, LastCut = -1, A = 0;
  float Run(float X, float Cut) {
    if (Cut != LastCut) {
      LastCut = Cut;
      A = static_cast<float>(1.0 - std::exp(-2.0 * kPi * Cut / kRate));
    }
    Y += A * (X - Y);
    return Y;
  }
};

// A decaying sine computed by rotation: one complex multiplication a sample.
struct TDecayingSine {
  double C, S, Re = 0, Im = 1;
  TDecayingSine(double Frequency, double DecayPerSecond) {
    const double W = 2 * kPi * Frequency / kRate, G = std::exp(-DecayPerSecond / kRate);
    C = G * std::cos(W);
    S = G * std::sin(W);
    Re = 1.0;
    Im = 0.0;
  }
  float Next() {
    const double R = Re * C - Im * S, I = Re * S + Im * C;
    Re = R;
    Im = I;
    return static_cast<float>(Im);
  }
};

// A saw wave from a phase in 0..1.
float Saw(double Phase) { return static_cast<float>(2.0 * Phase - 1.0); }
}  // namespace

double NoteFrequency(int Midi) { return 440.0 * std::pow(2.0, (Midi - 69) / 12.0); }

void Pad(TTrackBuffer& B, double Start, double Length, int Midi, float Amp) {
  const double F = NoteFrequency(Midi), Release = 0.8, Total = Length + Release;
  double P1 = 0, P2 = 0.37, P3 = 0.71;
  float Cut = 700;
  TLowPass Filter, Filter2;
  const std::size_t S0 = Frame(Start);
  for (std::size_t I = 0, N = Frame(Total); I < N; ++I) {
    const double T = static_cast<double>(I) / kRate;
    P1 = std::fmod(P1 + F * 1.003 / kRate, 1.0);
    P2 = std::fmod(P2 + F * 0.997 / kRate, 1.0);
    P3 = std::fmod(P3 + F * 0.5 / kRate, 1.0);
    const float Raw = Saw(P1) + Saw(P2) + 0.6f * Saw(P3 < 0.5 ? 2 * P3 : 2 - 2 * P3);
    if (I % 64 == 0) Cut = static_cast<float>(700 + 500 * std::sin((Start + T) * 0.9));
    const float V = Filter2.Run(Filter.Run(Raw, Cut), Cut * 1.5f);
    B.Add(S0 + I, V * Amp * Envelope(T, 0.35, Length, Release));
  }
}

void Bass(TTrackBuffer& B, double Start, double Length, int Midi, float Amp) {
  const double F = NoteFrequency(Midi), Release = 0.15;
  double P = 0;
  TLowPass Filter;
  const std::size_t S0 = Frame(Start);
  for (std::size_t I = 0, N = Frame(Length + Release); I < N; ++I) {
    const double T = static_cast<double>(I) / kRate;
    P = std::fmod(P + F / kRate, 1.0);
    const float Raw = static_cast<float>(std::sin(2 * kPi * P) + 0.35 * Saw(P));
    const float V = Filter.Run(Raw, 900.0f);
    const float Decay = static_cast<float>(0.6 + 0.4 * std::exp(-T * 6));
    B.Add(S0 + I, V * Amp * Decay * Envelope(T, 0.008, Length, Release));
  }
}

void Bell(TTrackBuffer& B, double Start, double Length, int Midi, float Amp) {
  const double F = NoteFrequency(Midi), Total = Length + 1.2;
  TDecayingSine P1(F, 3.0), P2(F * 2.76, 6.0), P3(F * 5.4, 10.0);
  const std::size_t S0 = Frame(Start), Attack = Frame(0.003);
  for (std::size_t I = 0, N = Frame(Total); I < N; ++I) {
    const float V = P1.Next() + 0.4f * P2.Next() + 0.2f * P3.Next();
    B.Add(S0 + I, V * Amp * std::min(1.0f, static_cast<float>(I) / static_cast<float>(Attack)));
  }
}

void Lead(TTrackBuffer& B, double Start, double Length, int Midi, float Amp) {
  const double F = NoteFrequency(Midi), Release = 0.25;
  double P = 0;
  const std::size_t S0 = Frame(Start);
  for (std::size_t I = 0, N = Frame(Length + Release); I < N; ++I) {
    const double T = static_cast<double>(I) / kRate;
    const double Vibrato = 1.0 + 0.004 * std::sin(2 * kPi * 5.2 * T) * std::min(1.0, T / 0.4);
    P = std::fmod(P + F * Vibrato / kRate, 1.0);
    const double W = 2 * kPi * P, Sn = std::sin(W), Cs = std::cos(W), S2 = Sn * Sn;
    const double V = Sn + 0.3 * 2 * Sn * Cs + 0.15 * Sn * (3 - 4 * S2) + 0.05 * Sn * (16 * S2 * S2 - 20 * S2 + 5);
    B.Add(S0 + I, static_cast<float>(V) * Amp * Envelope(T, 0.04, Length, Release));
  }
}

void Brass(TTrackBuffer& B, double Start, double Length, int Midi, float Amp) {
  const double F = NoteFrequency(Midi), Release = 0.2;
  double P = 0;
  TLowPass Filter, Filter2;
  const std::size_t S0 = Frame(Start);
  for (std::size_t I = 0, N = Frame(Length + Release); I < N; ++I) {
    const double T = static_cast<double>(I) / kRate;
    P = std::fmod(P + F / kRate, 1.0);
    const float Cut = static_cast<float>(F * (2.0 + 5.0 * std::min(1.0, T / 0.08) * (0.6 + 0.4 * std::exp(-T * 3))));
    const float V = Filter2.Run(Filter.Run(Saw(P), Cut), Cut * 1.3f);
    B.Add(S0 + I, V * Amp * Envelope(T, 0.03, Length, Release));
  }
}

void Pluck(TTrackBuffer& B, double Start, int Midi, float Amp, double Seconds) {
  // Karplus-Strong: a noise burst circulating in a delay line with an averaging filter.
  const int Period = std::max(2, static_cast<int>(std::lround(kRate / NoteFrequency(Midi))));
  std::vector<float> Line(static_cast<std::size_t>(Period));
  TNoise Noise;
  Noise.State = static_cast<std::uint32_t>(Midi * 7919 + 17);
  // The burst is smoothed: a softer pluck, and no sharp spikes for the encoder to overshoot.
  float Smooth = 0;
  for (float& V : Line) V = Smooth = 0.5f * Smooth + 0.5f * Noise.Next();
  const std::size_t S0 = Frame(Start);
  std::size_t At = 0;
  float Last = 0;
  for (std::size_t I = 0, N = Frame(Seconds); I < N; ++I) {
    const float V = Line[At];
    const float Next = 0.5f * (V + Last) * 0.996f;
    Last = V;
    Line[At] = Next;
    if (++At == Line.size()) At = 0;
    const double T = static_cast<double>(I) / kRate;
    B.Add(S0 + I, V * Amp * static_cast<float>(std::min(1.0, (Seconds - T) / 0.05)));
  }
}

void Kick(TTrackBuffer& B, double Start, float Amp) {
  double P = 0;
  const std::size_t S0 = Frame(Start);
  for (std::size_t I = 0, N = Frame(0.35); I < N; ++I) {
    const double T = static_cast<double>(I) / kRate;
    P += (45.0 + 90.0 * std::exp(-T * 30)) / kRate;
    B.Add(S0 + I, static_cast<float>(std::sin(2 * kPi * P) * std::exp(-T * 9)) * Amp);
  }
}

void Snare(TTrackBuffer& B, double Start, float Amp) {
  TNoise Noise;
  TLowPass Low, High;
  const std::size_t S0 = Frame(Start);
  for (std::size_t I = 0, N = Frame(0.22); I < N; ++I) {
    const double T = static_cast<double>(I) / kRate;
    const float X = Noise.Next();
    const float Band = Low.Run(X, 6000.0f) - High.Run(X, 900.0f);
    const double Tone = 0.5 * std::sin(2 * kPi * 185 * T) * std::exp(-T * 30);
    B.Add(S0 + I, static_cast<float>((Band * 1.4 * std::exp(-T * 18) + Tone)) * Amp);
  }
}

void HiHat(TTrackBuffer& B, double Start, float Amp) {
  TNoise Noise;
  Noise.State = 777u;
  TLowPass Low;
  const std::size_t S0 = Frame(Start);
  for (std::size_t I = 0, N = Frame(0.06); I < N; ++I) {
    const double T = static_cast<double>(I) / kRate;
    const float X = Noise.Next();
    B.Add(S0 + I, (X - Low.Run(X, 7000.0f)) * static_cast<float>(std::exp(-T * 60)) * Amp);
  }
}

void Timpani(TTrackBuffer& B, double Start, int Midi, float Amp) {
  const double F = NoteFrequency(Midi);
  TNoise Noise;
  TLowPass Low;
  const std::size_t S0 = Frame(Start);
  for (std::size_t I = 0, N = Frame(1.4); I < N; ++I) {
    const double T = static_cast<double>(I) / kRate;
    const double V = std::sin(2 * kPi * F * T) * std::exp(-T * 2.5) + 0.5 * std::sin(2 * kPi * F * 1.5 * T) * std::exp(-T * 4) +
                     0.6 * Low.Run(Noise.Next(), 400.0f) * std::exp(-T * 20);
    B.Add(S0 + I, static_cast<float>(V) * Amp * std::min(1.0f, static_cast<float>(T / 0.002)));
  }
}

void NoiseSweep(TTrackBuffer& B, double Start, double Seconds, float Cut0, float Cut1, float Amp, float Decay) {
  TNoise Noise;
  Noise.State = 4242u;
  TLowPass Low, Low2;
  const std::size_t S0 = Frame(Start), N = Frame(Seconds);
  for (std::size_t I = 0; I < N; ++I) {
    const double T = static_cast<double>(I) / kRate, F = T / Seconds;
    const float Cut = static_cast<float>(Cut0 * std::pow(Cut1 / Cut0, F));
    const float V = Low2.Run(Low.Run(Noise.Next(), Cut), Cut);
    const double Env = std::min(1.0, T / 0.004) * std::exp(-T * Decay) * std::min(1.0, (Seconds - T) / 0.02);
    B.Add(S0 + I, V * Amp * static_cast<float>(Env));
  }
}

void Glide(TTrackBuffer& B, double Start, double Seconds, double F0, double F1, float Amp) {
  double P = 0;
  const std::size_t S0 = Frame(Start), N = Frame(Seconds);
  for (std::size_t I = 0; I < N; ++I) {
    const double T = static_cast<double>(I) / kRate, F = T / Seconds;
    P += F0 * std::pow(F1 / F0, F) / kRate;
    const double Env = std::min(1.0, T / 0.01) * std::min(1.0, (Seconds - T) / (Seconds * 0.6));
    B.Add(S0 + I, static_cast<float>((std::sin(2 * kPi * P) + 0.2 * std::sin(4 * kPi * P)) * Env) * Amp);
  }
}

void Buzz(TTrackBuffer& B, double Start, double Seconds, double Frequency, float Amp) {
  const std::size_t S0 = Frame(Start), N = Frame(Seconds);
  for (std::size_t I = 0; I < N; ++I) {
    const double T = static_cast<double>(I) / kRate, W = 2 * kPi * Frequency * T;
    const double V = std::sin(W) + std::sin(3 * W) / 3 + std::sin(5 * W) / 5 + std::sin(7 * W) / 7;
    const double Env = std::min(1.0, T / 0.005) * std::min(1.0, (Seconds - T) / 0.02);
    B.Add(S0 + I, static_cast<float>(V * Env) * Amp);
  }
}

std::vector<std::pair<int, double>> ParseNotes(const std::string& Text) {
  std::vector<std::pair<int, double>> Out;
  double Beats = 1.0;
  std::size_t I = 0;
  while (I < Text.size()) {
    while (I < Text.size() && std::isspace(static_cast<unsigned char>(Text[I]))) ++I;
    if (I >= Text.size()) break;
    std::size_t End = I;
    while (End < Text.size() && !std::isspace(static_cast<unsigned char>(Text[End]))) ++End;
    const std::string Token = Text.substr(I, End - I);
    I = End;
    const std::size_t Colon = Token.find(':');
    const std::string Pitch = Token.substr(0, Colon);
    if (Colon != std::string::npos) Beats = std::stod(Token.substr(Colon + 1));
    if (Pitch == "r") {
      Out.emplace_back(-1, Beats);
      continue;
    }
    static const int Steps[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (Pitch.empty() || Pitch[0] < 'a' || Pitch[0] > 'g') throw std::runtime_error("bad note \"" + Token + "\"");
    int Note = Steps[Pitch[0] - 'a'];
    std::size_t P = 1;
    if (P < Pitch.size() && Pitch[P] == '#') ++Note, ++P;
    else if (P + 1 < Pitch.size() && Pitch[P] == 'b') --Note, ++P;
    if (P >= Pitch.size()) throw std::runtime_error("note without octave \"" + Token + "\"");
    Out.emplace_back(Note + 12 * (std::stoi(Pitch.substr(P)) + 1), Beats);
  }
  return Out;
}

std::vector<int> ChordNotes(const std::string& Name) {
  std::string Lower = Name;
  Lower[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(Lower[0])));
  const bool Accidental = Lower.size() > 1 && (Lower[1] == '#' || Lower[1] == 'b');
  const int R = ParseNotes(Lower.substr(0, Accidental ? 2 : 1) + "3").at(0).first;
  const bool Minor = Name.back() == 'm';
  return {R, R + (Minor ? 3 : 4), R + 7};
}

void MixIn(TStereo& Mix, const TTrackBuffer& Part, float Pan, float Gain) {
  if (Mix.L.size() < Part.S.size()) Mix.L.resize(Part.S.size()), Mix.R.resize(Part.S.size());
  const float GL = Gain * std::sqrt(0.5f * (1 - Pan)), GR = Gain * std::sqrt(0.5f * (1 + Pan));
  for (std::size_t I = 0; I < Part.S.size(); ++I) Mix.L[I] += Part.S[I] * GL, Mix.R[I] += Part.S[I] * GR;
}

namespace {
struct TComb {
  std::vector<float> Line;
  std::size_t At = 0;
  float Store = 0;
  float Run(float X, float Feedback, float Damp) {
    const float Out = Line[At];
    Store = Out * (1 - Damp) + Store * Damp;
    Line[At] = X + Store * Feedback;
    if (++At == Line.size()) At = 0;
    return Out;
  }
};
struct TAllPass {
  std::vector<float> Line;
  std::size_t At = 0;
  float Run(float X) {
    const float B = Line[At], Out = -X + B;
    Line[At] = X + B * 0.5f;
    if (++At == Line.size()) At = 0;
    return Out;
  }
};

std::vector<float> Reverb(const std::vector<float>& In, int Spread) {
  std::vector<TComb> Combs;
  for (int Length : {1116, 1188, 1277, 1356}) Combs.push_back(TComb{std::vector<float>(static_cast<std::size_t>(Length + Spread)), 0, 0});
  std::vector<TAllPass> AllPasses;
  for (int Length : {556, 441}) AllPasses.push_back(TAllPass{std::vector<float>(static_cast<std::size_t>(Length + Spread)), 0});
  std::vector<float> Out(In.size());
  for (std::size_t I = 0; I < In.size(); ++I) {
    float Sum = 0;
    for (auto& C : Combs) Sum += C.Run(In[I] * 0.25f, 0.84f, 0.3f);
    for (auto& A : AllPasses) Sum = A.Run(Sum);
    Out[I] = Sum;
  }
  return Out;
}
}  // namespace

void AddReverb(TStereo& Mix, float Wet) {
  const std::vector<float> L = Reverb(Mix.L, 0), R = Reverb(Mix.R, 23);
  for (std::size_t I = 0; I < Mix.L.size(); ++I) Mix.L[I] += Wet * L[I], Mix.R[I] += Wet * R[I];
}

void FoldLoop(TStereo& Mix, std::size_t Frames) {
  Mix.L.resize(std::max(Mix.L.size(), Frames), 0.0f);
  Mix.R.resize(std::max(Mix.R.size(), Frames), 0.0f);
  for (std::size_t I = Frames; I < Mix.L.size(); ++I) Mix.L[I % Frames] += Mix.L[I], Mix.R[I % Frames] += Mix.R[I];
  Mix.L.resize(Frames);
  Mix.R.resize(Frames);
}

void Normalise(std::vector<float>& S, float Peak) {
  float Max = 0;
  for (float V : S) Max = std::max(Max, std::abs(V));
  if (Max <= 0) return;
  for (float& V : S) V *= Peak / Max;
}

std::vector<float> Interleave(const TStereo& Mix) {
  std::vector<float> Out(Mix.L.size() * 2);
  for (std::size_t I = 0; I < Mix.L.size(); ++I) Out[2 * I] = Mix.L[I], Out[2 * I + 1] = Mix.R[I];
  return Out;
}
