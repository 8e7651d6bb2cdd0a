#include "presentation/windows/transfer_market_window.h"

#include <charconv>
#include <cstdio>

#include "control/game.h"
#include "engine/engine_globals.h"
#include "engine/gl_api.h"
#include "engine/localization.h"
#include "engine/texture_manager.h"
#include "gui/button.h"
#include "gui/gui_globals.h"
#include "gui/gui_manager.h"
#include "gui/gui_services.h"
#include "gui/skinned_control.h"
#include "gui/image.h"
#include "gui/list_box.h"
#include "gui/window.h"
#include "platform/checked.h"
#include "platform/text_format.h"
#include "presentation/windows/money_format.h"
#include "presentation/windows/window_common.h"
#include "world/nation.h"
#include "world/staff.h"
#include "world/transfer_market.h"
#include "world/world_globals.h"

namespace {

TNation* Player() {
  return gPlayerNation < gNations.size() ? gNations[gPlayerNation].get() : nullptr;
}

TGLWindow* MarketWindow() { return gInGameGUI ? gInGameGUI->GetWindow("transfermarket") : nullptr; }

// The whole decimal number after Prefix at the start of ID; -1 when there is none.
std::int32_t IndexAfter(const std::string& ID, const std::string& Prefix) {
  if (ID.rfind(Prefix, 0) != 0 || ID.size() == Prefix.size()) return -1;
  std::int32_t Value = -1;
  const char* First = ID.data() + Prefix.size();
  const char* Last = ID.data() + ID.size();
  const auto [End, Error] = std::from_chars(First, Last, Value);
  return Error == std::errc() && End == Last && Value >= 0 ? Value : -1;
}

template <typename T>
T* At(std::vector<std::unique_ptr<T>>& List, std::int32_t Index) {
  return Index >= 0 && static_cast<std::size_t>(Index) < List.size() ? List[static_cast<std::size_t>(Index)].get() : nullptr;
}

struct TKind {
  const char* Plural;
  const char* FreeHeader;
  const char* FreePrefix;
  const char* PlayerHeader;
  const char* PlayerPrefix;
  const char* Icon;
};
const TKind kKinds[3] = {
    {"szStrStaffScientistPlural", "free_cat_scientists", "free_scientist_", "player_cat_scientists", "player_scientist_",
     "gui_icon_scientist"},
    {"szStrStaffGeneralPlural", "free_cat_generals", "free_general_", "player_cat_generals", "player_general_",
     "gui_icon_general"},
    {"szStrStaffSpyPlural", "free_cat_spies", "free_spy_", "player_cat_spies", "player_spy_", "gui_icon_spy"}};

template <typename T>
void AddRows(TGLListBox& List, const std::vector<std::unique_ptr<T>>& People, const TKind& Kind, bool Market) {
  if (!Market && People.empty()) return;
  List.AddItem(Localize(Kind.Plural), Market ? Kind.FreeHeader : Kind.PlayerHeader, "", std::intptr_t{0});
  if (People.empty()) List.AddItem(Localize("szStrStaffNoStaffOffers"), "", Kind.Icon, std::intptr_t{0});
  for (std::size_t i = 0; i < People.size(); ++i)
    List.AddItem(People[i]->Name, std::string(Market ? Kind.FreePrefix : Kind.PlayerPrefix) + std::to_string(i), Kind.Icon,
                 static_cast<std::intptr_t>(People[i]->Serial));
}

// A name of this window's rows: header or person rows of one list.
bool IsRowOf(const std::string& Name, const char* Side) {
  for (const TKind& K : kKinds) {
    const std::string Header = Side[0] == 'f' ? K.FreeHeader : K.PlayerHeader;
    const std::string Prefix = Side[0] == 'f' ? K.FreePrefix : K.PlayerPrefix;
    if (Name == Header || IndexAfter(Name, Prefix) >= 0) return true;
  }
  return false;
}

void SetButton(TGLWindow& Window, bool Hire) {
  auto& Button = static_cast<TGLButton&>(Window.GetGLGUIItem(0, "button"));
  Button.Caption = Localize(Hire ? "szStrStaffHire" : "szStrStaffFire");
  Button.Name = Hire ? "transfer_hire" : "transfer_fire";
  Button.Icon = Hire ? "button_staff_hire" : "button_staff_fire";
}

// Firing the spy that waits for its target region ends that choice first: the espionage window
// comes back and the globe click has no spy to send.
void CancelInfiltration(TGame& Game) {
  if (Game.CursorMode != 4) return;
  Game.CursorMode = 0;
  if (TGLWindow* Espionage = gInGameGUI->GetWindow("espionage")) {
    Espionage->X = Game.EspionageSavedWindowRect.X;
    Espionage->Y = Game.EspionageSavedWindowRect.Y;
    Espionage->Z = Game.EspionageSavedWindowRect.Z;
  }
  gInGameGUI->HideHint();
}

}  // namespace

