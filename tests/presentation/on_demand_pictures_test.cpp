// Portraits and technology cards are loaded on demand: a missing one is looked for once, not in
// every frame that draws it.
#include <gtest/gtest.h>

#include "gui/fake_gui_services.h"
#include "gui/gui_globals.h"
#include "gui/gui_services.h"
#include "gui/skinned_control.h"
#include "presentation/windows/research_window.h"

namespace {

class TCountingServices : public THeadlessGUIServices {
public:
  int Looks = 0;
  bool FileExists(const std::string& FileName) override {
    ++Looks;
    return THeadlessGUIServices::FileExists(FileName);
  }
};

TEST(OnDemandPictures, AMissingPictureIsLookedForOnceAndAPresentOneLoadedOnce) {
  auto Owned = std::make_unique<TCountingServices>();
  TCountingServices& S = *Owned;
  auto Previous = SetGUIServices(std::move(Owned));
  gMissingPictures.clear();
  S.Files["data\\tex\\ondemand\\nocompression\\portrait_ada.png"] = "";
  S.Files["data\\tex\\ondemand\\nocompression\\technology_default.png"] = "";
  for (int Frame = 0; Frame < 5; ++Frame) {
    EXPECT_TRUE(LoadOnDemandPicture("portrait_ada"));
    EXPECT_FALSE(LoadOnDemandPicture("portrait_gone"));
    EXPECT_EQ(TechnologyPicture("technology_lost"), "technology_default");
  }
  EXPECT_EQ(S.Loaded, (std::vector<std::string>{"data\\tex\\ondemand\\nocompression\\portrait_ada.png",
                                                "data\\tex\\ondemand\\nocompression\\technology_default.png"}));
  EXPECT_EQ(S.Looks, 6);  // each name once (".png", and ".dds" for a missing one)
  EXPECT_TRUE(gMissingPictures.count("portrait_gone"));
  EXPECT_FALSE(LoadOnDemandPicture(""));
  SetGUIServices(std::move(Previous));
  gMissingPictures.clear();
}

}  // namespace
