// Window-definition files: every element and attribute, defaults, alignment, on-demand images,
// the errors a broken file gives and that a broken file leaves nothing half-built.
#include <gtest/gtest.h>

#include <string>

#include "gui/button.h"
#include "gui/check_box.h"
#include "gui/drop_down.h"
#include "gui/edit.h"
#include "gui/image.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "gui/panel.h"
#include "gui/skinned_control.h"
#include "gui/text.h"
#include "gui/track_bar.h"
#include "platform/errors.h"
#include "window_fixture.h"

namespace {

const char* kEveryKind = R"(<?xml version="1.0" encoding="ISO-8859-1"?>
<window caption="Forschung" icon="icon_science" name="science" x="212" y="96" width="500" height="400">
  <panel x="0" y="27" z="0.1" width="500" height="373" innerbevel="false" border="false" ID="panel_back"/>
  <checkbox x="10" y="40" z="0.2" width="20" height="20" caption="Sound" checked="TRUE" ID="check_sound"/>
  <dropdown x="10" y="70" z="0.3" width="150" height="24" ID="dropdown_stat">
    <item caption="First" name="first" icon=""/>
    <!-- a comment between rows -->
    <item caption="Second" name="second" icon="icon_b"/>
  </dropdown>
  <memo x="10" y="100" z="0.2" width="200" height="100" text="line one&#10;line two" ID="memo_info"/>
  <text x="10" y="210" z="0.2" caption="Header" visible="1" isheader="true" width="180" ID="text_header"/>
  <trackbar x="10" y="240" z="5" width="200" min="0" max="100" progress="40" usegradient="false" ID="trackbar_speed"/>
  <listbox x="220" y="40" z="0.2" width="200" height="150" ID="listbox_tech">
    <item caption="Agriculture" name="tech_agri" icon=""/>
  </listbox>
  <image x="220" y="200" z="0.2" width="64" height="64" image="gui_image_dummy" ID="image_preview"/>
  <edit x="220" y="270" z="0.2" text="Name" ID="edit_name" width="150" height="28" digitsonly="1"/>
  <button x="220" y="320" z="0.3" caption="Start" icon="" name="research_startresearch"/>
  <button x="330" y="320" z="0.3" caption="Stop" icon="" name="research_stop" width="140"/>
  <skinned x="0" y="0" z="0.5" width="300" height="200" image="skin_plate" halign="left" valign="top" ID="skin_nav">
    <part type="circle" x="50" y="60" z="0.1" width="40" height="40" name="nav_globe" image="hover_globe" radius="20.5" scaleto="120"/>
    <part type="polygon" x="150" y="60" z="0.1" width="60" height="30" name="nav_map" image="hover_map" scaleto="110">
      <point x="120" y="50"/><point x="180" y="50.4"/><point x="180" y="70.5"/>
    </part>
  </skinned>
</window>
)";

class WindowLoaderTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    Services->Textures["skin_plate"] = 3;
    Services->Textures["hover_globe"] = 4;
    Services->Textures["hover_map"] = 5;
  }
  TGLWindow& LoadWindow(const std::string& Text, const std::string& File = "data\\xml\\lang_eng\\w.xml") {
    AddFile(File, Text);
    EXPECT_TRUE(GUI->AddWindowFromXML(File));
    return *GUI->Windows.back();
  }
  // The message of the error that loading Text as a window gives.
  std::string LoadError(const std::string& Text) {
    AddFile("bad.xml", Text);
    const std::size_t Before = GUI->Windows.size();
    try {
      GUI->AddWindowFromXML("bad.xml");
    } catch (const ETarnovaError& E) {
      EXPECT_EQ(GUI->Windows.size(), Before);
      return E.what();
    }
    return "no error";
  }
  static std::string Window(const std::string& Body, const std::string& Root =
                                                         R"(caption="c" icon="" name="w" x="0" y="0" width="300" height="200")") {
    return "<window " + Root + ">\n" + Body + "\n</window>";
  }
};

