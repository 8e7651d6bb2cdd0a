#include <gtest/gtest.h>

#include <cmath>

#include "savegame_fixture.h"
#include "world/statistics.h"

namespace {
class Statistics : public SavegameFixture {
protected:
  std::string Saved() {
    return SavedText([&](TXMLNode N) { gStatisticServer->SaveToXML(N); }, "statistics");
  }
  std::string Load(const std::string& Text) {
    auto Document = XMLFromText(Text, "savegame.xml");
    return DataErrorOf([&] { gStatisticServer->LoadFromXML(Document->Root()); });
  }
  const TSingleList& Score(std::size_t Nation) { return gStatisticServer->FindSet("score")->Values[Nation]; }
};
}  // namespace

TEST_F(Statistics, InitFillsEveryEntryAndUpdateShiftsTheHistory) {
  Nation(2).Score = 5;
  gStatisticServer->Init();
  ASSERT_EQ(gStatisticServer->Names.size(), 8u);
  EXPECT_EQ(gStatisticServer->Names[0], "averageloyality");
  EXPECT_EQ(gStatisticServer->Names[7], "score");
  EXPECT_EQ(Score(2), TSingleList(100, 5.0f));
  // Nation 0 owns regions 0 and 1 of the fixture.
  EXPECT_EQ(gStatisticServer->FindSet("numregions")->Values[0][99], 2.0f);
  for (float Value : {10.0f, 20.0f, 30.0f}) {
    Nation(2).Score = static_cast<std::int32_t>(Value);
    gStatisticServer->Update();
  }
  ASSERT_EQ(Score(2).size(), 100u);
  EXPECT_EQ(Score(2)[0], 30.0f);
  EXPECT_EQ(Score(2)[1], 20.0f);
  EXPECT_EQ(Score(2)[2], 10.0f);
  EXPECT_EQ(Score(2)[3], 5.0f);
  EXPECT_EQ(Score(2)[99], 5.0f);
  EXPECT_EQ(gStatisticServer->FindSet("nosuchstat"), nullptr);
}

TEST_F(Statistics, SaveWritesEverySetByNameAndLoadTakesThemByPosition) {
  Nation(1).Score = 40;
  gStatisticServer->Update();
  Nation(1).Ressources = 0.1f;
  gStatisticServer->Update();
  const std::string Text = Saved();
  EXPECT_NE(Text.find("<statistics>\n  <averageloyality>\n    <nation0>\n      <stat value=\"0.75\" />"), std::string::npos)
      << Text.substr(0, 200);
  EXPECT_NE(Text.find("<ressources>\n    <nation0>"), std::string::npos);
  EXPECT_NE(Text.find("<stat value=\"0.1\" />"), std::string::npos);
  const auto Saved0 = gStatisticServer->Sets[1]->Values;

  // Other element names in the same order load the same values.
  std::string Renamed = Text;
  for (std::size_t At = Renamed.find("nation"); At != std::string::npos; At = Renamed.find("nation", At + 1))
    Renamed.replace(At, 6, "nxtion");
  gStatisticServer->Init();
  EXPECT_NE(gStatisticServer->Sets[1]->Values, Saved0);
  ASSERT_EQ(Load(Renamed), "");
  EXPECT_EQ(gStatisticServer->Sets[1]->Values, Saved0);
  EXPECT_EQ(Score(1)[1], 40.0f);
  EXPECT_EQ(Saved(), Text);
}

TEST_F(Statistics, AShortOrBrokenHistoryIsRefusedAndChangesNothing) {
  const std::string Good = Saved();
  Nation(0).Score = 77;
  gStatisticServer->Update();
  const std::string Before = Saved();
  std::string Short = Good;
  Short.erase(Short.rfind("<stat "), Short.find("\n", Short.rfind("<stat ")) - Short.rfind("<stat ") + 1);
  std::string Message = Load(Short);
  EXPECT_NE(Message.find("TStatisticServer->LoadFromXML->\"savegame.xml\" line "), std::string::npos) << Message;
  EXPECT_NE(Message.find("99 stat elements, expected 100"), std::string::npos) << Message;
  std::string Bad = Good;
  Bad.replace(Bad.rfind("value=\"0\""), 9, "value=\"x\"");
  Message = Load(Bad);
  EXPECT_NE(Message.find("attribute \"value\" has the value \"x\""), std::string::npos) << Message;
  EXPECT_EQ(Load("<statistics><averageloyality/></statistics>").find("1 statistic elements, expected 8") != std::string::npos, true);
  EXPECT_EQ(Saved(), Before);
}

