#include "coastlines.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

// Just enough JSON for TopoJSON: objects, arrays, numbers and strings (escapes other than \" and
// \\ are kept as they stand; names and properties are not used).
struct TJson {
  enum { Null, Bool, Number, String, Array, Object } Kind = Null;
  double Value = 0;
  std::string Text;
  std::vector<TJson> Items;
  // A named member of an object; declared here and defined below, where TJson is complete
  // (a std::pair of TJson inside TJson does not compile with clang and libstdc++).
  struct TMember;
  std::vector<TMember> Members;

  const TJson* Find(const std::string& Name) const;
  const TJson& At(const std::string& Name) const;
};

struct TJson::TMember {
  std::string Name;
  TJson Value;
};

const TJson* TJson::Find(const std::string& Name) const {
  for (auto& [K, V] : Members)
    if (K == Name) return &V;
  return nullptr;
}

const TJson& TJson::At(const std::string& Name) const {
  const TJson* V = Find(Name);
  if (!V) throw std::runtime_error("TopoJSON: \"" + Name + "\" is missing");
  return *V;
}

class TJsonReader {
public:
  explicit TJsonReader(const std::string& Text) : S(Text) {}

  TJson ReadDocument() {
    TJson V = ReadValue(0);
    Space();
    if (Pos != S.size()) Fail("text after the end of the document");
    return V;
  }

private:
  const std::string& S;
  std::size_t Pos = 0;

  [[noreturn]] void Fail(const std::string& What) const {
    throw std::runtime_error("TopoJSON: " + What + " at byte " + std::to_string(Pos));
  }
  void Space() {
    while (Pos < S.size() && (S[Pos] == ' ' || S[Pos] == '\n' || S[Pos] == '\r' || S[Pos] == '\t')) ++Pos;
  }
  void Expect(char C) {
    Space();
    if (Pos >= S.size() || S[Pos] != C) Fail(std::string("expected '") + C + "'");
    ++Pos;
  }
  std::string ReadString() {
    Expect('"');
    std::string Out;
    while (Pos < S.size() && S[Pos] != '"') {
      if (S[Pos] == '\\' && Pos + 1 < S.size()) {
        char E = S[Pos + 1];
        if (E == '"' || E == '\\' || E == '/') {
          Out += E;
          Pos += 2;
          continue;
        }
        Out += S[Pos++];
      }
      Out += S[Pos++];
    }
    if (Pos >= S.size()) Fail("unterminated string");
    ++Pos;
    return Out;
  }
  TJson ReadValue(int Depth) {
    if (Depth > 64) Fail("nesting too deep");
    Space();
    if (Pos >= S.size()) Fail("unexpected end");
    TJson V;
    char C = S[Pos];
    if (C == '{') {
      V.Kind = TJson::Object;
      ++Pos;
      Space();
      if (Pos < S.size() && S[Pos] == '}') {
        ++Pos;
        return V;
      }
      for (;;) {
        std::string Name = ReadString();
        Expect(':');
        V.Members.push_back({std::move(Name), ReadValue(Depth + 1)});
        Space();
        if (Pos < S.size() && S[Pos] == ',') {
          ++Pos;
          continue;
        }
        Expect('}');
        return V;
      }
    }
    if (C == '[') {
      V.Kind = TJson::Array;
      ++Pos;
      Space();
      if (Pos < S.size() && S[Pos] == ']') {
        ++Pos;
        return V;
      }
      for (;;) {
        V.Items.push_back(ReadValue(Depth + 1));
        Space();
        if (Pos < S.size() && S[Pos] == ',') {
          ++Pos;
          continue;
        }
        Expect(']');
        return V;
      }
    }
    if (C == '"') {
      V.Kind = TJson::String;
      V.Text = ReadString();
      return V;
    }
    for (const char* Word : {"true", "false", "null"})
      if (S.compare(Pos, std::char_traits<char>::length(Word), Word) == 0) {
        Pos += std::char_traits<char>::length(Word);
        V.Kind = Word[0] == 'n' ? TJson::Null : TJson::Bool;
        V.Value = Word[0] == 't';
        return V;
      }
    const char* Begin = S.c_str() + Pos;
    char* End = nullptr;
    V.Value = std::strtod(Begin, &End);
    if (End == Begin) Fail("unexpected character");
    V.Kind = TJson::Number;
    Pos += static_cast<std::size_t>(End - Begin);
    return V;
  }
};

using TPoint = std::pair<double, double>;  // longitude, latitude
using TRing = std::vector<TPoint>;

