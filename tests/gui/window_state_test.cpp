// Window states in savegames: what is written, and that loading restores positions, visibility
// and stacking, skipping message boxes, unknown windows and unreadable values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/window_state.h"
#include "platform/xml_document.h"
#include "window_fixture.h"

namespace {

class WindowStateTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    for (const char* Name : {"science", "military", "messagedlg_ext"})
      GUI->AddWindow(Name, "", Name, TVector3{}, 300, 200, {}, {}, [this, Name] { Shown.push_back(Name); });
  }
  std::string Save() {
    TXMLDocument Doc;
    SaveWindowStates(*GUI, Doc.CreateRoot("windowstates"));
    return Doc.SaveToString();
  }
  void Load(const std::string& Text) {
    TXMLDocument Doc;
    Doc.LoadFromMemory(Text.data(), Text.size(), "save.xml");
    GUI->HideAllWindows();
    LoadWindowStates(*GUI, Doc.Root());
  }
  std::vector<std::string> Shown;
};

TEST_F(WindowStateTest, EveryWindowIsWrittenInManagerOrder) {
  TGLWindow& Science = *GUI->GetWindow("science");
  GUI->OpenWindow("science");
  Science.X = 212;
  Science.Y = 96;
  Science.Z = 3;
  const std::string Text = Save();
  EXPECT_NE(Text.find(R"(<windowstate name="GUIWindow" position.x="0.000" position.y="0.000" position.z="1.000" visible="True" />)"),
            std::string::npos)
      << Text;
  EXPECT_NE(Text.find(R"(<windowstate name="science" position.x="212.000" position.y="96.000" position.z="3.000" visible="True" />)"),
            std::string::npos);
  // Hidden windows are written too (message boxes included) and take part in the renumbering.
  EXPECT_NE(Text.find(R"(<windowstate name="messagedlg_ext" position.x="0.000" position.y="0.000" position.z="1.000" visible="False" />)"),
            std::string::npos);
  EXPECT_LT(Text.find("GUIWindow"), Text.find("science"));
  EXPECT_LT(Text.find("science"), Text.find("military"));
}

TEST_F(WindowStateTest, LoadingRestoresPositionsVisibilityAndOrder) {
  GUI->OpenWindow("science");
  GUI->OpenWindow("military");
  GUI->OpenWindow("messagedlg_ext");
  GUI->GetWindow("science")->X = 212;
  GUI->GetWindow("military")->X = 40;
  const std::string Text = Save();
  Services->Sounds.clear();
  Shown.clear();
  GUI->GetWindow("science")->X = 0;
  Load(Text);
  EXPECT_EQ(GUI->GetWindow("science")->X, 212.0f);
  EXPECT_TRUE(GUI->GetWindow("science")->Visible);
  EXPECT_TRUE(GUI->Windows[0]->Visible);
  EXPECT_FALSE(GUI->GetWindow("messagedlg_ext")->Visible);  // message boxes are never restored
  EXPECT_TRUE(Services->Sounds.empty());  // already marked visible: no opening sound
  EXPECT_EQ(Shown, (std::vector<std::string>{"science", "military"}));
  // The document order decides the stacking: the last visible element ends in front.
  EXPECT_LT(GUI->Windows[0]->Z, GUI->GetWindow("science")->Z);
  EXPECT_LT(GUI->GetWindow("science")->Z, GUI->GetWindow("military")->Z);
  Load(R"(<windowstates>
<windowstate name="military" position.x="1" position.y="2" position.z="9" visible="true"/>
<windowstate name="science" position.x="1" position.y="2" position.z="1" visible="1"/>
</windowstates>)");
  EXPECT_GT(GUI->GetWindow("science")->Z, GUI->GetWindow("military")->Z);
  EXPECT_FALSE(GUI->Windows[0]->Visible);  // no element: stays hidden
}

TEST_F(WindowStateTest, UnknownWindowsAndBadValuesAreSkippedWithALogLine) {
  Load(R"(<windowstates>
<windowstate name="oldwindow" position.x="1" position.y="2" position.z="3" visible="True"/>
<windowstate name="science" position.x="1,5" position.y="2" position.z="3" visible="True"/>
<windowstate name="military" position.x="5" position.y="6" position.z="3" visible="maybe"/>
<windowstate name="messagedlg" position.x="5" position.y="6" position.z="3" visible="True"/>
</windowstates>)");
  EXPECT_FALSE(GUI->GetWindow("science")->Visible);
  EXPECT_EQ(GUI->GetWindow("science")->X, 0.0f);
  EXPECT_FALSE(GUI->GetWindow("military")->Visible);
  ASSERT_EQ(Log.Lines().size(), 3u);
  EXPECT_EQ(Log.Lines()[0], "TGLWindow->LoadState->\"save.xml\" line 2, element <windowstate>: no window is named "
                            "\"oldwindow\"; window state skipped");
  EXPECT_NE(Log.Lines()[1].find("\"science\""), std::string::npos);
  EXPECT_NE(Log.Lines()[2].find("line 4"), std::string::npos);
}

TEST_F(WindowStateTest, RestoredWindowsStayWithinReach) {
  Load(R"(<windowstates><windowstate name="science" position.x="1500" position.y="-300" position.z="1" visible="True"/></windowstates>)");
  EXPECT_EQ(GUI->GetWindow("science")->X, 1024.0f - 16.0f);
  EXPECT_EQ(GUI->GetWindow("science")->Y, -16.0f);
}

}  // namespace
