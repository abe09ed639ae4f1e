// setup/asset_loading.cpp: LoadAssets: the marks and ships from the picture set of the screen
// size, the sea and the boards from "Pictures\"; on a scaled screen, from the set that has at
// least the pixels the screen shows them with.
#include "setup/asset_loading.h"

#include <cstdio>

#include "fleet/fleet.h"
#include "fleet/program_objects.h"
#include "rules/game.h"
#include "setup/layout_scale.h"
#include "windows/program_handles.h"

namespace setup {

namespace {

// The folder of the size-dependent pictures, "Pictures\P%i\" with the set's width.
char PictureSetFolder[1024] = "";
int LoadedSetWidth = 0;

// The widths of the screens the picture sets are drawn for; the last one, twice the largest
// screen, holds its own sea and boards too.
constexpr int SetWidths[] = {640, 800, 1024, 2048};
constexpr int DoubleSetWidth = 2048;

// The set drawn for the screen's own pixels: at a scale of 1 the set of the screen size, else
// the smallest set at least as wide as the window in device pixels (the largest when none is),
// which the drawing shrinks smoothly to the size it needs.
int ChosenSetWidth(int screenWidth, double scale) {
    if (scale == 1.0) return screenWidth;
    const double needed = screenWidth * scale;
    for (int width : SetWidths) {
        if (width >= needed) return width;
    }
    return DoubleSetWidth;
}

double MainWindowScale() {
    const platform::Window* window = windows::App.MainWindow;
    return window != nullptr ? window->surface.scale : 1.0;
}

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

const char* SceneryFolder() {
    return LoadedSetWidth == DoubleSetWidth ? PictureSetFolder : "Pictures\\";
}

void ChooseSet() {
    LoadedSetWidth = ChosenSetWidth(static_cast<int>(setup::Layout.ScreenWidth), MainWindowScale());
    std::snprintf(PictureSetFolder, sizeof PictureSetFolder, "Pictures\\P%i\\", LoadedSetWidth);
}

}  // namespace

void LoadPicturesForScale() {
    const int before = LoadedSetWidth;
    ChooseSet();
    if (LoadedSetWidth == before) return;
    // Each picture takes the new set's bitmap and keeps its rectangle, visibility and mode, so
    // the game on the board is untouched: ships turned, sunk or hidden stay so.
    fleet::Pictures.TargetPicture.Load(PictureSetFolder, "Target.bmp");
    fleet::Pictures.MissPicture.Load(PictureSetFolder, "Miss.bmp");
    fleet::Pictures.HitPicture.Load(PictureSetFolder, "Hit.bmp");
    fleet::Pictures.SeaBackPicture.Load(SceneryFolder(), "SeaBack.bmp");
    fleet::Pictures.BoardPictures[rules::Player].Load(SceneryFolder(), "Grid1.bmp");
    fleet::Pictures.BoardPictures[rules::Enemy].Load(SceneryFolder(), "Grid2.bmp");
    for (fleet::Ship& ship : fleet::Ships) {
        ship.boatPicture.Load(PictureSetFolder, ship.boatFileName);
        ship.boatVerticalPicture.Load(PictureSetFolder, ship.boatVerticalFileName);
        ship.sunkPicture.Load(PictureSetFolder, ship.sunkFileName);
        ship.sunkVerticalPicture.Load(PictureSetFolder, ship.sunkVerticalFileName);
    }
}

void LoadAssets() {
    ChooseSet();
    const char* sceneryFolder = SceneryFolder();
    LoadMark(fleet::Pictures.TargetPicture, "Target.bmp");
    LoadMark(fleet::Pictures.MissPicture, "Miss.bmp");
    LoadMark(fleet::Pictures.HitPicture, "Hit.bmp");
    fleet::Pictures.SeaBackPicture.Load(sceneryFolder, "SeaBack.bmp");
    fleet::Pictures.BoardPictures[rules::Player].Load(sceneryFolder, "Grid1.bmp");
    fleet::Pictures.BoardPictures[rules::Enemy].Load(sceneryFolder, "Grid2.bmp");
    LoadFleet(rules::Player);
    LoadFleet(rules::Enemy);
}

}  // namespace setup