double Num(const TJson& V) {
  if (V.Kind != TJson::Number) throw std::runtime_error("TopoJSON: a number was expected");
  return V.Value;
}

// The arcs in degrees: delta-decoded and scaled when the topology is quantised.
std::vector<TRing> DecodeArcs(const TJson& Topology) {
  double SX = 1, SY = 1, TX = 0, TY = 0;
  const TJson* Transform = Topology.Find("transform");
  if (Transform) {
    const TJson &Scale = Transform->At("scale"), &Translate = Transform->At("translate");
    if (Scale.Items.size() != 2 || Translate.Items.size() != 2) throw std::runtime_error("TopoJSON: a bad transform");
    SX = Num(Scale.Items[0]);
    SY = Num(Scale.Items[1]);
    TX = Num(Translate.Items[0]);
    TY = Num(Translate.Items[1]);
  }
  std::vector<TRing> Arcs;
  for (const TJson& Arc : Topology.At("arcs").Items) {
    TRing Points;
    double X = 0, Y = 0;
    for (const TJson& P : Arc.Items) {
      if (P.Items.size() < 2) throw std::runtime_error("TopoJSON: an arc point needs two coordinates");
      if (Transform) {
        X += Num(P.Items[0]);
        Y += Num(P.Items[1]);
        Points.emplace_back(X * SX + TX, Y * SY + TY);
      } else {
        Points.emplace_back(Num(P.Items[0]), Num(P.Items[1]));
      }
    }
    Arcs.push_back(std::move(Points));
  }
  return Arcs;
}

// A ring from arc references: a negative reference ~i is arc i backwards; consecutive arcs share
// their joining point. The closing point is dropped.
TRing AssembleRing(const TJson& Refs, const std::vector<TRing>& Arcs) {
  TRing Ring;
  for (const TJson& Ref : Refs.Items) {
    long I = std::lround(Num(Ref));
    bool Backwards = I < 0;
    std::size_t Arc = static_cast<std::size_t>(Backwards ? ~I : I);
    if (Arc >= Arcs.size()) throw std::runtime_error("TopoJSON: arc " + std::to_string(Arc) + " does not exist");
    TRing Part = Arcs[Arc];
    if (Backwards) Part.assign(Arcs[Arc].rbegin(), Arcs[Arc].rend());
    if (!Ring.empty() && !Part.empty()) Ring.pop_back();
    Ring.insert(Ring.end(), Part.begin(), Part.end());
  }
  if (Ring.size() > 1 && Ring.front() == Ring.back()) Ring.pop_back();
  return Ring;
}

// Rings stitched across the date line jump by 360 degrees there: make the longitudes continuous,
// then move the ring by whole turns so that its mean longitude lies within -180..180 (the map
// wraps what passes 180).
void Unwrap(TRing& R) {
  double Offset = 0, Sum = 0;
  for (std::size_t i = 0; i < R.size(); ++i) {
    double Raw = R[i].first;
    if (i > 0) {
      double Previous = R[i - 1].first - Offset;  // the previous point's raw longitude
      if (Raw - Previous > 180) Offset -= 360;
      else if (Previous - Raw > 180) Offset += 360;
    }
    R[i].first = Raw + Offset;
    Sum += R[i].first;
  }
  double Shift = -360.0 * std::round(Sum / static_cast<double>(R.size()) / 360.0);
  for (auto& P : R) P.first += Shift;
}

double Area(const TRing& R) {
  double A = 0;
  for (std::size_t i = 0; i < R.size(); ++i) {
    const TPoint &P = R[i], &Q = R[(i + 1) % R.size()];
    A += P.first * Q.second - Q.first * P.second;
  }
  return std::fabs(A) / 2;
}

double SegmentDistance(const TPoint& P, const TPoint& A, const TPoint& B) {
  double DX = B.first - A.first, DY = B.second - A.second;
  double L = DX * DX + DY * DY;
  double T = L > 0 ? ((P.first - A.first) * DX + (P.second - A.second) * DY) / L : 0;
  T = T < 0 ? 0 : (T > 1 ? 1 : T);
  return std::hypot(P.first - (A.first + T * DX), P.second - (A.second + T * DY));
}

