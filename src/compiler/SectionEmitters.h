#pragma once
// The compile steps that belong to the ladder, telemetry, display, table and speech sections. The
// compile driver calls them with its CompileContext in a fixed order.
//
// RAM assignment hooks run inside AssignRam, once for each of its passes 1, 2 and 3 (ramPass), in
// the order AssignRxRam, AssignSpeechRam, AssignLadderRam, AssignTableRam, after the module
// instances of that pass and before the BASIC modules. Pass 1 re-marks stored assignments
// (ReserveRange, ReserveX), pass 2 allocates what is missing (FindRamBlock), stores it back into the
// project with markChanged and fills the symbol tables, pass 3 registers literals in the constant
// pool and allocates late-sized blocks. RegisterLadderDelays runs once after the three passes,
// before the timer and trigger blocks are placed.
//
// Emitters run once per emission pass (context.pass 1 then 2). Both passes advance FlashPointer
// identically and record forward addresses; only pass 2 appends lines (context.appendLine or an
// ImageLineBuilder on context.sink()) and reports errors (context.reportEmitError). The driver
// writes the section headers and records the system pointers around them; EmitTxArrays may set
// systemPointers.tx and EmitRxArrays may update systemPointers.rx.
#include "compiler/CompileContext.h"

namespace z7 {

// RX database rows: re-mark stored addresses (pass 1), give addresses to runs without one (pass 2).
void AssignRxRam(CompileContext& context, int ramPass);
// Speech reports: trigger names, ".HavAlrm" status and ".Seq"/".Imgend" blocks (pass 2).
void AssignSpeechRam(CompileContext& context, int ramPass);
// Ladder rungs: delay timers, coil statuses and "Ladr." branch statuses, stored per rung.
void AssignLadderRam(CompileContext& context, int ramPass);
// Tables: row outputs, stored table blocks and their literals.
void AssignTableRam(CompileContext& context, int ramPass);
// Registers the ON and OFF delay texts of the rungs whose coil cell holds a coil as constants.
void RegisterLadderDelays(CompileContext& context);

// Section "#5 Ladder...".
void EmitLadder(CompileContext& context);
// Section "#6 Tx...".
void EmitTxArrays(CompileContext& context);
// Section "#7 Rx...".
void EmitRxArrays(CompileContext& context);
// Section "#8 Displays...".
void EmitDisplays(CompileContext& context);
// Section "#9 Com buffer def, TX then RX...".
void EmitComBuffers(CompileContext& context);
// Section "#A Table def...".
void EmitTables(CompileContext& context);
// Section "#B Speech...".
void EmitSpeech(CompileContext& context);

}  // namespace z7
