#include <gtest/gtest.h>

#include <vector>

#include "engine/engine_globals.h"
#include "engine/list_box_rows.h"
#include "world_fixture.h"
#include "world/round_messages.h"

namespace {
struct TRow {
  std::string Caption, ID, Icon;
  std::int32_t Data;
  bool operator==(const TRow&) const = default;
};

// Records what FillWindow writes, as the information centre's list box would show it.
class TRecordingRows : public TListBoxRows {
public:
  std::vector<TRow> Rows;
  int Clears = 0;
  void Clear() override {
    Rows.clear();
    ++Clears;
  }
  void AddItem(const std::string& Caption, const std::string& ID, const std::string& Icon,
               std::int32_t Data) override {
    Rows.push_back({Caption, ID, Icon, Data});
  }
};

class RoundMessages : public TWorldTest {
protected:
  void SetUp() override {
    TWorldTest::SetUp();
    for (int k = 0; k < 5; ++k)
      gLocalization.AddKey("szStrNewsCatName" + std::to_string(k), "Kat" + std::to_string(k),
                           "Cat" + std::to_string(k));
  }
};
}  // namespace

TEST_F(RoundMessages, EmptyListLeavesTheBoxEmpty) {
  TRecordingRows Box;
  Box.Rows.push_back({"old", "old", "", 0});
  TRoundMessageList().FillWindow(Box);
  EXPECT_EQ(Box.Clears, 1);
  EXPECT_TRUE(Box.Rows.empty());
}

TEST_F(RoundMessages, GroupsByKindWithHeadersAndKeepsListIndexes) {
  TRoundMessageList L;
  L.Add("tech", "science", -1, 2);      // 0
  L.Add("region", "regioninfo", 4, 0);  // 1
  L.Add("unit", "military", -1, 1);     // 2
  L.Add("tech 2", "science", -1, 2);    // 3
  L.Add("stray", "", -1, 7);            // 4: no such kind, left out
  L.Add("negative", "", -1, -1);        // 5: left out as well
  TRecordingRows Box;
  L.FillWindow(Box);
  const std::vector<TRow> Expected = {
      {"Cat0", "news_cat_0", "", 0},
      {"region", "roundmessage_1", "gui_icon_message", 1},
      {"Cat1", "news_cat_1", "", 0},
      {"unit", "roundmessage_2", "gui_icon_message", 2},
      {"Cat2", "news_cat_2", "", 0},
      {"tech", "roundmessage_0", "gui_icon_message", 0},
      {"tech 2", "roundmessage_3", "gui_icon_message", 3},
  };
  EXPECT_EQ(Box.Rows, Expected);
}

