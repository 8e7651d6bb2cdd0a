#include "world_map.h"

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "platform/latin1.h"

namespace fs = std::filesystem;

namespace {

constexpr double kPi = 3.14159265358979323846;

std::string Trim(const std::string& S) {
  std::size_t A = S.find_first_not_of(" \t\r");
  if (A == std::string::npos) return "";
  std::size_t B = S.find_last_not_of(" \t\r");
  return S.substr(A, B - A + 1);
}

std::vector<std::string> SplitBar(const std::string& Line) {
  std::vector<std::string> Out;
  std::stringstream In(Line);
  std::string Part;
  while (std::getline(In, Part, '|')) Out.push_back(Trim(Part));
  return Out;
}

[[noreturn]] void Fail(const fs::path& File, int Line, const std::string& What) {
  throw std::runtime_error("\"" + File.filename().string() + "\" line " + std::to_string(Line) + ": " + What);
}

double Number(const fs::path& File, int Line, const std::string& Text) {
  try {
    std::size_t Used = 0;
    double V = std::stod(Text, &Used);
    if (Used != Text.size()) throw std::invalid_argument(Text);
    return V;
  } catch (const std::exception&) {
    Fail(File, Line, "\"" + Text + "\" is not a number");
  }
}

// Each non-empty line that does not start with "#", with its line number.
std::vector<std::pair<int, std::string>> DataLines(const fs::path& File) {
  std::ifstream In(File);
  if (!In) throw std::runtime_error("cannot read \"" + File.string() + "\"");
  std::vector<std::pair<int, std::string>> Out;
  std::string Line;
  int N = 0;
  while (std::getline(In, Line)) {
    ++N;
    std::string T = Trim(Line);
    if (T.empty() || T[0] == '#') continue;
    Out.emplace_back(N, T);
  }
  return Out;
}

struct TUnit {
  double X, Y, Z;
};

TUnit UnitVector(double Lat, double Lon) {
  double B = Lat * kPi / 180.0, L = Lon * kPi / 180.0;
  return {std::cos(B) * std::sin(L), -std::cos(B) * std::cos(L), std::sin(B)};
}

std::string Fixed(double V, int Decimals) {
  char Buffer[64];
  std::snprintf(Buffer, sizeof Buffer, "%.*f", Decimals, V);
  std::string S = Buffer;
  if (S == "-0" || S.find_first_not_of("-0.") == std::string::npos) S = Decimals ? "0." + std::string(Decimals, '0') : "0";
  return S;
}

std::string XmlEscape(const std::string& S) {
  std::string Out;
  for (char C : S) {
    if (C == '&') Out += "&amp;";
    else if (C == '<') Out += "&lt;";
    else if (C == '>') Out += "&gt;";
    else if (C == '"') Out += "&quot;";
    else Out += C;
  }
  return Out;
}

// Even-odd fill of one ring into a Width x Height mask; longitudes wrap.
void FillRing(const TCoastRing& Ring, int W, int H, std::vector<std::uint8_t>& Mask) {
  const auto& P = Ring.Points;
  std::vector<double> Xs;
  for (int Y = 0; Y < H; ++Y) {
    double Lat = 90.0 - (Y + 0.5) * 180.0 / H;
    Xs.clear();
    for (std::size_t i = 0; i < P.size(); ++i) {
      auto [X0, Y0] = P[i];
      auto [X1, Y1] = P[(i + 1) % P.size()];
      if ((Y0 <= Lat) == (Y1 <= Lat)) continue;
      double Lon = X0 + (Lat - Y0) / (Y1 - Y0) * (X1 - X0);
      Xs.push_back((Lon + 180.0) / 360.0 * W);
    }
    std::sort(Xs.begin(), Xs.end());
    for (std::size_t k = 0; k + 1 < Xs.size(); k += 2) {
      int From = static_cast<int>(std::ceil(Xs[k] - 0.5));
      int To = static_cast<int>(std::ceil(Xs[k + 1] - 0.5));  // exclusive
      for (int X = From; X < To; ++X) Mask[Y * W + ((X % W) + W) % W] = 1;
    }
  }
}

// 4-connected components of equal labels (no wrap in x: the base map's fill does not wrap).
std::vector<int> Components(const std::vector<int>& Label, int W, int H, int& Count) {
  std::vector<int> Comp(Label.size(), -1);
  Count = 0;
  std::vector<int> Stack;
  for (int Start = 0; Start < W * H; ++Start) {
    if (Label[Start] < 0 || Comp[Start] >= 0) continue;
    Comp[Start] = Count;
    Stack.push_back(Start);
    while (!Stack.empty()) {
      int P = Stack.back();
      Stack.pop_back();
      int X = P % W, Y = P / W;
      const int Next[4][2] = {{X - 1, Y}, {X + 1, Y}, {X, Y - 1}, {X, Y + 1}};
      for (auto& N : Next) {
        if (N[0] < 0 || N[0] >= W || N[1] < 0 || N[1] >= H) continue;
        int Q = N[1] * W + N[0];
        if (Comp[Q] < 0 && Label[Q] == Label[Start]) {
          Comp[Q] = Count;
          Stack.push_back(Q);
        }
      }
    }
    ++Count;
  }
  return Comp;
}

void Put32(std::string& S, std::uint32_t V) {
  for (int i = 0; i < 4; ++i) S += static_cast<char>((V >> (8 * i)) & 0xFF);
}
void Put16(std::string& S, std::uint16_t V) {
  S += static_cast<char>(V & 0xFF);
  S += static_cast<char>(V >> 8);
}
void PutBE32(std::string& S, std::uint32_t V) {
  for (int i = 3; i >= 0; --i) S += static_cast<char>((V >> (8 * i)) & 0xFF);
}

void PngChunk(std::string& Out, const char* Type, const std::string& Data) {
  PutBE32(Out, static_cast<std::uint32_t>(Data.size()));
  std::string Body = std::string(Type, 4) + Data;
  Out += Body;
  PutBE32(Out, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(Body.data()), static_cast<uInt>(Body.size()))));
}

