#include "world/high_score_list.h"

#include <system_error>

#include "engine/engine_globals.h"
#include "engine/localization.h"
#include "engine/log.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/user_folders.h"
#include "platform/xml_document.h"
#include "world/nation.h"
#include "world/savegame_values.h"
#include "world/world_globals.h"
#include "world/xml_values.h"

namespace fs = std::filesystem;

namespace {
void Log(const std::string& Text) {
  if (gLog) gLog->AddLine(Text);
}
}  // namespace

THighScoreList::THighScoreList() : ListFolder(UserFileFolder()) { Create(); }

THighScoreList::THighScoreList(fs::path Folder) : ListFolder(std::move(Folder)) { Create(); }

THighScoreList::THighScoreList(std::string_view Bytes, std::string_view FileName) : InMemory(true) {
  try {
    LoadFromMemory(Bytes, FileName);
  } catch (const ETarnovaError& E) {
    Log(std::string("THighScoreList->Create->") + E.what() + "; the default high scores are used");
    SetDefaults();
  }
}

THighScoreList::~THighScoreList() {
  if (InMemory) return;
  try {
    SaveToFile(FileName);
  } catch (const std::exception& E) {
    Log(std::string("THighScoreList->Destroy->") + E.what());
  }
}

void THighScoreList::Create() {
  std::error_code Error;
  if (!fs::exists(ListFolder / FileName, Error)) {
    // A program folder that cannot be written sends the list to the user's configuration folder; a
    // list written there by an earlier run is found there again.
    const fs::path Other = UserFallbackFolder();
    if (!Other.empty() && fs::exists(Other / FileName, Error)) ListFolder = Other;
  }
  if (fs::exists(ListFolder / FileName, Error)) {
    try {
      LoadFromFile(FileName);
      return;
    } catch (const ETarnovaError& E) {
      // Keep the damaged file for whoever wants to mend it; the game starts with the defaults.
      const fs::path Broken = ListFolder / (std::string(FileName) + ".broken");
      fs::rename(ListFolder / FileName, Broken, Error);
      Log(std::string("THighScoreList->Create->") + E.what() + "; the file was kept as \"" + Broken.string() +
          "\" and the default high scores are used");
    }
  }
  SetDefaults();
  SaveToFile(FileName);
}

void THighScoreList::SetDefaults() {
  Entries.clear();
  const std::string Name = Localize("szStrHighScoreDefaultName");
  for (std::int32_t i = 0; i < 5; ++i) Entries.push_back({Name, i, 5, (5 - i) * 10});
}

void THighScoreList::AddScore() {
  const TNation* Player = gPlayerNation < gNations.size() ? gNations[gPlayerNation].get() : nullptr;
  if (!Player) throw ETarnovaError("THighScoreList->AddScore->No nation for the player");
  AddScore({Player->PlayerName, gPlayerNation, gCurrentTurn, Player->Score});
}

void THighScoreList::AddScore(const THighScoreListEntry& Entry) {
  LastIndex = -1;
  for (std::size_t i = Entries.size(); i-- > 0;)
    if (Entries[i].Score < Entry.Score) LastIndex = static_cast<std::int32_t>(i);
  if (LastIndex < 0) return;
  for (std::size_t i = Entries.size() - 1; i > static_cast<std::size_t>(LastIndex); --i) Entries[i] = Entries[i - 1];
  Entries[static_cast<std::size_t>(LastIndex)] = Entry;
  if (!InMemory) SaveToFile(FileName);
}

void THighScoreList::WriteEntries(TXMLDocument& Document) const {
  TXMLNode Root = Document.CreateRoot("highscorelist");
  for (const THighScoreListEntry& Entry : Entries) {
    TXMLNode Node = Root.AppendChild("entry");
    Node.SetAttribute("playername", Entry.PlayerName);
    SetIntAttribute(Node, "playernation", Entry.PlayerNation);
    SetIntAttribute(Node, "totalturns", Entry.TotalTurns);
    SetIntAttribute(Node, "score", Entry.Score);
  }
}

std::string THighScoreList::SaveToString() const {
  TXMLDocument Document;
  WriteEntries(Document);
  return Document.SaveToString();
}

bool THighScoreList::SaveToFile(const std::string& Name) {
  TXMLDocument Document;
  WriteEntries(Document);
  std::string Error;
  if (Document.SaveToFile(ListFolder / Name, &Error)) return true;
  // The program folder is often read-only on Linux; the list then lives in the user's configuration folder.
  const fs::path Other = UserFallbackFolder();
  if (!Other.empty() && Other != ListFolder) {
    Log("THighScoreList->SaveToFile->Cannot write \"" + (ListFolder / Name).string() + "\" (" + Error +
        "), writing it to \"" + (Other / Name).string() + "\"");
    ListFolder = Other;
    if (Document.SaveToFile(ListFolder / Name, &Error)) return true;
  }
  Log("THighScoreList->SaveToFile->Cannot write \"" + (ListFolder / Name).string() + "\": " + Error);
  return false;
}

void THighScoreList::LoadFromFile(const std::string& Name) {
  TXMLDocument Document;
  Document.LoadFromFile(ListFolder / Name);
  ReadEntries(Document);
}

void THighScoreList::LoadFromMemory(std::string_view Bytes, std::string_view FileName) {
  TXMLDocument Document;
  Document.LoadFromMemory(Bytes.data(), Bytes.size(), FileName);
  ReadEntries(Document);
}

void THighScoreList::ReadEntries(const TXMLDocument& Document) {
  constexpr std::string_view Context = "THighScoreList->LoadFromFile->";
  const TXMLNode Root = Document.Root();
  std::vector<THighScoreListEntry> Read;
  for (const TXMLNode& Node : Root.Children()) {
    THighScoreListEntry Entry;
    Entry.PlayerName = Node.AttributeOr("playername", "");
    Entry.PlayerNation = ReadIntAttribute(Context, Node, "playernation", 0, static_cast<std::int32_t>(NationCount) - 1);
    Entry.TotalTurns = ReadIntAttribute(Context, Node, "totalturns");
    Entry.Score = ReadIntAttribute(Context, Node, "score");
    Read.push_back(std::move(Entry));
  }
  Entries = std::move(Read);
}
