// setup/asset_loading.h: loading every picture of the game for the current screen size.
#pragma once

namespace setup {

// Loads the marks, the sea, the two boards and the ships' pictures for ScreenWidth. A missing
// ship picture is reported once per ship; nothing here ends the program.
void LoadAssets();

}  // namespace setup
