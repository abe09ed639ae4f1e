// windows/program_handles.cpp: the program's handles.
#include "windows/program_handles.h"

namespace windows {

ProgramHandles App;

}  // namespace windows
