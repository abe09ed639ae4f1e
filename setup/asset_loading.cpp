// setup/asset_loading.cpp: LoadAssets: the marks and ships from the picture set of the screen
// size, the sea and the boards from "Pictures\".
#include "setup/asset_loading.h"

#include <cstdio>

#include "battle/game_state.h"
#include "fleet/fleet.h"
#include "setup/program_objects.h"
#include "shell/layout_scale.h"

namespace setup {

char PictureSetFolder[1024] = "";

namespace {

struct ShipDesign {
    std::int32_t length;
    std::uint32_t shipId;
};
constexpr ShipDesign kFleetDesign[battle::ShipsPerSide] = {{5, 1}, {4, 2}, {3, 3}, {3, 4}, {2, 5}};

// A mark gets a cell-sized rectangle from the painter each time it is drawn, so its own size
// counts for nothing: scale 0.
void LoadMark(imaging::Picture& mark, const char* fileName) {
    mark.Load(PictureSetFolder, fileName);
    mark.SetDrawMode(imaging::DrawModeTransparent);
    mark.SetScale(0, nullptr);
}

void LoadFleet(battle::Side side) {
    for (int k = 0; k < battle::ShipsPerSide; ++k) {
        fleet::Ships[side * battle::ShipsPerSide + k].SetIdentity(kFleetDesign[k].length,
                                                                  kFleetDesign[k].shipId);
    }
    for (int k = 0; k < battle::ShipsPerSide; ++k) {
        fleet::Ships[side * battle::ShipsPerSide + k].LoadPictures(PictureSetFolder);
    }
}

}  // namespace

void LoadAssets() {
    std::snprintf(PictureSetFolder, sizeof PictureSetFolder, "Pictures\\P%i\\",
                  static_cast<int>(shell::ScreenWidth));
    LoadMark(TargetPicture, "Target.bmp");
    LoadMark(MissPicture, "Miss.bmp");
    LoadMark(HitPicture, "Hit.bmp");
    SeaBackPicture.Load("Pictures\\", "SeaBack.bmp");
    BoardPictures[battle::Player].Load("Pictures\\", "Grid1.bmp");
    BoardPictures[battle::Enemy].Load("Pictures\\", "Grid2.bmp");
    LoadFleet(battle::Player);
    LoadFleet(battle::Enemy);
}

}  // namespace setup
