// fleet/program_objects.cpp: defines the program-wide pictures and ships. Within one translation
// unit objects are constructed in the order written and destroyed in reverse, which is the order
// the program relies on; keep every definition here and keep their order.
#include "fleet/program_objects.h"

#include "fleet/fleet.h"

namespace fleet {

ProgramPictures Pictures;
Ship Ships[ShipCount];

}  // namespace fleet