bool TStaffRow::ShownIn(const TListItem& Row) const {
  const std::uint64_t Serial = Scientist ? Scientist->Serial : General ? General->Serial : Spy ? Spy->Serial : 0;
  return Serial != 0 && static_cast<std::uint64_t>(Row.Data) == Serial;
}

TStaffRow StaffFromRowID(const std::string& ID) {
  TStaffRow Row;
  TNation* N = Player();
  auto Take = [&](const char* Prefix, bool Market, auto Pick) {
    const std::int32_t Index = IndexAfter(ID, Prefix);
    if (Index < 0 || !Row.Empty()) return;
    Pick(Index);
    if (!Row.Empty()) {
      Row.FromMarket = Market;
      Row.Index = Index;
    }
  };
  if (gTransferMarket) {
    Take("free_scientist_", true, [&](std::int32_t i) { Row.Scientist = At(gTransferMarket->Scientists, i); });
    Take("free_general_", true, [&](std::int32_t i) { Row.General = At(gTransferMarket->Generals, i); });
    Take("free_spy_", true, [&](std::int32_t i) { Row.Spy = At(gTransferMarket->Spies, i); });
  }
  if (N) {
    Take("player_scientist_", false, [&](std::int32_t i) { Row.Scientist = At(N->Scientists, i); });
    Take("player_general_", false, [&](std::int32_t i) { Row.General = At(N->Generals, i); });
    Take("player_spy_", false, [&](std::int32_t i) { Row.Spy = At(N->Spies, i); });
  }
  return Row;
}

namespace {
// The skills as gauges in their panel rows, each under its own label, then wage and hiring cost.
template <typename T>
void AddAttributes(const T& Person, std::vector<TStaffAttribute>& Rows) {
  const std::size_t First = Rows.size();
  Rows.resize(First + StaffSkills<T>().size());
  for (const TStaffSkill<T>& Skill : StaffSkills<T>())
    At(Rows, First + static_cast<std::size_t>(Skill.PanelRow), "TransferMarketWindow->AddAttributes") =
        TStaffAttribute{Skill.LabelKey, Person.*Skill.Field, ""};
  Rows.push_back({"szStrStaffWages", -1.0f, MoneyText(Person.Wage)});
  Rows.push_back({"szStrStaffHireCost", -1.0f, MoneyText(Person.Cost)});
}
}  // namespace

std::vector<TStaffAttribute> StaffAttributes(const TStaffRow& P) {
  std::vector<TStaffAttribute> Rows;
  if (P.Scientist) AddAttributes(*P.Scientist, Rows);
  else if (P.General) AddAttributes(*P.General, Rows);
  else if (P.Spy) AddAttributes(*P.Spy, Rows);
  return Rows;
}