// Channels 1 (grey) or 3 (RGB); Rows top row first.
std::string EncodePNG(int W, int H, int Channels, const std::vector<std::uint8_t>& Pixels) {
  std::string Raw;
  Raw.reserve(static_cast<std::size_t>(H) * (W * Channels + 1));
  for (int Y = 0; Y < H; ++Y) {
    Raw += '\0';
    Raw.append(reinterpret_cast<const char*>(&Pixels[static_cast<std::size_t>(Y) * W * Channels]), static_cast<std::size_t>(W) * Channels);
  }
  uLongf Size = compressBound(static_cast<uLong>(Raw.size()));
  std::string Z(Size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(Z.data()), &Size, reinterpret_cast<const Bytef*>(Raw.data()), static_cast<uLong>(Raw.size()), 9) != Z_OK)
    throw std::runtime_error("EncodePNG: compression failed");
  Z.resize(Size);
  std::string Out = "\x89PNG\r\n\x1a\n";
  std::string Header;
  PutBE32(Header, static_cast<std::uint32_t>(W));
  PutBE32(Header, static_cast<std::uint32_t>(H));
  Header += static_cast<char>(8);
  Header += static_cast<char>(Channels == 1 ? 0 : 2);
  Header += std::string(3, '\0');
  PngChunk(Out, "IHDR", Header);
  PngChunk(Out, "IDAT", Z);
  PngChunk(Out, "IEND", "");
  return Out;
}

// "ring NAME" lines, each followed by lines of longitude latitude pairs.
std::vector<TCoastRing> ReadRings(const fs::path& File) {
  std::vector<TCoastRing> Rings;
  for (auto& [N, Line] : DataLines(File)) {
    std::stringstream In(Line);
    std::string First;
    In >> First;
    if (First == "ring") {
      TCoastRing Ring;
      if (!(In >> Ring.Group)) Fail(File, N, "a ring needs a group name");
      Ring.Line = N;
      Rings.push_back(Ring);
      continue;
    }
    if (Rings.empty()) Fail(File, N, "points before the first \"ring\" line");
    std::stringstream Points(Line);
    std::string A, B;
    while (Points >> A) {
      if (!(Points >> B)) Fail(File, N, "odd number of coordinates");
      Rings.back().Points.emplace_back(Number(File, N, A), Number(File, N, B));
    }
  }
  for (auto& Ring : Rings)
    if (Ring.Points.size() < 3) Fail(File, Ring.Line, "a ring needs at least three points");
  return Rings;
}

}  // namespace

