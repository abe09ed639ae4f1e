// setup/program_objects.cpp: defines the program-wide pictures and ships. Within one translation
// unit objects are constructed in the order written and destroyed in reverse, which is the order
// the program relies on; keep every definition here and keep their order.
#include "setup/program_objects.h"

namespace setup {

imaging::Picture BoardPictures[2];
imaging::Picture TargetPicture;
imaging::Picture MissPicture;
imaging::Picture HitPicture;
imaging::Picture SeaBackPicture;

}  // namespace setup

namespace fleet {

Ship Ships[ShipCount];

}  // namespace fleet
