#include "engine/float_text.h"

#include <charconv>
#include <clocale>
#include <locale.h>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {
std::string Fixed3(double V) {
  char Buf[64];
  auto R = std::to_chars(Buf, Buf + sizeof Buf, V, std::chars_format::fixed, 3);
  std::string S(Buf, R.ptr);
  if (S == "-0.000") S = "0.000";
  return S;
}
}  // namespace

std::string FloatToStrDot(float Value) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  double V = Value;
  if (V == 0.0) return "0.000";
  // Round to five significant digits first: "d.dddde+XX".
  char Buf[64];
  auto R = std::to_chars(Buf, Buf + sizeof Buf, V, std::chars_format::scientific, 4);
  std::string Sci(Buf, R.ptr);
  std::size_t E = Sci.find('e');
  int Exponent = std::atoi(Sci.c_str() + E + 1);
  if (Exponent < 5) {
    double Rounded = 0;
    std::from_chars(Sci.data(), Sci.data() + Sci.size(), Rounded);
    return Fixed3(Rounded);
  }
  // More than five digits before the point: general form, "1.2346E005".
  std::string Mantissa = Sci.substr(0, E);
  if (Mantissa.find('.') != std::string::npos) {
    while (Mantissa.back() == '0') Mantissa.pop_back();
    if (Mantissa.back() == '.') Mantissa.pop_back();
  }
  std::string Exp = std::to_string(std::abs(Exponent));
  while (Exp.size() < 3) Exp = "0" + Exp;
  return Mantissa + "E" + (Exponent < 0 ? "-" : "") + Exp;
}

std::string FloatToStrExact(float Value) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  char Buf[64];
  auto R = std::to_chars(Buf, Buf + sizeof Buf, Value);
  return std::string(Buf, R.ptr);
}

std::optional<float> TryStrToFloatDot(std::string_view Text) {
  std::size_t B = 0, E = Text.size();
  while (B < E && Text[B] == ' ') ++B;
  while (E > B && Text[E - 1] == ' ') --E;
  std::string_view T = Text.substr(B, E - B);
  std::string Clean;
  std::size_t i = 0;
  if (i < T.size() && (T[i] == '+' || T[i] == '-')) {
    if (T[i] == '-') Clean += '-';
    ++i;
  }
  int Digits = 0, Dots = 0;
  for (; i < T.size() && ((T[i] >= '0' && T[i] <= '9') || T[i] == '.'); ++i) {
    if (T[i] == '.') ++Dots;
    else ++Digits;
    Clean += T[i];
  }
  if (Digits == 0 || Dots > 1) return std::nullopt;
  if (i < T.size() && (T[i] == 'E' || T[i] == 'e')) {
    Clean += 'e';
    ++i;
    if (i < T.size() && (T[i] == '+' || T[i] == '-')) {
      if (T[i] == '-') Clean += '-';
      ++i;
    }
    int ExpDigits = 0;
    for (; i < T.size() && T[i] >= '0' && T[i] <= '9'; ++i, ++ExpDigits) Clean += T[i];
    if (ExpDigits == 0) return std::nullopt;
  }
  if (i != T.size()) return std::nullopt;
  float V = 0;
  auto R = std::from_chars(Clean.data(), Clean.data() + Clean.size(), V, std::chars_format::general);
  if (R.ec == std::errc::result_out_of_range) {
    // Underflow (a tiny value) reads as zero; overflow is an error.
    static const locale_t CLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    double D = strtod_l(Clean.c_str(), nullptr, CLocale);
    if (std::fabs(D) < 1.0) return Clean[0] == '-' ? -0.0f : 0.0f;
    return std::nullopt;
  }
  if (R.ec != std::errc() || R.ptr != Clean.data() + Clean.size()) return std::nullopt;
  return V;
}

float StrToFloatDot(std::string_view Text) {
  auto V = TryStrToFloatDot(Text);
  if (!V) throw EConvertError("'" + std::string(Text) + "' is not a valid floating point value");
  return *V;
}