TWorldSources ReadWorldSources(const fs::path& Folder) {
  TWorldSources S;
  fs::path RegionFile = Folder / "regions.txt";
  for (auto& [N, Line] : DataLines(RegionFile)) {
    auto F = SplitBar(Line);
    if (F.size() != 11) Fail(RegionFile, N, "expected 11 fields, found " + std::to_string(F.size()));
    TRegionSource R;
    R.Key = F[0];
    R.NameGer = F[1];
    R.NameEng = F[2];
    R.Lat = Number(RegionFile, N, F[3]);
    R.Lon = Number(RegionFile, N, F[4]);
    R.Weight = Number(RegionFile, N, F[5]);
    R.Setting = F[6];
    R.Owner = static_cast<int>(Number(RegionFile, N, F[7]));
    R.Population = Number(RegionFile, N, F[8]);
    R.Defense = Number(RegionFile, N, F[9]);
    R.Loyalty = Number(RegionFile, N, F[10]);
    R.Line = N;
    if (R.Key.empty() || R.NameGer.empty() || R.NameEng.empty() || R.Setting.empty()) Fail(RegionFile, N, "empty key, name or setting");
    if (R.Lat < -90 || R.Lat > 90 || R.Lon < -180 || R.Lon > 180) Fail(RegionFile, N, "site outside the globe");
    if (R.Weight <= 0) Fail(RegionFile, N, "weight must be positive");
    if (R.Owner < 1 || R.Owner > 7) Fail(RegionFile, N, "owner must be 1 to 7");
    for (auto& Other : S.Regions)
      if (Other.Key == R.Key) Fail(RegionFile, N, "region \"" + R.Key + "\" defined twice");
    S.Regions.push_back(R);
  }
  S.Rings = ReadRings(Folder / "coastlines.txt");
  if (fs::exists(Folder / "lakes.txt")) S.Lakes = ReadRings(Folder / "lakes.txt");
  fs::path StraitFile = Folder / "straits.txt";
  for (auto& [N, Line] : DataLines(StraitFile)) {
    std::stringstream In(Line);
    std::string A, B, Rest;
    if (!(In >> A >> B) || (In >> Rest)) Fail(StraitFile, N, "expected two region keys");
    auto Known = [&](const std::string& K) {
      return std::any_of(S.Regions.begin(), S.Regions.end(), [&](auto& R) { return R.Key == K; });
    };
    if (!Known(A)) Fail(StraitFile, N, "unknown region \"" + A + "\"");
    if (!Known(B)) Fail(StraitFile, N, "unknown region \"" + B + "\"");
    S.Straits.emplace_back(A, B);
  }
  return S;
}

