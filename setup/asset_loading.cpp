// setup/asset_loading.cpp: LoadAssets: the marks and ships from the picture set of the screen
// size, the sea and the boards from "Pictures\".
#include "setup/asset_loading.h"

#include <cstdio>

#include "fleet/fleet.h"
#include "fleet/program_objects.h"
#include "rules/game.h"
#include "setup/layout_scale.h"

namespace setup {

namespace {

// The folder of the size-dependent pictures, "Pictures\P%i\" with the screen width.
char PictureSetFolder[1024] = "";

// A mark gets a cell-sized rectangle from the painter each time it is drawn, so its own size
// counts for nothing: scale 0.
void LoadMark(imaging::Picture& mark, const char* fileName) {
    mark.Load(PictureSetFolder, fileName);
    mark.SetDrawMode(imaging::DrawModeTransparent);
    mark.SetScale(0, nullptr);
}

void LoadFleet(rules::Side side) {
    for (std::uint32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
        fleet::Ships[fleet::ShipIndex(side, shipId)].SetIdentity(rules::ShipLengths[shipId - 1],
                                                                 shipId);
    }
    for (std::uint32_t shipId = 1; shipId <= rules::ShipsPerSide; ++shipId) {
        fleet::Ships[fleet::ShipIndex(side, shipId)].LoadPictures(PictureSetFolder);
    }
}

}  // namespace

void LoadAssets() {
    std::snprintf(PictureSetFolder, sizeof PictureSetFolder, "Pictures\\P%i\\",
                  static_cast<int>(setup::Layout.ScreenWidth));
    LoadMark(fleet::Pictures.TargetPicture, "Target.bmp");
    LoadMark(fleet::Pictures.MissPicture, "Miss.bmp");
    LoadMark(fleet::Pictures.HitPicture, "Hit.bmp");
    fleet::Pictures.SeaBackPicture.Load("Pictures\\", "SeaBack.bmp");
    fleet::Pictures.BoardPictures[rules::Player].Load("Pictures\\", "Grid1.bmp");
    fleet::Pictures.BoardPictures[rules::Enemy].Load("Pictures\\", "Grid2.bmp");
    LoadFleet(rules::Player);
    LoadFleet(rules::Enemy);
}

}  // namespace setup
