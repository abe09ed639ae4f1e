// shell/session.cpp: the one session of the program.
#include "shell/session.h"

namespace shell {

Session TheSession;

}  // namespace shell