TWorldMap BuildWorldMap(const TWorldSources& Sources, int Width) {
  TWorldMap M;
  const int W = Width, H = Width / 2;
  M.Width = W;
  M.Height = H;
  const int RegionCount = static_cast<int>(Sources.Regions.size());
  if (RegionCount == 0) throw std::runtime_error("BuildWorldMap: no regions");

  // Land: rings XOR within their group, groups OR.
  std::vector<std::uint8_t> Land(W * H, 0);
  std::map<std::string, std::vector<std::uint8_t>> Groups;
  for (auto& Ring : Sources.Rings) {
    auto& G = Groups[Ring.Group];
    if (G.empty()) G.assign(W * H, 0);
    std::vector<std::uint8_t> Mask(W * H, 0);
    FillRing(Ring, W, H, Mask);
    for (int i = 0; i < W * H; ++i) G[i] ^= Mask[i];
  }
  std::vector<int> GroupOf(W * H, -1);
  int GroupCount = 0;
  for (auto& [Name, G] : Groups) {
    for (int i = 0; i < W * H; ++i)
      if (G[i] && GroupOf[i] < 0) GroupOf[i] = GroupCount;
    ++GroupCount;
  }
  // Lakes cut the land; they combine even-odd among themselves.
  std::vector<std::uint8_t> Lakes(W * H, 0);
  for (auto& Ring : Sources.Lakes) {
    std::vector<std::uint8_t> Mask(W * H, 0);
    FillRing(Ring, W, H, Mask);
    for (int i = 0; i < W * H; ++i) Lakes[i] ^= Mask[i];
  }
  for (int i = 0; i < W * H; ++i) {
    if (Lakes[i]) GroupOf[i] = -1;
    Land[i] = GroupOf[i] >= 0;
  }

  // Every land pixel goes to the site nearest in weighted angular distance; (1 - cos d) / w^2
  // orders like (d / w)^2 for the distances that matter and needs no arc cosine. Sites on the
  // pixel's own land mass (ring group) come first, so land never goes to a site across the sea
  // when its own coast has one.
  std::vector<TUnit> Sites;
  for (auto& R : Sources.Regions) Sites.push_back(UnitVector(R.Lat, R.Lon));
  std::vector<std::vector<int>> GroupSites(GroupCount), AllSites(1);
  for (int i = 0; i < RegionCount; ++i) {
    auto& R = Sources.Regions[i];
    int X = std::clamp(static_cast<int>((R.Lon + 180.0) / 360.0 * W), 0, W - 1);
    int Y = std::clamp(static_cast<int>((90.0 - R.Lat) / 180.0 * H), 0, H - 1);
    if (GroupOf[Y * W + X] >= 0) GroupSites[GroupOf[Y * W + X]].push_back(i);
    AllSites[0].push_back(i);
  }
  std::vector<int>& Index = M.Index;
  Index.assign(W * H, -1);
  for (int Y = 0; Y < H; ++Y) {
    double Lat = 90.0 - (Y + 0.5) * 180.0 / H;
    for (int X = 0; X < W; ++X) {
      if (!Land[Y * W + X]) continue;
      TUnit P = UnitVector(Lat, (X + 0.5) * 360.0 / W - 180.0);
      double Best = 1e30;
      int BestI = -1;
      const auto& Candidates = GroupSites[GroupOf[Y * W + X]].empty() ? AllSites[0] : GroupSites[GroupOf[Y * W + X]];
      for (int i : Candidates) {
        double D = (1.0 - (P.X * Sites[i].X + P.Y * Sites[i].Y + P.Z * Sites[i].Z)) / (Sources.Regions[i].Weight * Sources.Regions[i].Weight);
        if (D < Best) {
          Best = D;
          BestI = i;
        }
      }
      Index[Y * W + X] = BestI;
    }
  }
  std::vector<int> SitePixel(RegionCount);
  for (int i = 0; i < RegionCount; ++i) {
    auto& R = Sources.Regions[i];
    int X = std::clamp(static_cast<int>((R.Lon + 180.0) / 360.0 * W), 0, W - 1);
    int Y = std::clamp(static_cast<int>((90.0 - R.Lat) / 180.0 * H), 0, H - 1);
    SitePixel[i] = Y * W + X;
    if (Index[SitePixel[i]] != i)
      throw std::runtime_error("regions.txt line " + std::to_string(R.Line) + ": the site of \"" + R.Key + "\" lies " +
                               (Index[SitePixel[i]] < 0 ? "in the sea" : "in \"" + Sources.Regions[Index[SitePixel[i]]].Key + "\""));
  }

  // One area per region: pieces that do not hold the site go to the region they touch most,
  // islands are bridged to the nearest region within reach, anything else becomes sea.
  const int MaxBridge = 12;
  for (int Pass = 0; Pass < 50; ++Pass) {
    int Count = 0;
    std::vector<int> Comp = Components(Index, W, H, Count);
    std::vector<bool> Main(Count, false);
    for (int i = 0; i < RegionCount; ++i)
      if (Index[SitePixel[i]] == i) Main[Comp[SitePixel[i]]] = true;
    std::vector<std::vector<int>> Pixels(Count);
    for (int P = 0; P < W * H; ++P)
      if (Comp[P] >= 0 && !Main[Comp[P]]) Pixels[Comp[P]].push_back(P);
    bool Changed = false;
    for (int C = 0; C < Count; ++C) {
      if (Main[C] || Pixels[C].empty()) continue;
      int Own = Index[Pixels[C][0]];
      std::map<int, int> Contact;
      for (int P : Pixels[C]) {
        int X = P % W, Y = P / W;
        const int Next[4][2] = {{X - 1, Y}, {X + 1, Y}, {X, Y - 1}, {X, Y + 1}};
        for (auto& N : Next) {
          if (N[0] < 0 || N[0] >= W || N[1] < 0 || N[1] >= H) continue;
          int L = Index[N[1] * W + N[0]];
          if (L >= 0 && L != Own) ++Contact[L];
        }
      }
      Changed = true;
      if (!Contact.empty()) {
        int Best = std::max_element(Contact.begin(), Contact.end(), [](auto& A, auto& B) { return A.second < B.second; })->first;
        for (int P : Pixels[C]) Index[P] = Best;
        continue;
      }
      // An island: search the sea for the nearest pixel of another area.
      std::vector<int> From(W * H, -2);
      std::deque<std::pair<int, int>> Queue;
      for (int P : Pixels[C]) {
        From[P] = -1;
        Queue.emplace_back(P, 0);
      }
      // The island's own region wins when it is within reach, else the nearest region within
      // reach takes it (an island off another region's coast, or a piece cut off by the map's
      // edge), so that land on the globe stays land on the map.
      int Hit = -1, Target = -1, OtherHit = -1, OtherTarget = -1;
      while (!Queue.empty() && Hit < 0) {
        auto [P, D] = Queue.front();
        Queue.pop_front();
        int X = P % W, Y = P / W;
        const int Next[4][2] = {{X - 1, Y}, {X + 1, Y}, {X, Y - 1}, {X, Y + 1}};
        for (auto& N : Next) {
          if (N[0] < 0 || N[0] >= W || N[1] < 0 || N[1] >= H) continue;
          int Q = N[1] * W + N[0];
          if (From[Q] != -2) continue;
          if (Index[Q] >= 0) {
            if (Comp[Q] == C) continue;
            if (Index[Q] == Own) {
              Hit = P;
              Target = Own;
              break;
            }
            if (OtherHit < 0) {
              OtherHit = P;
              OtherTarget = Index[Q];
            }
            continue;
          }
          if (D + 1 > MaxBridge) continue;
          From[Q] = P;
          Queue.emplace_back(Q, D + 1);
        }
      }
      if (Hit < 0) {
        Hit = OtherHit;
        Target = OtherTarget;
      }
      const auto& R = Sources.Regions[Own];
      if (Hit < 0) {
        for (int P : Pixels[C]) Index[P] = -1;
        M.Notes.push_back("dropped an island of " + std::to_string(Pixels[C].size()) + " pixels near \"" + R.Key + "\"");
        continue;
      }
      for (int P = Hit; P >= 0 && From[P] != -1; P = From[P]) Index[P] = Target;
      for (int P : Pixels[C]) Index[P] = Target;
      M.Notes.push_back("joined an island of " + std::to_string(Pixels[C].size()) + " pixels to \"" + Sources.Regions[Target].Key + "\"");
    }
    if (!Changed) break;
    if (Pass == 49) throw std::runtime_error("BuildWorldMap: the regions did not settle into single areas");
  }

  // Neighbours across land (x wraps), then the straits; coasts.
  std::vector<std::vector<bool>> Adjacent(RegionCount, std::vector<bool>(RegionCount, false));
  M.HasCoast.assign(RegionCount, false);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      int A = Index[Y * W + X];
      if (A < 0) continue;
      const int Next[4][2] = {{(X + 1) % W, Y}, {(X + W - 1) % W, Y}, {X, Y + 1}, {X, Y - 1}};
      for (auto& N : Next) {
        if (N[1] < 0 || N[1] >= H) continue;
        int B = Index[N[1] * W + N[0]];
        if (B < 0) M.HasCoast[A] = true;
        else if (B != A) Adjacent[A][B] = Adjacent[B][A] = true;
      }
    }
  auto KeyIndex = [&](const std::string& K) {
    for (int i = 0; i < RegionCount; ++i)
      if (Sources.Regions[i].Key == K) return i;
    return -1;
  };
  for (auto& [A, B] : Sources.Straits) {
    int IA = KeyIndex(A), IB = KeyIndex(B);
    if (IA != IB) Adjacent[IA][IB] = Adjacent[IB][IA] = true;
  }
  M.Neighbours.assign(RegionCount, {});
  for (int A = 0; A < RegionCount; ++A)
    for (int B = 0; B < RegionCount; ++B)
      if (Adjacent[A][B]) M.Neighbours[A].push_back(B);

  // Base map: a white pixel on the left or upper side of every edge between two regions, white
  // coast pixels in the sea around the land, so that the four-connected fill stops at white only.
  M.Base.assign(W * H, 0);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      int P = Y * W + X, L = Index[P];
      if (L < 0) continue;
      bool Edge = (X + 1 < W && Index[P + 1] >= 0 && Index[P + 1] != L) || (Y + 1 < H && Index[P + W] >= 0 && Index[P + W] != L);
      M.Base[P] = Edge ? 1 : 2;
    }
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      int P = Y * W + X;
      if (Index[P] >= 0) continue;
      bool Shore = (X > 0 && M.Base[P - 1] == 2) || (X + 1 < W && M.Base[P + 1] == 2) || (Y > 0 && M.Base[P - W] == 2) ||
                   (Y + 1 < H && M.Base[P + W] == 2);
      if (Shore) M.Base[P] = 1;
    }

  // Seeds: the pixel deepest inside the largest remaining piece of each region; pieces cut off
  // by the borders turn white.
  std::vector<int> Area(W * H, -1);
  for (int P = 0; P < W * H; ++P)
    if (M.Base[P] == 2) Area[P] = Index[P];
  int Count = 0;
  std::vector<int> Comp = Components(Area, W, H, Count);
  std::vector<int> Size(Count, 0), Largest(RegionCount, -1);
  for (int P = 0; P < W * H; ++P)
    if (Comp[P] >= 0) ++Size[Comp[P]];
  for (int P = 0; P < W * H; ++P) {
    if (Comp[P] < 0) continue;
    int& L = Largest[Area[P]];
    if (L < 0 || Size[Comp[P]] > Size[L]) L = Comp[P];
  }
  int Cut = 0;
  for (int P = 0; P < W * H; ++P)
    if (Comp[P] >= 0 && Comp[P] != Largest[Area[P]]) {
      M.Base[P] = 1;
      Comp[P] = -1;
      ++Cut;
    }
  if (Cut) M.Notes.push_back("whitened " + std::to_string(Cut) + " pixels cut off by borders");
  // City-block distance to the nearest pixel outside the piece, two sweeps.
  std::vector<int> Dist(W * H, 0);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      int P = Y * W + X;
      if (Comp[P] < 0) continue;
      int Up = (Y > 0 && Comp[P - W] == Comp[P]) ? Dist[P - W] : 0;
      int Left = (X > 0 && Comp[P - 1] == Comp[P]) ? Dist[P - 1] : 0;
      Dist[P] = std::min(Up, Left) + 1;
    }
  for (int Y = H - 1; Y >= 0; --Y)
    for (int X = W - 1; X >= 0; --X) {
      int P = Y * W + X;
      if (Comp[P] < 0) continue;
      int Down = (Y + 1 < H && Comp[P + W] == Comp[P]) ? Dist[P + W] : 0;
      int Right = (X + 1 < W && Comp[P + 1] == Comp[P]) ? Dist[P + 1] : 0;
      Dist[P] = std::min(Dist[P], std::min(Down, Right) + 1);
    }
  M.Seeds.assign(RegionCount, {-1, -1});
  std::vector<int> Deepest(RegionCount, 0);
  for (int P = 0; P < W * H; ++P) {
    if (Comp[P] < 0) continue;
    int R = Area[P];
    if (Dist[P] > Deepest[R]) {
      Deepest[R] = Dist[P];
      M.Seeds[R] = {P % W, P / W};
    }
  }
  for (int i = 0; i < RegionCount; ++i)
    if (M.Seeds[i].first < 0) throw std::runtime_error("BuildWorldMap: region \"" + Sources.Regions[i].Key + "\" has no area left on the map");
  return M;
}

