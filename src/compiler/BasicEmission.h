#pragma once
// The BASIC section: one record per BASIC module of the project, then the linked code of every
// BASIC object file.
#include "compiler/CompileContext.h"

namespace z7 {

void EmitBasic(CompileContext& context);
// The two halves, in the order EmitBasic runs them.
void EmitBasicRecords(CompileContext& context);
void EmitBasicCode(CompileContext& context);

}  // namespace z7