TEST_F(Statistics, ChartGeometryPutsTheOldestLeftAndScalesBetweenMinAndMax) {
  TStatisticSet Set("score");  // every nation at 0: a flat line at the bottom, range 1
  TMapColors Colors{};
  Colors[3] = {255, 128, 0};
  TStatisticChart Flat = ComputeStatisticChart(Set, 400.0f, 200.0f, Colors);
  EXPECT_EQ(Flat.Min, 0.0f);
  EXPECT_EQ(Flat.Max, 1.0f);
  EXPECT_EQ(Flat.Range, 1.0f);
  for (std::size_t j = 0; j < 100; ++j) {
    EXPECT_EQ(Flat.Points[0][j].Y, 200.0f);
    EXPECT_EQ(Flat.Points[0][j].X, 4.0f * static_cast<float>(j));
    EXPECT_EQ(Flat.Points[0][j].Z, 0.2f);
  }
  EXPECT_FLOAT_EQ(Flat.Colors[3][0].X, 0.5f);
  EXPECT_FLOAT_EQ(Flat.Colors[3][99].X, 255.0f / 510.0f * 1.99f);
  EXPECT_FLOAT_EQ(Flat.Colors[3][0].Y, 128.0f / 510.0f);
  EXPECT_EQ(Flat.Colors[3][50].Z, 0.0f);

  Set.Values[1][0] = 30.0f;   // newest
  Set.Values[1][99] = -10.0f;  // oldest
  TStatisticChart Chart = ComputeStatisticChart(Set, 400.0f, 200.0f, Colors);
  EXPECT_EQ(Chart.Min, -10.0f);
  EXPECT_EQ(Chart.Max, 30.0f);
  EXPECT_EQ(Chart.Range, 40.0f);
  EXPECT_EQ(Chart.Points[1][0].Y, 200.0f);   // the oldest at the left, at the bottom
  EXPECT_EQ(Chart.Points[1][99].Y, 0.0f);    // the newest at the right, at the top
  EXPECT_EQ(Chart.Points[1][99].X, 396.0f);
  EXPECT_EQ(Chart.Points[0][50].Y, 150.0f);  // 0 is a quarter of the way up
  EXPECT_EQ(Chart.Newest[1], 30.0f);
  // The newest values stand at the right edge, 6 above their points, whatever their neighbours.
  EXPECT_EQ(Chart.NewestLabel[1].X, 400.0f);
  EXPECT_EQ(Chart.NewestLabel[1].Y, -6.0f);
  EXPECT_EQ(Chart.NewestLabel[1].Z, 0.0f);
  for (std::size_t n : {0u, 2u, 3u, 4u}) EXPECT_EQ(Chart.NewestLabel[n].Y, 144.0f) << n;
  Set.Values[2][0] = -10.0f;
  EXPECT_EQ(ComputeStatisticChart(Set, 400.0f, 220.0f, Colors).NewestLabel[2].Y, 214.0f);
}

TEST_F(Statistics, ValueTextsAndLegendRows) {
  EXPECT_EQ(ChartValueText(0.0f), "0.00");
  EXPECT_EQ(ChartValueText(12.5f), "12.50");
  EXPECT_EQ(ChartValueText(-3.14159f), "-3.14");
  EXPECT_EQ(ChartValueText(12345.678f), "12345.70");  // six significant digits first
  EXPECT_EQ(ChartValueText(2.0e7f), "2.00000E+007");
  const TLegendRow Row = ComputeLegendRow(2, 120.0f);
  EXPECT_EQ(Row.Size, 20.0f);
  EXPECT_EQ(Row.Top, 48.0f);
  EXPECT_EQ(Row.Bottom, 68.0f);
}
