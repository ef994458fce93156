#pragma once
// The "#A Table def" section and the RAM of the tables: each table's block of run-time cells, its
// row outputs and its literals.
#include "compiler/CompileContext.h"

namespace z7 {

void EmitTableRecords(CompileContext& context);
void AssignTableAddresses(CompileContext& context, int ramPass);

}  // namespace z7