void TransferMarketWindow_Show(TGame&) {
  TGLWindow* Window = MarketWindow();
  TNation* N = Player();
  if (!Window || !N || !gTransferMarket) return;
  auto& Free = static_cast<TGLListBox&>(Window->GetGLGUIItem(0, "listbox"));
  auto& Staff = static_cast<TGLListBox&>(Window->GetGLGUIItem(1, "listbox"));
  Free.Clear();
  AddRows(Free, gTransferMarket->Scientists, kKinds[0], true);
  AddRows(Free, gTransferMarket->Generals, kKinds[1], true);
  AddRows(Free, gTransferMarket->Spies, kKinds[2], true);
  Staff.Clear();
  AddRows(Staff, N->Scientists, kKinds[0], false);
  AddRows(Staff, N->Generals, kKinds[1], false);
  AddRows(Staff, N->Spies, kKinds[2], false);
  // The portraits are loaded here, not while the window draws.
  const auto Load = [](const auto& People) {
    for (const auto& P : People) LoadOnDemandPicture(P->Image);
  };
  Load(gTransferMarket->Scientists), Load(gTransferMarket->Generals), Load(gTransferMarket->Spies);
  Load(N->Scientists), Load(N->Generals), Load(N->Spies);
}

void TransferMarketWindow_Refresh(TGame& Game) { TransferMarketWindow_Show(Game); }

void TransferMarketWindow_Click(TGame& Game, const std::string& Name) {
  TGLWindow* Window = MarketWindow();
  TNation* N = Player();
  if (!Window || !N) return;
  auto& Free = Window->GetItem<TGLListBox>("listbox_free");
  auto& Staff = Window->GetItem<TGLListBox>("listbox_player");
  if (IsRowOf(Name, "free")) {
    Staff.ItemIndex = -1;
    SetButton(*Window, true);
  }
  if (IsRowOf(Name, "player")) {
    Free.ItemIndex = -1;
    SetButton(*Window, false);
  }
  if (Name == "transfer_hire" && Free.ItemIndex >= 0) {
    const TStaffRow Row = StaffFromRowID(Free.GetSelectedID());
    if (Row.Empty() || !Row.FromMarket) return;
    // The row names its person by index; when the market no longer holds the person shown there,
    // nobody is hired and the lists show the market as it is.
    if (!Row.ShownIn(Free.Items[static_cast<std::size_t>(Free.ItemIndex)])) {
      TransferMarketWindow_Show(Game);
      return;
    }
    const std::string OfferName = Row.Scientist ? Row.Scientist->Name : Row.General ? Row.General->Name : Row.Spy->Name;
    const THireResult Result = Row.Scientist ? gTransferMarket->Hire<TScientist>(*N, Row.Index)
                               : Row.General ? gTransferMarket->Hire<TGeneral>(*N, Row.Index)
                                             : gTransferMarket->Hire<TSpy>(*N, Row.Index);
    if (Result == THireResult::NotEnoughRessources) {
      gInGameGUI->ShowMessageBoxExt(FormatText(Localize("szStrStaffNotEnoughRes"), {OfferName}),
                                    Localize("szStrDialogNotEnoughResTitle"), "dialog_notenoughres", true);
      return;
    }
    if (Result != THireResult::Hired) return;
    GUIServices().PlaySound("StaffHire");
    gInGameGUI->UpdateAllWindows();
  }
  if (Name == "transfer_fire" && Staff.ItemIndex >= 0) {
    const TStaffRow Row = StaffFromRowID(Staff.GetSelectedID());
    if (Row.Empty() || Row.FromMarket) return;
    if (Row.Scientist) N->RemoveScientist(Row.Index);
    if (Row.General) N->RemoveGeneral(Row.Index);
    if (Row.Spy) {
      if (Row.Spy == Game.EspionageSelectedSpy) {
        CancelInfiltration(Game);
        Game.EspionageSelectedSpy = nullptr;
      }
      N->RemoveSpy(Row.Index);
    }
    GUIServices().PlaySound("StaffFire");
    gInGameGUI->UpdateAllWindows();
  }
}

