#pragma once
// The "#5 Ladder" section: the wiring check of every cell against its neighbours, the translation
// of rungs into "232C", "232D" and "232E" records, and the RAM the rungs need.
#include "compiler/CompileContext.h"

namespace z7 {

// True when no cell breaks the connection rules and every contact and coil carries a tag;
// messages are added in the second emission pass only.
bool CheckLadder(CompileContext& context);
// Writes the rungs from the last grid row up, so that an angle's record precedes the junctions
// above it that read its branch status.
void CompileLadder(CompileContext& context);

// Timers of the coils, coil statuses and "Ladr." branch statuses, one stored address per rung.
void AssignLadderStatuses(CompileContext& context, int ramPass);
void RegisterLadderDelayTexts(CompileContext& context);

// "Ladr." followed by row and column, both decimal.
std::string ladderBranchName(int row, int column);

}  // namespace z7