TEST_F(WindowLoaderTest, AWindowLoadsWithEveryControlKind) {
  TGLWindow& W = LoadWindow(kEveryKind, "data\\xml\\lang_ger\\science.xml");
  EXPECT_EQ(W.Name, "science");
  EXPECT_EQ(W.Caption, "Forschung");
  EXPECT_EQ(W.Icon, "icon_science");
  EXPECT_EQ(W.X, 212.0f);
  EXPECT_EQ(W.Y, 96.0f);
  EXPECT_EQ(W.Width, 500);
  EXPECT_EQ(W.Height, 400);
  EXPECT_EQ(W.DefinitionFile, "science.xml");
  EXPECT_FALSE(W.Visible);
  EXPECT_FALSE(W.Centered);
  ASSERT_EQ(W.Items.size(), 12u);

  auto& Panel = W.GetItem<TGLPanel>("panel_back");
  EXPECT_FALSE(Panel.Border);
  EXPECT_EQ(Panel.Position.Z, 0.1f);
  EXPECT_TRUE(W.GetItem<TGLCheckbox>("check_sound").Checked);
  auto& Drop = W.GetItem<TGLDropDown>("dropdown_stat");
  ASSERT_EQ(Drop.Items.size(), 2u);
  EXPECT_EQ(Drop.Items[1].ID, "second");
  EXPECT_EQ(Drop.Items[1].Icon, "icon_b");
  auto& Memo = W.GetItem<TGLMemo>("memo_info");
  EXPECT_EQ(Memo.Lines, (std::vector<std::string>{"line one", "line two"}));
  EXPECT_TRUE(Memo.Visible);
  EXPECT_TRUE(Memo.Border);
  auto& Header = W.GetItem<TGLText>("text_header");
  EXPECT_TRUE(Header.IsHeader);
  EXPECT_EQ(Header.Width, 180);
  EXPECT_EQ(Header.Text, "Header");
  auto& Bar = W.GetItem<TGLTrackBar>("trackbar_speed");
  EXPECT_EQ(Bar.Position.Z, 0.0f);
  EXPECT_EQ(Bar.Progress, 40);
  EXPECT_EQ(Bar.Height, 0);
  auto& List = W.GetItem<TGLListBox>("listbox_tech");
  ASSERT_EQ(List.Items.size(), 1u);
  EXPECT_EQ(List.Items[0].Color.Y, 1.0f);
  auto& Image = W.GetItem<TGLImage>("image_preview");
  EXPECT_EQ(Image.Position.X, 220.0f);
  EXPECT_EQ(Image.Position.Y, 200.0f);
  auto& Edit = W.GetItem<TGLEdit>("edit_name");
  EXPECT_EQ(Edit.Width, 150);
  EXPECT_EQ(Edit.Height, 28);
  EXPECT_TRUE(Edit.Border);
  EXPECT_TRUE(Edit.DigitsOnly);
  auto& Start = static_cast<TGLButton&>(W.GetGLGUIItem(0, "button"));
  EXPECT_EQ(Start.Name, "research_startresearch");
  EXPECT_EQ(Start.Width, 100);
  EXPECT_EQ(Start.Height, 26);
  auto& Stop = static_cast<TGLButton&>(W.GetGLGUIItem(1, "button"));
  EXPECT_EQ(Stop.Width, 140);
  EXPECT_EQ(Stop.Height, 26);
  auto& Skin = W.GetItem<TGLSkinnedControl>("skin_nav");
  EXPECT_EQ(Skin.Window, &W);
  EXPECT_EQ(Skin.Alpha, 1.0f);
  ASSERT_EQ(Skin.Parts.size(), 2u);
  EXPECT_EQ(Skin.Parts[0]->Shape, "circle");
  EXPECT_EQ(Skin.Parts[0]->Radius, 20.5f);
  EXPECT_EQ(Skin.Parts[1]->Shape, "polygon");
  EXPECT_EQ(Skin.Parts[1]->Polygon.size(), 3u);
  EXPECT_EQ(Skin.Parts[1]->Polygon[2].Y, 70);  // 70.5 to even
  // Every visible item shows at full opacity at once.
  for (const auto& Item : W.Items) {
    if (Item->Visible) {
      EXPECT_EQ(Item->Alpha, 1.0f);
    }
  }
  // No image was looked for: "gui_image_dummy" never is.
  EXPECT_TRUE(Services->Loaded.empty());
}

