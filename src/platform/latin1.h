#pragma once
// The game's strings are 8-bit (Windows-1252, a superset of ISO-8859-1: "ä" is byte 0xE4).
// The XML library works in UTF-8; text is converted at that boundary and nowhere else.
#include <string>
#include <string_view>

// UTF-8 -> 8-bit: code points below 256 become that byte, the Windows-1252 extras (such as the
// euro sign) their byte, anything else "?". Bytes that are not valid UTF-8 pass through as they are.
std::string Utf8ToAnsi(std::string_view Utf8);
// 8-bit -> UTF-8, taking each byte as the code point of the same number (ISO-8859-1), so that
// Utf8ToAnsi(AnsiToUtf8(s)) == s for every byte string.
std::string AnsiToUtf8(std::string_view Ansi);
// Windows-1252 -> UTF-8 for reading files declared as "windows-1252" (0x80 is the euro sign).
std::string Cp1252ToUtf8(std::string_view Text);
// One UTF-16 code unit sequence (tagged wide strings) -> 8-bit.
std::string Utf16ToAnsi(const char16_t* Units, std::size_t Count);
// ASCII-only lower case (A..Z), other bytes unchanged.
std::string LowerAscii(std::string_view Text);
std::string UpperAscii(std::string_view Text);
bool SameTextAscii(std::string_view A, std::string_view B);
