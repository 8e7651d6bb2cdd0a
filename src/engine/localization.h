#pragma once
// The localised texts of the game: one database of keys with a text per language, filled once
// at start-up from "data\XML\localization.xml", and the lookup every visible text goes through.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class TXMLDocument;

struct TLocalization {
  std::vector<std::string> Keys;                // in database order, as written
  std::vector<std::vector<std::string>> Texts;  // Texts[language][key index]; 0 German, 1 English
  std::vector<std::string> LanguageCodes;       // "ger", "eng"
  std::vector<std::string> LanguageNames;       // "Deutsch", "English"
  std::uint8_t LanguageIndex = 0;
  std::unordered_map<std::string, std::size_t> KeyIndex;  // lower-case key -> first index

  void Clear();
  // Fills the database from a loaded localization document: each child element of the root is a
  // key; its "GER" and "ENG" attributes are the texts (empty when absent). Language 0 is chosen.
  void LoadFromDocument(const TXMLDocument& Document);
  // Appends one key (the first of equal keys wins on lookup).
  void AddKey(const std::string& Key, const std::string& German, const std::string& English);
};

// The text of Key in the current language (keys ignore letter case). A missing key gives the key
// as the caller wrote it followed by "_NOT_LOCALIZED_". Throws ERangeError for a bad LanguageIndex.
std::string Localize(const std::string& Key);
std::string CurrentLanguageCode();
// The language codes of multi-language data (names of unit and building types): those of the
// database, or "ger", "eng" while none is loaded.
const std::vector<std::string>& DataLanguageCodes();
void FreeLocalization();