std::string BaseMapBMP(const TWorldMap& Map) {
  const int W = Map.Width, H = Map.Height;
  const int RowBytes = (W * 3 + 3) / 4 * 4;
  std::string Out = "BM";
  Put32(Out, static_cast<std::uint32_t>(54 + RowBytes * H));
  Put32(Out, 0);
  Put32(Out, 54);
  Put32(Out, 40);
  Put32(Out, static_cast<std::uint32_t>(W));
  Put32(Out, static_cast<std::uint32_t>(H));
  Put16(Out, 1);
  Put16(Out, 24);
  Put32(Out, 0);
  Put32(Out, static_cast<std::uint32_t>(RowBytes * H));
  Put32(Out, 2835);
  Put32(Out, 2835);
  Put32(Out, 0);
  Put32(Out, 0);
  // Blue, green, red per pixel; rows bottom first.
  const unsigned char Colours[3][3] = {{70, 36, 20}, {255, 255, 255}, {150, 150, 150}};
  for (int Y = H - 1; Y >= 0; --Y) {
    for (int X = 0; X < W; ++X) Out.append(reinterpret_cast<const char*>(Colours[Map.Base[Y * W + X]]), 3);
    Out.append(RowBytes - W * 3, '\0');
  }
  return Out;
}

std::string RegionsXML(const TWorldSources& Sources, const TWorldMap& Map) {
  std::string Out = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";
  Out += "<!-- Generated by tarnova-content from content/world; edit the sources there. -->\n<regions>\n";
  for (std::size_t i = 0; i < Sources.Regions.size(); ++i) {
    const auto& R = Sources.Regions[i];
    TUnit U = UnitVector(R.Lat, R.Lon);
    Out += "  <region x_2D=\"" + std::to_string(Map.Seeds[i].first * 2) + "\" y_2D=\"" + std::to_string(Map.Seeds[i].second * 2) + "\"";
    Out += " name_ger=\"" + XmlEscape(Utf8ToAnsi(R.NameGer)) + "\" name_eng=\"" + XmlEscape(Utf8ToAnsi(R.NameEng)) + "\"";
    Out += " owner=\"" + std::to_string(R.Owner) + "\" population=\"" + Fixed(R.Population, 1) + "\" defense=\"" + Fixed(R.Defense, 0) +
           "\" loyalty=\"" + Fixed(R.Loyalty, 0) + "\"";
    Out += " x_3D=\"" + Fixed(kGlobeRadius * U.X, 3) + "\" y_3D=\"" + Fixed(kGlobeRadius * U.Y, 3) + "\" z_3D=\"" + Fixed(kGlobeRadius * U.Z, 3) + "\"";
    Out += std::string(" hascoast=\"") + (Map.HasCoast[i] ? "true" : "false") + "\" setting=\"" + XmlEscape(R.Setting) + "\"";
    Out += " neighbors=\"" + std::to_string(Map.Neighbours[i].size()) + "\"";
    for (std::size_t n = 0; n < Map.Neighbours[i].size(); ++n) Out += " n" + std::to_string(n) + "=\"" + std::to_string(Map.Neighbours[i][n]) + "\"";
    Out += "/>\n";
  }
  Out += "</regions>\n";
  return Out;
}

