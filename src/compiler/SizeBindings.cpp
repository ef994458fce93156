#include "compiler/SizeBindings.h"

#include "app/Text.h"

namespace z7 {

namespace {
// Larger counts could never fit into controller RAM; the limit keeps block arithmetic in range.
constexpr std::int32_t MaxSize = 100000;
}

bool readSizeBinding(const std::string& binding, std::int32_t fallback, std::int32_t& value) {
    value = fallback;
    if (binding.empty()) return true;
    std::int32_t parsed = 0;
    if (!parseInt(binding, parsed) || parsed < 0 || parsed > MaxSize) return false;
    value = parsed;
    return true;
}

bool readBasicFieldShape(const std::string& name, std::uint64_t& elements, std::int32_t& length) {
    elements = 1;
    length = -1;
    const std::size_t open = name.find('(');
    if (open != std::string::npos) {
        const std::size_t close = name.find(')', open);
        if (close == std::string::npos) return false;
        const std::vector<std::string> dims = splitFields(std::string_view(name).substr(open + 1, close - open - 1), ',');
        for (std::size_t i = 0; i < dims.size() && i < 10; ++i) {
            std::int32_t d = 0;
            if (!parseInt(dims[i], d) || d < 0 || d > MaxSize) return false;
            elements *= static_cast<std::uint64_t>(d);
            if (elements > static_cast<std::uint64_t>(MaxSize) * 64) return false;
        }
    }
    const std::size_t openSquare = name.find('[');
    if (openSquare != std::string::npos) {
        const std::size_t close = name.find(']', openSquare);
        if (close == std::string::npos) return false;
        if (!parseInt(name.substr(openSquare + 1, close - openSquare - 1), length) || length < 0 || length > MaxSize) return false;
    }
    return true;
}

}  // namespace z7
