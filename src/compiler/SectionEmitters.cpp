#include "compiler/SectionEmitters.h"

#include "compiler/SpeechCompile.h"
#include "compiler/TableCompile.h"
#include "editors/DisplayCompile.h"
#include "editors/TelemetryCompile.h"
#include "ladder/LadderCompile.h"

namespace z7 {

void AssignRxRam(CompileContext& context, int ramPass) { AssignRxAddresses(context, ramPass); }
void AssignSpeechRam(CompileContext& context, int ramPass) { AssignSpeechAddresses(context, ramPass); }
void AssignLadderRam(CompileContext& context, int ramPass) { AssignLadderStatuses(context, ramPass); }
void AssignTableRam(CompileContext& context, int ramPass) { AssignTableAddresses(context, ramPass); }
void RegisterLadderDelays(CompileContext& context) { RegisterLadderDelayTexts(context); }

void EmitLadder(CompileContext& context) {
    // Any wiring or tag error leaves the whole section empty.
    if (CheckLadder(context)) CompileLadder(context);
}
void EmitTxArrays(CompileContext& context) { EmitTxArrayRecords(context); }
void EmitRxArrays(CompileContext& context) { EmitRxArrayRecords(context); }
void EmitDisplays(CompileContext& context) { EmitDisplayRecords(context); }
void EmitComBuffers(CompileContext& context) { EmitComBufferRecords(context); }
void EmitTables(CompileContext& context) { EmitTableRecords(context); }
void EmitSpeech(CompileContext& context) { EmitSpeechRecords(context); }

}  // namespace z7