TEST_F(WindowLoaderTest, CentredWindowsSitInTheMiddleOfTheGUIScreen) {
  GUI->ScreenWidth = 1229;
  TGLWindow& W = LoadWindow(Window("", R"(caption="c" icon="" name="w" x="5" y="5" width="301" height="200" position="centered")"));
  EXPECT_TRUE(W.Centered);
  EXPECT_EQ(W.X, 464.0f);  // 614.5 - 150.5 = 464
  EXPECT_EQ(W.Y, 284.0f);
}

TEST_F(WindowLoaderTest, RightAlignedItemsFollowAWideScreen) {
  const std::string Body = R"(<button x="900" y="0" z="0" caption="b" icon="" name="b" widescreenalign="right"/>
<skinned x="10" y="0" z="0" width="300" height="50" image="skin_plate" halign="left" valign="top" widescreenalign="right"/>
<skinned x="10" y="0" z="0" width="1300" height="50" image="skin_plate" halign="left" valign="top" widescreenalign="right"/>)";
  gGUIScreenWidth = 1229;
  TGLWindow& Wide = LoadWindow(Window(Body), "wide.xml");
  EXPECT_EQ(Wide.Items[0]->Position.X, 1105.0f);
  EXPECT_EQ(Wide.Items[1]->Position.X, 929.0f);
  EXPECT_EQ(Wide.Items[2]->Position.X, 10.0f);
  gGUIScreenWidth = 1024;
  TGLWindow& Narrow = LoadWindow(Window(Body, R"(caption="c" icon="" name="n" x="0" y="0" width="300" height="200")"),
                                 "narrow.xml");
  EXPECT_EQ(Narrow.Items[0]->Position.X, 900.0f);
}

TEST_F(WindowLoaderTest, OnDemandImagesAreLookedForUntilFound) {
  const std::string Body = R"(<image x="0" y="0" z="0" width="10" height="10" image="portrait"/>
<image x="0" y="0" z="0" width="10" height="10" image="portrait" visible="false"/>)";
  TGLWindow& First = LoadWindow(Window(Body), "a.xml");
  EXPECT_TRUE(Services->Loaded.empty());  // nowhere to be found, twice
  EXPECT_FALSE(First.Items[1]->Visible);
  AddFile("data\\tex\\ondemand\\nocompression\\portrait.jpg", "bytes");
  LoadWindow(Window(Body, R"(caption="c" icon="" name="w2" x="0" y="0" width="300" height="200")"), "b.xml");
  EXPECT_EQ(Services->Loaded, (std::vector<std::string>{"data\\tex\\ondemand\\nocompression\\portrait.jpg"}));
}

TEST_F(WindowLoaderTest, LoadFromFileTwiceDoublesTheItems) {
  TGLWindow& W = LoadWindow(Window(R"(<button x="0" y="0" z="0" caption="b" icon="" name="b"/>)"));
  W.LoadFromFile("data\\xml\\lang_eng\\w.xml");
  EXPECT_EQ(W.Items.size(), 2u);
}

TEST_F(WindowLoaderTest, ScreenLayoutsGoIntoTheBaseWindow) {
  AddFile("data\\XML\\UI_EarthView.xml", R"(<screen><button x="10" y="700" z="0" caption="" icon="" name="hud_next_round"/></screen>)");
  GUI->LoadUIFromXML("data\\XML\\UI_EarthView.xml");
  TGLWindow& Base = *GUI->Windows[0];
  EXPECT_EQ(Base.Items.size(), 4u);
  EXPECT_EQ(Base.Name, "GUIWindow");
  EXPECT_EQ(Base.DefinitionFile, "UI_EarthView.xml");
  AddFile("other_root.xml", R"(<screen/>)");
  EXPECT_FALSE(GUI->AddWindowFromXML("other_root.xml"));
  EXPECT_EQ(GUI->Windows.size(), 1u);
  // Refused without a word: loading window files writes nothing to the log.
  EXPECT_TRUE(Log.Lines().empty());
}

