#include "compiler/CompileErrorList.h"

#include "app/Text.h"

#include <algorithm>

namespace z7 {

void CompileErrorList::add(const std::string& message) {
    // After equal texts, so that repeated messages keep the order in which they came.
    const auto at = std::upper_bound(messages_.begin(), messages_.end(), message,
                                     [](const std::string& a, const std::string& b) { return lessNoCase(a, b); });
    messages_.insert(at, message);
}

bool CompileErrorList::contains(const std::string& message) const { return count(message) > 0; }

std::size_t CompileErrorList::count(const std::string& message) const {
    return static_cast<std::size_t>(std::count(messages_.begin(), messages_.end(), message));
}

}  // namespace z7
