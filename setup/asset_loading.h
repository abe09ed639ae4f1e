// setup/asset_loading.h: loading every picture of the game for the current screen size.
#pragma once

namespace setup {

// Loads the marks, the sea, the two boards and the ships' pictures for ScreenWidth, at the pixel
// ratio of the main window's screen when it has one. A missing ship picture is reported once per
// ship; nothing here ends the program.
void LoadAssets();
// After the main window moved to a screen of another pixel ratio: when another picture set fits
// it better, every picture takes that set's bitmap in place, and the game on the board is kept.
void LoadPicturesForScale();

}  // namespace setup
