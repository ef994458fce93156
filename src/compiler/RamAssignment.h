#pragma once
// Gives every named value of the project a RAM address before any record is written: re-marks the
// stored assignments, allocates what is missing (storing it back into the project), fills the
// symbol tables, collects the literals, then places the timer and trigger blocks.
#include "compiler/CompileContext.h"

namespace z7 {

void AssignRam(CompileContext& context);

}  // namespace z7