TEST_F(WindowLoaderTest, BrokenFilesNameTheFileTheLineAndTheElement) {
  EXPECT_EQ(LoadError(Window("<button x=\"1,5\" y=\"0\" z=\"0\" caption=\"\" icon=\"\" name=\"b\"/>")),
            "TGLWindow->LoadFromXML->\"bad.xml\" line 2, element <button>: attribute \"x\" is \"1,5\", expected a "
            "number with \".\" as decimal separator");
  EXPECT_EQ(LoadError(Window("<panel x=\"0\" y=\"0\" z=\"0\" width=\"10\" height=\"10\"/>")),
            "\"bad.xml\" line 2, element <panel>: attribute \"innerbevel\" is missing");
  EXPECT_EQ(LoadError(Window("<text x=\"0\" y=\"0\" z=\"0\" caption=\"no visible\"/>")),
            "\"bad.xml\" line 2, element <text>: attribute \"visible\" is missing");
  EXPECT_NE(LoadError(Window("<panel x=\"0\" y=\"0\" z=\"0\" width=\"-1\" height=\"10\" innerbevel=\"false\"/>"))
                .find("attribute \"width\" is \"-1\""),
            std::string::npos);
  EXPECT_NE(LoadError(Window("<button x=\"0\" y=\"0\" z=\"0\" caption=\"\" icon=\"\" name=\"b\" height=\"-26\"/>"))
                .find("attribute \"height\" is \"-26\""),
            std::string::npos);
  EXPECT_NE(LoadError(Window("<edit x=\"0\" y=\"0\" z=\"0\" text=\"\" ID=\"e\" width=\"1O\" height=\"10\"/>"))
                .find("expected a whole number"),
            std::string::npos);
  EXPECT_NE(LoadError(Window("<checkbox x=\"0\" y=\"0\" z=\"0\" width=\"1\" height=\"1\" caption=\"\" checked=\"yes\"/>"))
                .find("expected true, false or a number"),
            std::string::npos);
  EXPECT_NE(LoadError(Window("<trackbar x=\"0\" y=\"0\" width=\"100\" min=\"5\" max=\"5\" progress=\"5\" usegradient=\"0\"/>"))
                .find("\"min\" and \"max\" are equal"),
            std::string::npos);
  EXPECT_NE(LoadError(Window("<trackbar x=\"0\" y=\"0\" width=\"0\" min=\"0\" max=\"5\" progress=\"5\" usegradient=\"0\"/>"))
                .find("element <trackbar>"),
            std::string::npos);
  EXPECT_NE(LoadError(Window("<button x=\"0\" y=\"0\" z=\"0\"")).find("bad.xml"), std::string::npos);
  EXPECT_EQ(LoadError(Window("", R"(caption="c" icon="" name="w" x="0" y="0" width="300")")),
            "\"bad.xml\" line 1, element <window>: attribute \"height\" is missing");
  EXPECT_EQ(LoadError(Window(R"(<skinned x="0" y="0" z="0" width="10" height="10" image="nowhere" halign="left" valign="top"/>)")),
            "TGLWindow->LoadFromXML->\"bad.xml\" line 2, element <skinned>: TGLSkinnedControl->Create->Picture "
            "\"nowhere\" not found");
}