void Simplify(const TRing& R, std::size_t From, std::size_t To, double Tolerance, std::vector<bool>& Keep) {
  // Iterative to stay safe on long coasts.
  std::vector<std::pair<std::size_t, std::size_t>> Stack{{From, To}};
  while (!Stack.empty()) {
    auto [A, B] = Stack.back();
    Stack.pop_back();
    double Worst = 0;
    std::size_t At = A;
    for (std::size_t i = A + 1; i < B; ++i) {
      double D = SegmentDistance(R[i], R[A], R[B % R.size()]);
      if (D > Worst) {
        Worst = D;
        At = i;
      }
    }
    if (Worst > Tolerance) {
      Keep[At] = true;
      Stack.emplace_back(A, At);
      Stack.emplace_back(At, B);
    }
  }
}

// Douglas-Peucker on a closed ring, anchored at its first point and the point farthest from it.
TRing SimplifyRing(const TRing& R, double Tolerance) {
  if (R.size() <= 4) return R;
  std::size_t Far = 0;
  double Best = -1;
  for (std::size_t i = 1; i < R.size(); ++i) {
    double D = std::hypot(R[i].first - R[0].first, R[i].second - R[0].second);
    if (D > Best) {
      Best = D;
      Far = i;
    }
  }
  std::vector<bool> Keep(R.size(), false);
  Keep[0] = Keep[Far] = true;
  Simplify(R, 0, Far, Tolerance, Keep);
  Simplify(R, Far, R.size(), Tolerance, Keep);
  TRing Out;
  for (std::size_t i = 0; i < R.size(); ++i)
    if (Keep[i]) Out.push_back(R[i]);
  return Out;
}

std::string Coordinate(double V) {
  char Buffer[32];
  std::snprintf(Buffer, sizeof Buffer, "%.2f", V);
  std::string S = Buffer;
  if (S == "-0.00") S = "0.00";
  return S;
}

void CollectPolygons(const TJson& Geometry, std::vector<const TJson*>& Polygons) {
  const std::string& Type = Geometry.At("type").Text;
  if (Type == "GeometryCollection") {
    for (const TJson& G : Geometry.At("geometries").Items) CollectPolygons(G, Polygons);
  } else if (Type == "Polygon") {
    Polygons.push_back(&Geometry.At("arcs"));
  } else if (Type == "MultiPolygon") {
    for (const TJson& P : Geometry.At("arcs").Items) Polygons.push_back(&P);
  }  // points and lines carry no land
}

}  // namespace

std::string ConvertTopoJSON(const std::string& Json, const std::string& Object, const TCoastlineOptions& Options,
                            const std::string& Header) {
  TJson Topology = TJsonReader(Json).ReadDocument();
  if (Topology.Kind != TJson::Object || Topology.At("type").Text != "Topology") throw std::runtime_error("TopoJSON: not a topology");
  std::vector<TRing> Arcs = DecodeArcs(Topology);
  const TJson* Geometry = Topology.At("objects").Find(Object);
  if (!Geometry) throw std::runtime_error("TopoJSON: no object \"" + Object + "\"");
  std::vector<const TJson*> Polygons;
  CollectPolygons(*Geometry, Polygons);

  std::string Out;
  std::size_t Start = 0;
  while (Start <= Header.size()) {
    std::size_t End = Header.find('\n', Start);
    if (End == std::string::npos) End = Header.size();
    Out += "# " + Header.substr(Start, End - Start) + "\n";
    Start = End + 1;
  }
  int Group = 0, Kept = 0;
  for (const TJson* Polygon : Polygons) {
    std::vector<TRing> Rings;
    for (const TJson& Refs : Polygon->Items) {
      Rings.push_back(AssembleRing(Refs, Arcs));
      Unwrap(Rings.back());
    }
    if (Rings.empty() || Area(Rings[0]) < Options.MinArea) continue;
    bool North = false;
    for (auto& P : Rings[0]) North = North || P.second > Options.SouthLimit;
    if (!North) continue;
    ++Group;
    for (std::size_t r = 0; r < Rings.size(); ++r) {
      if (Area(Rings[r]) < Options.MinArea) continue;  // holes too small to show
      TRing Ring = SimplifyRing(Rings[r], Options.Tolerance);
      if (Ring.size() < 3) continue;
      char Name[32];
      std::snprintf(Name, sizeof Name, "land%d", Group);
      Out += std::string("\nring ") + Name + "\n";
      for (std::size_t i = 0; i < Ring.size(); ++i) {
        Out += Coordinate(Ring[i].first) + " " + Coordinate(Ring[i].second);
        Out += (i % 8 == 7 || i + 1 == Ring.size()) ? "\n" : "  ";
      }
      ++Kept;
    }
  }
  if (Kept == 0) throw std::runtime_error("TopoJSON: no polygon large enough in \"" + Object + "\"");
  return Out;
}
