#pragma once
// The "#6 Tx", "#7 Rx" and "#9 Com buffer" sections, and the RAM of the received variables.
#include "compiler/CompileContext.h"

namespace z7 {

void EmitTxArrayRecords(CompileContext& context);
void EmitRxArrayRecords(CompileContext& context);
void EmitComBufferRecords(CompileContext& context);
// Pass 1 re-marks stored RX addresses (with their types brought up to date), pass 2 gives the
// rows without an address a block per run.
void AssignRxAddresses(CompileContext& context, int ramPass);

}  // namespace z7