TEST_F(WindowLoaderTest, NamesUsedTwiceAreErrorsInTestsAndTheFirstOneCountsInTheGame) {
  const std::string Twice = Window(R"(<button x="0" y="0" z="0" caption="" icon="" name="a" ID="button_a"/>
<memo x="0" y="40" z="0" width="100" height="60" ID="BUTTON_A"/>
<edit x="0" y="120" z="0" text="x" ID="button_a" width="80" height="20"/>)",
                                   R"(caption="c" icon="" name="twice" x="0" y="0" width="300" height="200")");
  EXPECT_NE(LoadError(Twice).find("line 3, element <memo>: ID \"BUTTON_A\" is used twice"), std::string::npos);
  LoadWindow(Window(""));
  EXPECT_NE(LoadError(Window("")).find("a window named \"w\" exists already"), std::string::npos);

  // The game takes both: every item is made, and lookups find the first of the name.
  gStrictWindowDefinitions = false;
  AddFile("twice.xml", Twice);
  ASSERT_TRUE(GUI->AddWindowFromXML("twice.xml"));
  TGLWindow& W = *GUI->Windows.back();
  ASSERT_EQ(W.Items.size(), 3u);
  EXPECT_EQ(&W.GetGUIItemByID("button_a"), W.Items[0].get());
  EXPECT_EQ(&W.GetItem<TGLButton>("BUTTON_A"), W.Items[0].get());
  // Asking for the second one's class under the shared ID is the lookup's error, not a cast.
  EXPECT_THROW(W.GetItem<TGLMemo>("button_a"), ETarnovaError);
  EXPECT_THROW(W.GetItem<TGLEdit>("button_a"), ETarnovaError);
  // The items work as any others: the edit takes the focus and keys; the language reload keeps
  // all three and lets go of the focus.
  GUI->OpenWindow(W.Name);
  MouseAt(static_cast<int>(W.X) + 10, static_cast<int>(W.Y) + 125);
  GUI->Click();
  EXPECT_EQ(gFocusedEdit, W.Items[2].get());
  W.ReloadFromFile("twice.xml");
  EXPECT_EQ(W.Items.size(), 3u);
  EXPECT_EQ(gFocusedEdit, nullptr);

  // A second window of a name already taken is added; lookups find the first.
  TGLWindow& First = W;
  ASSERT_TRUE(GUI->AddWindowFromXML("twice.xml"));
  EXPECT_EQ(GUI->Windows.size(), 4u);
  EXPECT_EQ(GUI->GetWindow("twice"), &First);
  First.Visible = false;
  GUI->OpenWindow("twice");
  EXPECT_TRUE(First.Visible);
  EXPECT_FALSE(GUI->Windows.back()->Visible);
  GUI->CloseWindow("twice");
  EXPECT_FALSE(First.Visible);
  EXPECT_TRUE(Log.Lines().empty());
}

TEST_F(WindowLoaderTest, UnknownElementsAndAttributesAreErrorsInTestsAndPassedOverInTheGame) {
  const std::string Text = Window(R"(<button x="0" y="0" z="0" caption="" icon="" name="a" ID="first"/>
<buton x="0" y="0" ID="typo" widescreenalign="right"/>
<panel x="0" y="0" z="0" width="1" height="1" innerbevel="false" colour="red"/>
<listbox x="0" y="0" z="0" width="1" height="1"><row caption="" name="" icon=""/></listbox>
<skinned x="0" y="0" z="0" width="10" height="10" image="skin_plate" halign="left" valign="top"><part type="square"/></skinned>)");
  EXPECT_EQ(LoadError(Text), "TGLWindow->LoadFromXML->\"bad.xml\" line 3, element <buton>: unknown element");
  gStrictWindowDefinitions = false;
  gGUIScreenWidth = 1229;
  Services->Textures["skin_plate"] = 3;
  AddFile("lenient.xml", Text);
  ASSERT_TRUE(GUI->AddWindowFromXML("lenient.xml"));
  TGLWindow& W = *GUI->Windows.back();
  ASSERT_EQ(W.Items.size(), 4u);
  // The unknown element names and moves nothing: the button before it keeps its ID and place.
  EXPECT_EQ(W.Items[0]->ID, "first");
  EXPECT_EQ(W.Items[0]->Position.X, 0.0f);
  EXPECT_EQ(static_cast<TGLListBox&>(*W.Items[2]).Items.size(), 0u);
  // Nothing of it reaches the log.
  EXPECT_TRUE(Log.Lines().empty());
}

