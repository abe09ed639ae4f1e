// setup/layout_scale.cpp: the screen size setting and the layout factors.
#include "setup/layout_scale.h"

namespace setup {

ScreenLayout Layout;

}  // namespace setup