void TransferMarketWindow_Render(TGame&) {
  TGLWindow* Window = MarketWindow();
  if (!Window) return;
  auto& Free = static_cast<TGLListBox&>(Window->GetGLGUIItem(0, "listbox"));
  auto& Staff = static_cast<TGLListBox&>(Window->GetGLGUIItem(1, "listbox"));
  TStaffRow Person;
  if (Staff.ItemIndex > 0)
    Person = StaffFromRowID(Staff.GetSelectedID());
  else if (Free.ItemIndex > 0)
    Person = StaffFromRowID(Free.GetSelectedID());

  auto& Image = static_cast<TGLImage&>(Window->GetGLGUIItem(0, "image"));
  Image.Texture.clear();
  glDisable(GL_TEXTURE_2D);
  const std::string Portrait = Person.Scientist ? Person.Scientist->Image
                               : Person.General ? Person.General->Image
                               : Person.Spy     ? Person.Spy->Image
                                                : std::string();
  if (!Portrait.empty()) {
    glPushMatrix();
    glTranslatef(Window->X, Window->Y, Window->Z);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const float X = Image.Position.X, Y = Image.Position.Y, Z = Image.Position.Z;
    const float W = float(Image.Width), H = float(Image.Height);
    glColor4f(0, 0, 0, 0.5f);
    gTextureManager->DrawQuad(X, Y, Z + 0.4f, W, H);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glColor4f(237.0f / 255, 233.0f / 255, 140.0f / 255, 1.0f);
    gTextureManager->DrawQuad(X, Y, Z + 0.45f, W, H);
    glColor4f(1, 1, 1, 1);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    GUIServices().BindTexture(Portrait);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1); glVertex3f(X + 1, Y + 1, Z + 0.5f);
    glTexCoord2f(0, 0); glVertex3f(X + 1, Y + H - 1, Z + 0.5f);
    glTexCoord2f(1, 0); glVertex3f(X + W - 1, Y + H - 1, Z + 0.5f);
    glTexCoord2f(1, 1); glVertex3f(X + W - 1, Y + 1, Z + 0.5f);
    glEnd();
    glPopMatrix();
  }
  if (Person.Empty()) return;
  const TGLGUIItem& Panel = Window->GetGLGUIItem(0, "panel");
  glPushMatrix();
  glTranslatef(0.0f, 10.0f, 0.0f);
  glTranslatef(Window->X + Panel.Position.X, Window->Y + Panel.Position.Y, Window->Z + Panel.Position.Z + 0.2f);
  const std::string& Name = Person.Scientist ? Person.Scientist->Name : Person.General ? Person.General->Name : Person.Spy->Name;
  const TVector3 White{1, 1, 1};
  GUIServices().Print(Name, TVector3{100, 5, 0}, White, 1.0f, 1.2f, false, true);
  float Y = 25;
  for (const TStaffAttribute& A : StaffAttributes(Person)) {
    GUIServices().Print(Localize(A.LabelKey) + " :", TVector3{100, Y, 0}, White, 1.0f, 1.0f, false, true);
    if (A.Gauge >= 0.0f)
      DrawGauge(TVector3{180, Y + 1, 0.04f}, White, A.Gauge, 100, 13);
    else
      GUIServices().Print(A.Text, TVector3{180, Y, 0}, White, 1.0f, 1.0f, false, true);
    Y += 15;
  }
  glPopMatrix();
}

void RegisterTransferMarketWindow(TGame& Game) {
  TGLWindow* Window = MarketWindow();
  if (!Window) return;
  Window->OnRender = [&Game] { TransferMarketWindow_Render(Game); };
  Window->OnClick = [&Game](const std::string& Name) { TransferMarketWindow_Click(Game, Name); };
  Window->OnShow = [&Game] { TransferMarketWindow_Show(Game); };
}
