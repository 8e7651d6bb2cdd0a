#include "platform/latin1.h"

namespace {
// Unicode code points of the Windows-1252 bytes 0x80..0x9F (0 where the byte is undefined).
const char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char AnsiOf(char32_t Cp) {
  if (Cp < 256) return static_cast<char>(Cp);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == Cp) return static_cast<char>(0x80 + i);
  return '?';
}

void AppendUtf8(std::string& Out, char32_t Cp) {
  if (Cp < 0x80) {
    Out += static_cast<char>(Cp);
  } else if (Cp < 0x800) {
    Out += static_cast<char>(0xC0 | (Cp >> 6));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  } else if (Cp < 0x10000) {
    Out += static_cast<char>(0xE0 | (Cp >> 12));
    Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (Cp >> 18));
    Out += static_cast<char>(0x80 | ((Cp >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  }
}
}  // namespace

std::string Utf8ToAnsi(std::string_view S) {
  std::string Out;
  Out.reserve(S.size());
  std::size_t i = 0;
  while (i < S.size()) {
    unsigned char C = static_cast<unsigned char>(S[i]);
    int Len = C < 0x80 ? 1 : (C >> 5) == 0x6 ? 2 : (C >> 4) == 0xE ? 3 : (C >> 3) == 0x1E ? 4 : 0;
    bool Valid = Len > 0 && i + Len <= S.size();
    char32_t Cp = 0;
    if (Valid) {
      Cp = Len == 1 ? C : Len == 2 ? (C & 0x1F) : Len == 3 ? (C & 0x0F) : (C & 0x07);
      for (int k = 1; k < Len && Valid; ++k) {
        unsigned char T = static_cast<unsigned char>(S[i + k]);
        if ((T & 0xC0) != 0x80) Valid = false;
        Cp = (Cp << 6) | (T & 0x3F);
      }
      // Overlong forms are not valid UTF-8.
      if (Valid && ((Len == 2 && Cp < 0x80) || (Len == 3 && Cp < 0x800) || (Len == 4 && Cp < 0x10000)))
        Valid = false;
    }
    if (!Valid) {
      Out += static_cast<char>(C);
      ++i;
      continue;
    }
    Out += AnsiOf(Cp);
    i += Len;
  }
  return Out;
}

std::string AnsiToUtf8(std::string_view S) {
  std::string Out;
  Out.reserve(S.size() + S.size() / 8);
  for (char C : S) AppendUtf8(Out, static_cast<unsigned char>(C));
  return Out;
}

std::string Cp1252ToUtf8(std::string_view S) {
  std::string Out;
  Out.reserve(S.size() + S.size() / 8);
  for (char C : S) {
    unsigned char B = static_cast<unsigned char>(C);
    char32_t Cp = (B >= 0x80 && B < 0xA0 && kCp1252High[B - 0x80]) ? kCp1252High[B - 0x80] : B;
    AppendUtf8(Out, Cp);
  }
  return Out;
}

std::string Utf16ToAnsi(const char16_t* Units, std::size_t Count) {
  std::string Out;
  Out.reserve(Count);
  for (std::size_t i = 0; i < Count; ++i) {
    char32_t Cp = Units[i];
    if (Cp >= 0xD800 && Cp < 0xDC00 && i + 1 < Count && Units[i + 1] >= 0xDC00 && Units[i + 1] < 0xE000) {
      Cp = 0x10000 + ((Cp - 0xD800) << 10) + (Units[i + 1] - 0xDC00);
      ++i;
    }
    Out += AnsiOf(Cp);
  }
  return Out;
}

std::string LowerAscii(std::string_view Text) {
  std::string Out(Text);
  for (char& C : Out)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return Out;
}

std::string UpperAscii(std::string_view Text) {
  std::string Out(Text);
  for (char& C : Out)
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 'a' + 'A');
  return Out;
}

bool SameTextAscii(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t i = 0; i < A.size(); ++i) {
    char X = A[i], Y = B[i];
    if (X >= 'A' && X <= 'Z') X = static_cast<char>(X - 'A' + 'a');
    if (Y >= 'A' && Y <= 'Z') Y = static_cast<char>(Y - 'A' + 'a');
    if (X != Y) return false;
  }
  return true;
}
