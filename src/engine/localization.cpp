#include "engine/localization.h"


#include "engine/engine_globals.h"
#include "platform/checked.h"
#include "platform/latin1.h"
#include "platform/xml_document.h"

TLocalization gLocalization;

void TLocalization::Clear() {
  Keys.clear();
  Texts.clear();
  LanguageCodes.clear();
  LanguageNames.clear();
  KeyIndex.clear();
  LanguageIndex = 0;
}

void TLocalization::AddKey(const std::string& Key, const std::string& German, const std::string& English) {
  if (Texts.size() < 2) Texts.resize(2);
  KeyIndex.try_emplace(LowerAscii(Key), Keys.size());
  Keys.push_back(Key);
  Texts[0].push_back(German);
  Texts[1].push_back(English);
}

void TLocalization::LoadFromDocument(const TXMLDocument& Document) {
  Clear();
  Texts.resize(2);
  for (const TXMLNode& N : Document.Root().Children())
    AddKey(N.Name(), N.AttributeOr("GER", ""), N.AttributeOr("ENG", ""));
  LanguageCodes = {"ger", "eng"};
  LanguageNames = {"Deutsch", "English"};
  LanguageIndex = 0;
}

std::string Localize(const std::string& Key) {
  const auto& Lines = At(gLocalization.Texts, gLocalization.LanguageIndex, "Localize->LanguageIndex");
  auto It = gLocalization.KeyIndex.find(LowerAscii(Key));
  if (It == gLocalization.KeyIndex.end()) return Key + "_NOT_LOCALIZED_";
  return At(Lines, static_cast<long long>(It->second), "Localize->Texts");
}

std::string CurrentLanguageCode() {
  return At(gLocalization.LanguageCodes, gLocalization.LanguageIndex, "CurrentLanguageCode");
}

const std::vector<std::string>& DataLanguageCodes() {
  static const std::vector<std::string> Default = {"ger", "eng"};
  return gLocalization.LanguageCodes.empty() ? Default : gLocalization.LanguageCodes;
}

void FreeLocalization() { gLocalization.Clear(); }
