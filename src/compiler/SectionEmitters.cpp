#include "compiler/SectionEmitters.h"

namespace z7 {

void AssignRxRam(CompileContext&, int) {}
void AssignSpeechRam(CompileContext&, int) {}
void AssignLadderRam(CompileContext&, int) {}
void AssignTableRam(CompileContext&, int) {}
void RegisterLadderDelays(CompileContext&) {}

void EmitLadder(CompileContext&) {}
void EmitTxArrays(CompileContext&) {}
void EmitRxArrays(CompileContext&) {}
void EmitDisplays(CompileContext&) {}
void EmitComBuffers(CompileContext&) {}
void EmitTables(CompileContext&) {}
void EmitSpeech(CompileContext&) {}

}  // namespace z7
