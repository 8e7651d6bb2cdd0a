// The window and screen layouts of the data set, loaded as the game loads them: every window and
// control the game's code names is there, controls it takes by position stand in the right
// order, and in both languages and the GUI widths of 5:4, 4:3 and 16:9 screens every control
// lies inside its window, apart from the others, with its text inside it.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "engine/virtual_file_system.h"
#include "font_writer.h"
#include "gui/check_box.h"
#include "gui/drop_down.h"
#include "gui/edit.h"
#include "gui/fake_gui_services.h"
#include "gui/list_box.h"
#include "gui/text.h"
#include "layout_fixture.h"
#include "platform/latin1.h"
#include "platform/xml_document.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

fs::path BuildFile(const std::string& Name) { return fs::path(TARNOVA_BINARY_DIR) / Name; }
fs::path SourceFile(const std::string& Name) { return fs::path(TARNOVA_SOURCE_DIR) / Name; }

// Advance widths of the GUI font in GUI pixels at size 1: the data set's font when it has one,
// else DejaVu Sans rendered as the content tools render fonts.
std::array<float, 256> FontWidths() {
  std::string Bytes;
  if (fs::exists(BuildFile("data/font3.fnt"))) {
    Bytes = ReadTestFile(BuildFile("data/font3.fnt"));
  } else {
    TFontImage Image;
    std::string Error;
    EXPECT_TRUE(RenderFont({"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 16, true}, Image, Error)) << Error;
    Bytes = Image.Widths;
  }
  std::array<float, 256> W{};
  for (std::size_t I = 0; I < 256 && I < Bytes.size(); ++I) W[I] = 1.5f * static_cast<float>(static_cast<std::uint8_t>(Bytes[I])) / 8.0f;
  return W;
}

// The data folder of the build behind the toolkit; every texture counts as registered (which
// ones exist is checked on the files), text is measured with the GUI font.
class TLayoutServices : public THeadlessGUIServices {
public:
  TVirtualFileSystem Files{TARNOVA_BINARY_DIR};
  std::array<float, 256> Widths = FontWidths();
  float TextWidth(const std::string& Text) override {
    float Sum = 0;
    for (char C : Text) Sum += Widths[static_cast<std::uint8_t>(C)] + 1.0f;
    return Sum;
  }
  int GetTextureInfo(const std::string&, int What) override { return What == tiGLID ? 1 : 64; }
  bool FileExists(const std::string& Name) override { return Files.FileExists(Name); }
  std::optional<std::string> ReadFile(const std::string& Name) override { return Files.ReadFile(Name); }
};

class Layouts : public ::testing::Test {
protected:
  void SetUp() override {
    auto Owned = std::make_unique<TLayoutServices>();
    Services = Owned.get();
    Previous = SetGUIServices(std::move(Owned));
    gWidescreenFactor = 1.0;
  }
  void TearDown() override {
    SetGUIServices(std::move(Previous));
    gGUIScreenWidth = 1024;
  }
  TLayoutServices* Services = nullptr;

private:
  std::unique_ptr<TGUIServices> Previous;
};

// ---- what the game's code needs of each window --------------------------------------------

// "kind:ID" items, "button:NAME" button or skinned-part names, "kind#N=ID" the N-th item of a
// kind, "rows:ID=a,b" rows a list must hold, "size:ID=WxH" the least size of an area the game
// draws into at fixed offsets. Windows are named GUI/window ("ingame/GUIWindow").
const std::map<std::string, std::vector<std::string>> kNeeds = {
    {"ingame/GUIWindow", {"button:nextround", "button:cc_build_units", "button:cc_manage_units", "button:cc_info",
                          "button:cc_science", "button:cc_global_project", "button:cc_staff", "button:cc_espionage",
                          "button:sysbar_exitgame", "button:sysbar_savegame", "button:sysbar_loadgame", "skinned#2="}},
    {"ingame/military", {"listbox:listbox_unitqueue", "memo:memo_unitdescription", "panel:panel_unitpreview",
                         "button:military_build_unit", "button:military_remove_from_queue", "listbox#1=listbox_unittypes"}},
    {"ingame/army_management",
     {"listbox:listbox_divisions", "listbox:listbox_assigned_unit", "listbox:listbox_freegenerals", "edit:division_name",
      "text:division_region", "text:division_general", "listbox#0=listbox_unassigned_unit", "listbox#1=listbox_divisions",
      "edit#0=division_name", "button:army_management_buildunit", "button:army_management_new_army",
      "button:army_management_rename_division", "button:army_management_division_region",
      "button:army_management_delete_army", "button:army_management_assign_unit", "button:army_management_delete_unit",
      "button:army_management_free_unit", "button:army_management_assign_army", "button:army_management_assign_general",
      "button:army_management_free_general"}},
    {"ingame/infocenter", {"panel:panel_regionmap", "panel:panel_quickchart", "button:button_stats", "size:panel_quickchart=232x156", "listbox#0=listbox_roundmessages"}},
    {"ingame/autobattle", {"button:autobattle_close", "any:button_autobattle_close", "memo:memo_battle_log", "trackbar:trackbar_speed",
                           "panel:panel_attacker_info", "panel:panel_attacker_army", "panel:panel_defender_info",
                           "panel:panel_defender_army", "size:panel_attacker_army=448x192", "size:panel_defender_army=448x192"}},
    {"ingame/globalproject", {"memo#0="}},
    {"ingame/regioninfo",
     {"panel:panel_3dview", "panel:panel_hover", "panel:panel_divisioninfo", "text:cap_energy", "text:cap_pollution",
      "text:cap_loyality", "size:panel_divisioninfo=160x77", "button:regiondetails_move_army", "button:regiondetails_manage_army",
      "button:regiondetails_build_menu", "button:regiondetails_destroy_building",
      "order:population,populationgrowth,loyality,ressources,pollution,defense,energy"}},
    {"ingame/region_build", {"memo:memo_buildingdescription", "panel:panel_buildingpreview", "button:region_build_construct",
                             "listbox#0=listbox_buildings"}},
    {"ingame/transfermarket", {"listbox#0=listbox_free", "listbox#1=listbox_player", "button#0=button_hirefire",
                               "button:transfer_hire", "image#0=", "panel#0="}},
    {"ingame/science", {"panel:panel_3dview", "panel:panel_researchtime", "panel:panel_currentresearch",
                        "panel:panel_researchinfo", "size:panel_researchinfo=210x88", "memo:memo_tech", "listbox:listbox_leadsto",
                        "button:research_startresearch", "button:research_showresearchedtechs"}},
    {"ingame/research_history", {"listbox:listbox_techlist", "memo:memo_tech", "listbox:listbox_leadsto",
                                 "panel:panel_researchtime", "image:image_tech"}},
    {"ingame/espionage",
     {"listbox:free_spies", "listbox:used_spies", "listbox:listbox_divisiondata", "listbox:listbox_sabotage_actions",
      "panel:panel_info", "size:panel_info=340x60", "panel:panel_regiondata", "text:regiondata_last_update", "text:divisiondata_last_update",
      "button:espionage_infiltrate", "button:espionage_exfiltrate", "button:espionage_regiondata",
      "button:espionage_divisiondata", "button:espionage_dosabotage",
      "rows:listbox_sabotage_actions=sabotage_underminemorale,sabotage_disablepower,sabotage_sabotagedivision,sabotage_disabledivision"}},
    {"ingame/loadgame", {"listbox:listbox_savegames", "button:button_loadgame", "button:button_deletegame"}},
    {"ingame/savegame", {"edit:edit_savegamename", "listbox:listbox_savegames", "button:button_savegame",
                         "button:button_overwritegame", "button:button_deletegame"}},
    {"ingame/statistics", {"dropdown:dropdown_stat", "panel:panel_graph", "panel:panel_legend", "panel:panel_incomeoutcome", "size:panel_incomeoutcome=386x96"}},
    {"ingame/messagedlg_quit", {"button:msgdlg_yesno_yes", "button:msgdlg_yesno_no"}},
    {"ingame/debug",
     {"memo#1=", "button:debug_finish_unit", "button:debug_finish_unit_queue", "button:debug_unlock_alltech",
      "button:debug_finish_current_tech", "button:debug_fill_regions", "button:debug_fill_regions_rnd",
      "button:debug_lang_ger", "button:debug_lang_eng", "button:debug_loosegame", "button:debug_wingame",
      "button:debug_money", "button:debug_region_uprise", "button:debug_region_dead"}},
    {"ingame/debugai", {"listbox:listbox_aicontroller", "memo:memo_ailog", "checkbox:checkbox_regionmapupdate",
                        "button:debug_ai_enableall", "button:debug_ai_advance_10", "button:debug_ai_advance_100"}},
    {"ingame/messagedlg_ext", {"image:message_image", "memo:memo_message_text", "button:msgdlg_ext_ok"}},
    {"nationselect/GUIWindow", {"memo#0=memonationhistory", "dropdown:difficulty_dropdown", "edit#0=",
                                "rows:difficulty_dropdown=difficulty_normal,difficulty_hard,difficulty_veryhard",
                                "button:nationselect_startgame", "button:nationselect_info", "button:nationselect_history",
                                "button:nationselect_back"}},
    {"mainmenu/GUIWindow",
     {"any:continue_button", "image:gamelogo", "any:mainmenu_credits", "checkbox:options_checkbox_globedetail",
      "checkbox:options_checkbox_reflections", "checkbox:options_checkbox_music", "checkbox:options_checkbox_soundfx",
      "checkbox:options_checkbox_autosave", "trackbar:options_trackbar_music", "trackbar:options_trackbar_soundfx",
      "trackbar:options_trackbar_autosaveinterval", "text:options_label_autosaveinterval",
      "dropdown:options_dropdown_language", "listbox:options_listbox_reslist", "button:options_button_applylanguage",
      "button:options_button_applyres", "button:mainmenu_quit", "button:mainmenu_options", "button:mainmenu_credits",
      "button:mainmenu_singleplayer", "button:mainmenu_singleplayer_loadgame", "button:mainmenu_hotseat_loadgame",
      "button:mainmenu_singleplayer_newgame", "button:mainmenu_singleplayer_continue", "button:mainmenu_multiplayer",
      "button:mainmenu_multiplayer_hotseat", "button:mainmenu_multiplayer_hotseat_start", "edit:hotseat_turntime",
      "skinned#4="}},
    {"mainmenu/loadgame", {"listbox:listbox_savegames", "button:button_loadgame", "button:button_deletegame"}},
    {"mainmenu/messagedlg_ext", {"image:message_image", "memo:memo_message_text", "button:msgdlg_ext_ok"}},
    {"endgame/GUIWindow", {"any:endgame_victory", "any:endgame_defeat", "panel:panel_graph", "panel:panel_legend",
                           "dropdown:dropdown_stat", "button:mainmenu_root"}},
    {"intro/GUIWindow", {"intro:4"}},
};

bool OfKind(const TGLGUIItem& I, const std::string& Kind) {
  static const std::map<std::string, TGUIItemKind> Kinds = {
      {"memo", TGUIItemKind::Memo},         {"panel", TGUIItemKind::Panel},       {"text", TGUIItemKind::Text},
      {"image", TGUIItemKind::Image},       {"listbox", TGUIItemKind::ListBox},   {"edit", TGUIItemKind::Edit},
      {"dropdown", TGUIItemKind::DropDown}, {"checkbox", TGUIItemKind::Checkbox}, {"trackbar", TGUIItemKind::TrackBar},
      {"button", TGUIItemKind::Button},     {"skinned", TGUIItemKind::SkinnedControl}};
  return Kind == "any" || I.Kind() == Kinds.at(Kind);
}

std::vector<std::string> Split(const std::string& S, char By) {
  std::vector<std::string> Out;
  std::stringstream In(S);
  for (std::string Part; std::getline(In, Part, By);) Out.push_back(Part);
  return Out;
}

template <class T>
std::vector<std::string> RowIDs(const T& List) {
  std::vector<std::string> IDs;
  for (const auto& Row : List.Items) IDs.push_back(Row.ID);
  return IDs;
}

void CheckNeeds(const TGLWindow& W, const std::vector<std::string>& Needs, const std::string& Where) {
  const std::vector<std::string> Buttons = ButtonNames(W);
  for (const std::string& Need : Needs) {
    SCOPED_TRACE(Where + ": " + Need);
    const std::size_t Colon = Need.find(':'), Hash = Need.find('#');
    if (Hash != std::string::npos && (Colon == std::string::npos || Hash < Colon)) {
      // The N-th item of a kind, and its ID when one is given.
      const std::string Kind = Need.substr(0, Hash);
      const int N = std::stoi(Need.substr(Hash + 1));
      const std::string ID = Need.substr(Need.find('=') + 1);
      try {
        const TGLGUIItem& Item = W.GetGLGUIItem(N, Kind);
        if (!ID.empty()) {
          EXPECT_EQ(Item.ID, ID);
        }
      } catch (const std::exception& E) {
        ADD_FAILURE() << E.what();
      }
      continue;
    }
    const std::string Kind = Need.substr(0, Colon), Rest = Need.substr(Colon + 1);
    if (Kind == "button") {
      EXPECT_EQ(std::count(Buttons.begin(), Buttons.end(), Rest), 1);
    } else if (Kind == "order") {
      int Last = -1;
      for (const std::string& ID : Split(Rest, ',')) {
        int At = -1;
        for (std::size_t I = 0; I < W.Items.size(); ++I)
          if (W.Items[I]->ID == ID) At = static_cast<int>(I);
        EXPECT_GT(At, Last) << ID;
        Last = At;
      }
    } else if (Kind == "rows") {
      const auto Eq = Rest.find('=');
      const TGLGUIItem& List = W.GetGUIItemByID(Rest.substr(0, Eq));
      const std::vector<std::string> IDs = List.Kind() == TGUIItemKind::ListBox
                                               ? RowIDs(static_cast<const TGLListBox&>(List))
                                               : RowIDs(static_cast<const TGLDropDown&>(List));
      for (const std::string& Row : Split(Rest.substr(Eq + 1), ','))
        EXPECT_NE(std::find(IDs.begin(), IDs.end(), Row), IDs.end()) << Row;
    } else if (Kind == "size") {
      const auto Eq = Rest.find('='), X = Rest.find('x', Eq);
      const TGLGUIItem& Item = W.GetGUIItemByID(Rest.substr(0, Eq));
      EXPECT_GE(Item.Width, std::stoi(Rest.substr(Eq + 1, X - Eq - 1)));
      EXPECT_GE(Item.Height, std::stoi(Rest.substr(X + 1)));
    } else if (Kind == "intro") {
      // The intro fades in the first items after the three built-in hint items.
      ASSERT_GE(W.Items.size(), 3u + std::stoul(Rest));
      for (std::size_t I = 3; I < 3 + std::stoul(Rest); ++I) EXPECT_FALSE(W.Items[I]->Visible) << I;
    } else {
      try {
        EXPECT_TRUE(OfKind(W.GetGUIItemByID(Rest), Kind)) << "of another kind";
      } catch (const std::exception& E) {
        ADD_FAILURE() << E.what();
      }
    }
  }
}

TEST_F(Layouts, EveryWindowLoadsStrictlyWithTheControlsTheGameFindsByNameAndPosition) {
  for (const std::string& Lang : kLanguages)
    for (int Width : {1024, 1365}) {
      SCOPED_TRACE(Lang + " " + std::to_string(Width));
      TGameGUIs G = LoadGameGUIs(Lang, Width);
      ASSERT_EQ(G.InGame->Windows.size(), kInGameWindows.size() + 1);
      for (const auto& File : kInGameWindows) EXPECT_NE(G.InGame->GetWindow(File.Name), nullptr) << File.File;
      std::set<std::string> Checked;
      for (const auto& [GUIName, GUI] : G.All())
        for (const auto& W : GUI->Windows) {
          const std::string Key = GUIName + "/" + W->Name;
          auto It = kNeeds.find(Key);
          if (It == kNeeds.end()) continue;
          CheckNeeds(*W, It->second, Key);
          Checked.insert(Key);
        }
      EXPECT_EQ(Checked.size(), kNeeds.size());
      // The hot-seat rows the new game reads.
      TGLWindow& Menu = *G.MainMenu->Windows[0];
      for (int I = 0; I < 5; ++I) {
        const std::string N = std::to_string(I);
        CheckNeeds(Menu,
                   {"edit:hotseat_name_nation" + N, "rows:hotseat_controller_nation" + N + "=human,ai_normal,ai_hard,ai_veryhard",
                    "rows:hotseat_ressources_nation" + N + "=res_zero,res_50,res_150,res_200"},
                   "hot seat " + N);
      }
    }
}

// A language switch reloads every window from the other language's folder and the game keeps
// finding controls by ID and by position: both languages hold the same controls in the same
// places, only their texts differ.
TEST_F(Layouts, BothLanguagesHoldTheSameControlsInTheSamePlaces) {
  TGameGUIs Ger = LoadGameGUIs("ger", 1024), Eng = LoadGameGUIs("eng", 1024);
  auto Shape = [](const TGLWindow& W) {
    std::vector<std::string> Out{W.Name + " " + std::to_string(W.Width) + "x" + std::to_string(W.Height) + " at " +
                                 std::to_string(static_cast<int>(W.X)) + "," + std::to_string(static_cast<int>(W.Y))};
    for (const auto& Item : W.Items) {
      std::ostringstream S;
      S << static_cast<int>(Item->Kind()) << " " << Item->ID << " " << Item->Position.X << "," << Item->Position.Y << ","
        << Item->Position.Z << " " << Item->Width << "x" << Item->Height << " " << Item->Visible;
      if (Item->Kind() == TGUIItemKind::Button) S << " " << static_cast<const TGLButton&>(*Item).Name;
      if (Item->Kind() == TGUIItemKind::ListBox)
        for (const auto& Row : static_cast<const TGLListBox&>(*Item).Items) S << " " << Row.ID;
      if (Item->Kind() == TGUIItemKind::DropDown)
        for (const auto& Row : static_cast<const TGLDropDown&>(*Item).Items) S << " " << Row.ID;
      Out.push_back(S.str());
    }
    for (const std::string& Name : ButtonNames(W)) Out.push_back("button " + Name);
    return Out;
  };
  const auto G = Ger.All(), E = Eng.All();
  for (std::size_t K = 0; K < G.size(); ++K) {
    ASSERT_EQ(G[K].second->Windows.size(), E[K].second->Windows.size()) << G[K].first;
    for (std::size_t I = 0; I < G[K].second->Windows.size(); ++I)
      EXPECT_EQ(Shape(*G[K].second->Windows[I]), Shape(*E[K].second->Windows[I])) << G[K].first;
  }
}

// Window names and control IDs the game's sources pass as literals to the GUI's lookups exist in
// the layouts (the toolkit's own sources excepted).
TEST_F(Layouts, EveryWindowAndControlTheSourcesNameIsInALayout) {
  std::set<std::string> Windows = {"messagedlg", "battlefield"};  // looked for, never loaded
  std::set<std::string> IDs;
  for (const std::string& Lang : kLanguages) {
    TGameGUIs G = LoadGameGUIs(Lang, 1024);
    for (const auto& [GUIName, GUI] : G.All())
      for (const auto& W : GUI->Windows) {
        Windows.insert(W->Name);
        for (const auto& Item : W->Items) IDs.insert(LowerAscii(Item->ID));
      }
  }
  // The first string literal after each call, when the call's first argument is one.
  auto Literals = [](const std::string& Text, const std::string& Call) {
    std::vector<std::string> Out;
    for (std::size_t At = Text.find(Call); At != std::string::npos; At = Text.find(Call, At + 1)) {
      std::size_t P = At + Call.size();
      if (Call.back() == '<') P = Text.find('(', P) + 1;
      while (P < Text.size() && Text[P] == ' ') ++P;
      if (P >= Text.size() || Text[P] != '"') continue;
      const std::size_t End = Text.find('"', P + 1);
      Out.push_back(Text.substr(P + 1, End - P - 1));
    }
    return Out;
  };
  int Found = 0;
  for (auto& E : fs::recursive_directory_iterator(SourceFile("src"))) {
    const std::string Path = E.path().generic_string();
    if (!E.is_regular_file() || Path.find("/src/gui/") != std::string::npos) continue;
    const std::string Text = ReadTestFile(E.path());
    for (const char* Call : {"GetWindow(", "OpenWindow(", "CloseWindow(", "BringToFront(", "SetModalWindow("})
      for (const std::string& Name : Literals(Text, Call)) {
        ++Found;
        EXPECT_TRUE(Windows.count(Name)) << E.path().filename() << " names the window \"" << Name << "\"";
      }
    for (const char* Call : {"GetGUIItemByID(", "GetItem<"})
      for (const std::string& ID : Literals(Text, Call)) {
        ++Found;
        EXPECT_TRUE(IDs.count(LowerAscii(ID))) << E.path().filename() << " names the control \"" << ID << "\"";
      }
  }
  RecordProperty("names_found_in_sources", Found);
}

// ---- geometry ------------------------------------------------------------------------------

struct TBox {
  std::string What;
  float X, Y, W, H;
  bool Container;  // panels and skinned pictures: other controls may lie on them
  std::string Group;
  bool Hidden;
  bool Picture = false;  // a skinned picture: pictures may lie over one another
};

bool Inside(const TBox& A, const TBox& B) { return A.X >= B.X && A.Y >= B.Y && A.X + A.W <= B.X + B.W && A.Y + A.H <= B.Y + B.H; }
bool Overlap(const TBox& A, const TBox& B) { return A.X < B.X + B.W && B.X < A.X + A.W && A.Y < B.Y + B.H && B.Y < A.Y + A.H; }

// Areas the windows' own drawing fills, in window coordinates.
const std::map<std::string, std::vector<TBox>> kDrawnByTheGame = {
    {"military", {{"name plate", 10, 210, 300, 20, false, "", false}, {"values", 15, 240, 295, 70, false, "", false}}},
    {"region_build", {{"name plate", 10, 210, 300, 20, false, "", false}, {"values", 15, 240, 295, 70, false, "", false}}},
    {"regioninfo", {{"tendency icons", 169, 40, 16, 124, false, "", false}}},
};

class TGeometry {
public:
  TLayoutServices& S;
  std::vector<std::string> Faults;

  float Text(const std::string& T) { return S.TextWidth(T); }
  void Fault(const std::string& Where, const std::string& What) { Faults.push_back(Where + ": " + What); }
  void Fits(const std::string& Where, const std::string& Label, float Needed, float Room) {
    if (Needed > Room)
      Fault(Where, "\"" + Label + "\" needs " + std::to_string(static_cast<int>(Needed)) + " pixels, has " +
                       std::to_string(static_cast<int>(Room)));
  }

  TBox BoxOf(const TGLWindow& W, const TGLGUIItem& I, const std::string& Where) {
    const std::string Name = I.ID.empty() ? "item" : I.ID;
    const std::string At = Where + "/" + Name;
    float Wd = static_cast<float>(I.Width), Ht = static_cast<float>(I.GetHeight());
    bool Container = false;
    switch (I.Kind()) {
      case TGUIItemKind::Text: {
        const auto& T = static_cast<const TGLText&>(I);
        const float Tw = Text(T.Text);
        if (T.IsHeader) {
          Fits(At, T.Text, 8 + Tw + 8, Wd);
          Ht = 27;
        } else {
          if (Wd > 0) Fits(At, T.Text, Tw, Wd);
          Wd = std::max(Wd, Tw);
          Ht = 16;
        }
        break;
      }
      case TGUIItemKind::Button: {
        const auto& B = static_cast<const TGLButton&>(I);
        Fits(At, B.Caption, (B.Icon.empty() ? 8.0f : 27.0f) + Text(B.Caption) + 6, Wd);
        break;
      }
      case TGUIItemKind::Checkbox: {
        const auto& C = static_cast<const TGLCheckbox&>(I);
        Wd = Wd + 2 + Text(C.Caption);
        break;
      }
      case TGUIItemKind::ListBox:
        for (const auto& Row : static_cast<const TGLListBox&>(I).Items)
          Fits(At, Row.Caption, 9 + (Row.Icon.empty() ? 0.0f : 15.0f) + Text(Row.Caption), Wd - 25);
        break;
      case TGUIItemKind::DropDown:
        for (const auto& Row : static_cast<const TGLDropDown&>(I).Items)
          Fits(At, Row.Caption, (Row.Icon.empty() ? 11.0f : 29.0f) + Text(Row.Caption), Wd - 24);
        break;
      case TGUIItemKind::Edit:
        Fits(At, static_cast<const TGLEdit&>(I).Text, 24 + Text(static_cast<const TGLEdit&>(I).Text), Wd - 4);
        break;
      case TGUIItemKind::Panel:
      case TGUIItemKind::SkinnedControl: Container = true; break;
      default: break;
    }
    (void)W;
    return TBox{Name, I.Position.X, I.Position.Y, Wd, Ht, Container, "", !I.Visible, I.Kind() == TGUIItemKind::SkinnedControl};
  }

  void CheckWindow(const TGLWindow& W, const std::string& Where, bool Base, int ScreenWidth) {
    const TBox Client = Base ? TBox{"screen", 0, 0, static_cast<float>(ScreenWidth), 768, true, "", false}
                             : TBox{"client area", 6, 28, static_cast<float>(W.Width - 13), static_cast<float>(W.Height - 28), true, "", false};
    if (!Base) {
      Fits(Where, W.Caption + " (caption)", 40 + 1.2f * Text(W.Caption), static_cast<float>(W.Width - 30));
      if (W.X < 0 || W.Y < 0 || W.X + W.Width > ScreenWidth || W.Y + W.Height + 27 > 768) Fault(Where, "window off the screen");
    }
    std::vector<TBox> Boxes;
    for (std::size_t K = Base ? 3 : 0; K < W.Items.size(); ++K) {
      const TGLGUIItem& I = *W.Items[K];
      if (I.ID == "panel_hover") continue;  // drawn by the game beside the mouse
      TBox B = BoxOf(W, I, Where);
      if (Base && Where.find(" mainmenu/") != std::string::npos) B.Group = MainMenuGroup(W, I);
      if (!Inside(B, Client)) Fault(Where, B.What + " lies outside the " + Client.What);
      Boxes.push_back(B);
    }
    if (Base && Where.find(" nationselect/") != std::string::npos) {
      // The nation's name, headings and base factors, drawn left of and above the history memo.
      const TGLGUIItem& M = W.GetGUIItemByID("memonationhistory");
      Boxes.push_back(TBox{"nation overlay", M.Position.X - 190, M.Position.Y - 25, 190, 166, false, "", false});
    }
    auto Drawn = kDrawnByTheGame.find(W.Name);
    if (Drawn != kDrawnByTheGame.end() && !Base) Boxes.insert(Boxes.end(), Drawn->second.begin(), Drawn->second.end());
    for (std::size_t A = 0; A < Boxes.size(); ++A)
      for (std::size_t B = A + 1; B < Boxes.size(); ++B) {
        const TBox &P = Boxes[A], &Q = Boxes[B];
        if (!P.Group.empty() && !Q.Group.empty() && P.Group != Q.Group) continue;  // never shown together
        if (P.Hidden && Q.Hidden) continue;  // alternatives (victory or defeat)
        if (!Overlap(P, Q)) continue;
        // The bottom bar's pieces meet on its deck, the next-round piece over the bar.
        if (P.Picture && Q.Picture) continue;
        if ((P.Container && Inside(Q, P)) || (Q.Container && Inside(P, Q))) continue;
        Fault(Where, P.What + " overlaps " + Q.What);
      }
  }
};

TEST_F(Layouts, ControlsLieInsideTheirWindowsApartFromEachOtherWithTheirTextInside) {
  for (const std::string& Lang : kLanguages)
    for (int Width : {960, 1024, 1365}) {
      TGameGUIs G = LoadGameGUIs(Lang, Width);
      TGeometry Geo{*Services, {}};
      for (const auto& [GUIName, GUI] : G.All())
        for (std::size_t I = 0; I < GUI->Windows.size(); ++I)
          Geo.CheckWindow(*GUI->Windows[I], Lang + " " + std::to_string(Width) + " " + GUIName + "/" + GUI->Windows[I]->Name,
                          I == 0, Width);
      for (const std::string& F : Geo.Faults) ADD_FAILURE() << F;
    }
}

// ---- the data the windows show ------------------------------------------------------------

std::set<std::string> PendingTextures() {
  std::set<std::string> Out;
  std::istringstream In(ReadTestFile(SourceFile("tests/content/pending_assets.txt")));
  for (std::string Kind, Name, Line; std::getline(In, Line);) {
    std::istringstream Words(Line);
    if (Words >> Kind >> Name && Kind == "texture") Out.insert(LowerAscii(Name));
  }
  return Out;
}

TEST_F(Layouts, EveryPictureALayoutNamesIsInTheDataSet) {
  std::set<std::string> Have;
  for (auto& E : fs::recursive_directory_iterator(BuildFile("data")))
    if (E.is_regular_file()) Have.insert(LowerAscii(E.path().stem().string()));
  const std::set<std::string> Pending = PendingTextures();
  for (auto& E : fs::recursive_directory_iterator(SourceFile("content/data/XML"))) {
    const std::string File = E.path().filename().string();
    if (File.rfind("UI_", 0) != 0 && File.rfind("window_", 0) != 0 && File.rfind("dialog_", 0) != 0 &&
        File != "extended_message_dialog.xml")
      continue;
    const std::string Text = ReadTestFile(E.path());
    for (const std::string Attr : {" image=\"", " icon=\"", " widescreenstretcher=\""})
      for (std::size_t At = Text.find(Attr); At != std::string::npos; At = Text.find(Attr, At + 1)) {
        const std::size_t From = At + Attr.size();
        const std::string Name = LowerAscii(Text.substr(From, Text.find('"', From) - From));
        if (Name.empty() || Name == "gui_image_dummy") continue;
        EXPECT_TRUE(Have.count(Name) || Pending.count(Name))
            << File << " names the picture \"" << Name << "\", which the data set lacks";
      }
  }
}

// Labels that the windows print at fixed places beside a value: each must end before the value
// begins (room in pixels, the widest value the place shows taken off).
TEST_F(Layouts, LabelsPrintedAtFixedPlacesEndBeforeTheirValues) {
  struct TRoom {
    std::vector<const char*> Keys;
    const char* Suffix;
    float Room;
  };
  const std::vector<TRoom> Rooms = {
      // nation selection: label at x - 170, value ("+125%") at x - 50
      {{"szStrEffect1", "szStrEffect3", "szStrEffect4", "szStrEffect5", "szStrEffect7", "szStrEffect8", "szStrEffect9",
        "szStrEffect10"}, "", 116},
      // unit building: labels at 24 and 179, values ("450") right-aligned at 146 and 301
      {{"szStrBuildCost", "szStrBuildTime", "szStrMaintenanceConst", "szStrUnitHealth", "szStrUnitAttackGround",
        "szStrUnitDefenseGround", "szStrUnitAttackAir", "szStrUnitDefenseAir"}, "", 90},
      // construction: labels at 24, values right-aligned at 116 ("450" and "12")
      {{"szStrBuildCost"}, "", 61},
      {{"szStrBuildTime"}, "", 70},
      // staff market: labels at 100 followed by " :", gauges and amounts at 180
      {{"szStrStaffScientistAttMilitary", "szStrStaffScientistAttCivil", "szStrStaffWages", "szStrStaffHireCost",
        "szStrStaffGeneralAttAttack", "szStrStaffGeneralAttDefense", "szStrStaffGeneralAttMovement",
        "szStrStaffSpyAttEspionage", "szStrStaffSpyAttSabotage", "szStrStaffSpyAttHiding"}, " :", 78},
  };
  TXMLDocument Texts;
  Services->Files.LoadXML("data\\XML\\localization.xml", Texts);
  for (const char* Lang : {"GER", "ENG"})
    for (const TRoom& R : Rooms)
      for (const char* Key : R.Keys) {
        const std::string Text = Texts.Root().Child(Key).AttributeOr(Lang, "") + R.Suffix;
        // One pixel to spare: the last glyph's advance ends in its own empty side bearing.
        EXPECT_LE(Services->TextWidth(Text), R.Room + 1) << Lang << " " << Key << " \"" << Text << "\"";
      }
}

// The hint of a cursor mode follows the mouse, 7 pixels right of it and 12 wider than its first
// line: the lines are short enough that the hint stays whole with the mouse two thirds across
// the narrowest GUI screen (640 of 960), wherever on the globe the player points.
TEST_F(Layouts, TheCursorModeHintsStayOnTheNarrowestScreenRightOfTheGlobesMiddle) {
  TXMLDocument Texts;
  Services->Files.LoadXML("data\\XML\\localization.xml", Texts);
  for (const char* Lang : {"GER", "ENG"})
    for (const char* Key : {"szHintStationDivision", "szHintMoveDivision", "szHintInfiltrateRegion", "szHintExitWithEscape"}) {
      const std::string Text = Texts.Root().Child(Key).AttributeOr(Lang, "");
      EXPECT_FALSE(Text.empty()) << Lang << " " << Key;
      EXPECT_LE(640 + 7 + Services->TextWidth(Text) + 12, 960.0f) << Lang << " " << Key << " \"" << Text << "\"";
    }
}

// The names of buildings, units and technologies fit the narrowest list that shows them with an
// icon (300 wide: 9 + 15 before the text, 25 for the scroll bar).
TEST_F(Layouts, TheNamesTheListsShowFitThem) {
  for (const auto& [File, Element] : std::vector<std::pair<std::string, std::string>>{
           {"buildings.xml", "building"}, {"units.xml", "unit"}, {"technologies.xml", "technology"}}) {
    TXMLDocument Doc;
    Services->Files.LoadXML("data\\XML\\" + File, Doc);
    int Names = 0;
    std::function<void(const TXMLNode&)> Walk = [&](const TXMLNode& N) {
      if (N.Name() == Element)
        for (const auto& [Attr, Value] : N.Attributes())
          if (Attr.rfind("name", 0) == 0) {
            ++Names;
            EXPECT_LE(9 + 15 + Services->TextWidth(Value), 300 - 25) << File << " \"" << Value << "\"";
          }
      for (const TXMLNode& C : N.Children()) Walk(C);
    };
    Walk(Doc.Root());
    EXPECT_GT(Names, 10) << File;
  }
}

TEST_F(Layouts, TheTextsTheWindowsReadExistInBothLanguages) {
  // The global project's information text, one per language.
  for (const std::string& Lang : kLanguages) {
    auto Text = Services->Files.ReadFile("data\\phase1info_" + Lang + ".txt");
    ASSERT_TRUE(Text) << Lang;
    EXPECT_GT(Text->size(), 200u);
  }
  // Each nation's description and history hold a section per language.
  TXMLDocument Nations;
  Services->Files.LoadXML("data\\xml\\nationinfo.xml", Nations);
  int Count = 0;
  for (const TXMLNode& Nation : Nations.Root().Children()) {
    ++Count;
    for (const char* Element : {"description", "history"}) {
      const std::string Text = Nation.Child(Element).Text();
      for (const char* Section : {"#GER", "#ENG"}) EXPECT_NE(Text.find(Section), std::string::npos) << Element << " " << Count;
    }
  }
  EXPECT_EQ(Count, 5);
  // The nation selection slants the memo's first ten rows up to 80 pixels to the right, so the
  // texts it shows come in lines short enough to stay inside it.
  TGameGUIs G = LoadGameGUIs("eng", 1024);
  const float Room = static_cast<float>(G.NationSelect->Windows[0]->GetGUIItemByID("memonationhistory").Width - 35 - 80);
  for (const TXMLNode& Nation : Nations.Root().Children())
    for (const char* Element : {"description", "history"})
      for (const std::string& Line : Split(Nation.Child(Element).Text(), '\n'))
        EXPECT_LE(Services->TextWidth(Line), Room) << Element << ": \"" << Line << "\"";
  // The developer window fills regions with these buildings, found by their name in the
  // current language.
  const std::string Buildings = ReadTestFile(BuildFile("data/XML/buildings.xml"));
  const std::vector<std::pair<std::string, std::string>> Fill = {
      {"Kernkraftwerk", "Nuclear Power Station"}, {"Roboterwerk", "Robot Works"}, {"Forschungslabor", "Research Laboratory"},
      {"Waffenlabor", "Weapons Laboratory"},      {"Arkologie", "Arcology"}};
  for (const auto& [Ger, Eng] : Fill)
    EXPECT_NE(Buildings.find("nameger=\"" + Ger + "\" nameeng=\"" + Eng + "\""), std::string::npos) << Ger;
}

}  // namespace
