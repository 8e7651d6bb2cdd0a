// Loads arbitrary bytes as an XML document and walks and saves it.
#include <cstdint>
#include <exception>

#include "platform/xml_document.h"

static void Walk(const TXMLNode& N, int Depth) {
  if (Depth > 64) return;
  N.Attributes();
  N.Text();
  N.Where();
  for (const TXMLNode& C : N.Children()) Walk(C, Depth + 1);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TXMLDocument D;
  try {
    D.LoadFromMemory(Data, Size, "fuzz.xml");
    Walk(D.Root(), 0);
    D.SaveToString();
  } catch (const std::exception&) {
  }
  return 0;
}
