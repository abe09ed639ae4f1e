// shell/layout_scale.cpp: the screen size setting and the layout factors.
#include "shell/layout_scale.h"

namespace shell {

std::int32_t ScreenWidth = 0;
std::int32_t ScreenHeight = 0;
double ScaleX = 1.0;
double ScaleY = 1.0;

}  // namespace shell
