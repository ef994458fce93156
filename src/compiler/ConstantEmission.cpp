#include "compiler/ConstantEmission.h"

#include "app/Text.h"
#include "compiler/SizeBindings.h"

namespace z7 {

void EmitConstants(CompileContext& context, CompiledImage* image) {
    ImageLineBuilder line(image, context.FlashPointer);
    const auto emitColumn = [&](ConstantKind kind, std::uint32_t typeBits, std::size_t limit) {
        for (ConstantEntry& entry : context.symbols.constants.column(kind)) {
            entry.address = hexUpper(context.FlashPointer | typeBits);
            if (kind == ConstantKind::String) {
                context.FlashPointer += stringElementSize(static_cast<std::int32_t>(entry.text.size()));
                line.field("'" + entry.text);
            } else {
                context.FlashPointer += 4;
                line.field(entry.text);
            }
            line.breakIfLonger(limit, context.FlashPointer);
        }
    };
    emitColumn(ConstantKind::Integer, 0, 76);
    emitColumn(ConstantKind::String, StringTypeBits, 64);
    emitColumn(ConstantKind::Float, FloatTypeBits, 76);
    line.close();
}

}  // namespace z7