std::string IndexPNG(const TWorldMap& Map, int Factor) {
  const int W = Map.Width * Factor, H = Map.Height * Factor;
  std::vector<std::uint8_t> Pixels(static_cast<std::size_t>(W) * H);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) Pixels[static_cast<std::size_t>(Y) * W + X] = static_cast<std::uint8_t>(Map.Index[(Y / Factor) * Map.Width + X / Factor] + 1);
  return EncodePNG(W, H, 1, Pixels);
}

std::string BorderPNG(const TWorldMap& Map, int Factor) {
  const int W = Map.Width * Factor, H = Map.Height * Factor;
  auto At = [&](int X, int Y) { return Map.Index[(Y / Factor) * Map.Width + ((X + W) % W) / Factor]; };
  std::vector<std::uint8_t> Pixels(static_cast<std::size_t>(W) * H * 3, 0);
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) {
      int L = At(X, Y);
      if (L < 0) continue;
      bool Edge = false;
      for (int D = 1; D <= 1 && !Edge; ++D) {
        int R = At(X + D, Y), Lf = At(X - D, Y);
        int Dn = Y + D < H ? At(X, Y + D) : L, Up = Y - D >= 0 ? At(X, Y - D) : L;
        Edge = (R >= 0 && R != L) || (Lf >= 0 && Lf != L) || (Dn >= 0 && Dn != L) || (Up >= 0 && Up != L);
      }
      if (Edge) std::fill_n(&Pixels[(static_cast<std::size_t>(Y) * W + X) * 3], 3, 200);
    }
  return EncodePNG(W, H, 3, Pixels);
}
