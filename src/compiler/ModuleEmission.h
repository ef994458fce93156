#pragma once
// Module records: one per module instance, each item field the address of what the item is bound
// to; with the card checks of modules that declare a card, and the buffer sizes of modules 31 and
// 125.
#include "compiler/CompileContext.h"

#include <vector>

namespace z7 {

// Instances of modules 8 and 53, then of modules 18, 20, 65 and 168, in the given order within
// each group; the latter are entered in the module address list in the first pass.
void EmitPriorityModules(CompileContext& context, const std::vector<int>& order);
// All other instances, in the given order.
void EmitOtherModules(CompileContext& context, const std::vector<int>& order);
// The record of one instance (both passes).
void EmitModuleRecord(CompileContext& context, const Jobrecord& instance);

}  // namespace z7