TEST_F(WindowLoaderTest, AFailedLoadLeavesTheWindowAsItWas) {
  TGLWindow& W = LoadWindow(Window(R"(<button x="0" y="0" z="0" caption="" icon="" name="a" ID="keep"/>)"));
  AddFile("broken.xml", Window(R"(<button x="0" y="0" z="0" caption="" icon="" name="b" ID="new"/>
<panel x="0" y="0" z="0" width="x" height="1" innerbevel="false"/>)",
                               R"(caption="other" icon="" name="other" x="50" y="0" width="300" height="200")"));
  EXPECT_THROW(W.LoadFromFile("broken.xml"), EDataError);
  EXPECT_THROW(W.ReloadFromFile("broken.xml"), EDataError);
  ASSERT_EQ(W.Items.size(), 1u);
  EXPECT_EQ(W.Items[0]->ID, "keep");
  EXPECT_EQ(W.Name, "w");
  EXPECT_EQ(W.DefinitionFile, "w.xml");
  EXPECT_THROW(W.LoadFromFile("missing.xml"), ETarnovaError);
}

TEST_F(WindowLoaderTest, ALanguageReloadKeepsPlaceDepthAndVisibility) {
  AddFile("data\\xml\\lang_eng\\science.xml",
          Window(R"(<button x="10" y="30" z="0" caption="Start" icon="" name="go"/>
<text x="10" y="60" z="0" caption="hidden" visible="false" ID="t"/>)",
                 R"(caption="Research" icon="" name="science" x="0" y="0" width="300" height="200")"));
  AddFile("data\\xml\\lang_ger\\science.xml",
          Window(R"(<button x="10" y="30" z="0" caption="Los" icon="" name="go" width="120"/>
<text x="10" y="60" z="0" caption="versteckt" visible="false" ID="t"/>)",
                 R"(caption="Forschung" icon="" name="science" x="0" y="0" width="340" height="200")"));
  AddFile("data\\xml\\lang_eng\\dialog.xml",
          Window("", R"(caption="Dialog" icon="" name="dialog" x="0" y="0" width="200" height="100" position="centered")"));
  AddFile("data\\xml\\lang_ger\\dialog.xml",
          Window("", R"(caption="Dialog" icon="" name="dialog" x="0" y="0" width="300" height="100" position="centered")"));
  ASSERT_TRUE(GUI->AddWindowFromXML("data\\xml\\lang_eng\\science.xml"));
  ASSERT_TRUE(GUI->AddWindowFromXML("data\\xml\\lang_eng\\dialog.xml"));
  TGLWindow& W = *GUI->GetWindow("science");
  GUI->OpenWindow("science");
  W.X = 212;
  W.Y = 96;
  const float Depth = W.Z;
  GUI->ReloadWindows("data\\xml\\lang_ger\\");
  EXPECT_EQ(W.Caption, "Forschung");
  EXPECT_EQ(W.Width, 340);
  EXPECT_EQ(W.X, 212.0f);
  EXPECT_EQ(W.Y, 96.0f);
  EXPECT_EQ(W.Z, Depth);
  EXPECT_TRUE(W.Visible);
  ASSERT_EQ(W.Items.size(), 2u);
  EXPECT_EQ(W.Items[0]->Alpha, 1.0f);  // shows at once, no waiting for a fade
  EXPECT_FALSE(W.Items[1]->Visible);
  EXPECT_EQ(static_cast<TGLButton&>(*W.Items[0]).Caption, "Los");
  // A centred window stays where it stands, whether it was moved or not.
  TGLWindow& D = *GUI->GetWindow("dialog");
  EXPECT_EQ(D.X, 412.0f);
  EXPECT_EQ(D.Width, 300);
  EXPECT_FALSE(D.Visible);
  EXPECT_EQ(GUI->Windows[0]->Items.size(), 3u);  // the base window is not reloaded
}

}  // namespace
