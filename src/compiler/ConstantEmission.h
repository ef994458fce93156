#pragma once
// The constant section: every literal of the constant pool back to back (integers, strings, floats),
// each given its FLASH address.
#include "compiler/CompileContext.h"

namespace z7 {

// Writes the constant lines to image (nothing when null) from context.FlashPointer on.
void EmitConstants(CompileContext& context, CompiledImage* image);

}  // namespace z7
