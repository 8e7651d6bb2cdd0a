#pragma once
// The game view with the globe: the running game's earth view, the region-ownership map and the
// region pick pass; the other states are drawn by the basic view.
#include "presentation/basic_game_view.h"
#include "presentation/earth_view_scene.h"

class TEarthGameView : public TBasicGameView {
public:
  void Render(TGame& Game) override;
  void RegisterWindows(TGame& Game) override;
  void CreateRenderTargets(TGame& Game) override;
  void FreeRenderTargets() override;
  void UpDateRegionMap(TGame& Game, bool DebugDump) override;
  void RenderPickColors(TGame& Game) override;
  void GameLoaded(TGame& Game) override;
  // What the earth view keeps from frame to frame.
  const TEarthViewState& EarthViewState() const { return EarthView; }

private:
  TEarthViewState EarthView;
};
