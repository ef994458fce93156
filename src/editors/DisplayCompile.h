#pragma once
// The "#8 Displays" section: per display a "2330" header record and one "2331" record per line.
#include "compiler/CompileContext.h"

namespace z7 {

void EmitDisplayRecords(CompileContext& context);

// The controller's loader takes image lines of at most this many characters.
constexpr std::size_t MaxImageLineLength = 248;

}  // namespace z7
