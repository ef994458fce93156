#pragma once
// The "#B Speech" section and the RAM of the speech reports.
#include "compiler/CompileContext.h"

#include <string>

namespace z7 {

void EmitSpeechRecords(CompileContext& context);
void AssignSpeechAddresses(CompileContext& context, int ramPass);

// The word of a format after ";": a picture gives FF000000 + digits before the point times 256 +
// digits after it; a phrase number gives itself.
std::uint32_t speechFormatWord(const std::string& format);

}  // namespace z7
