#include "Common.h"

#include "app/Files.h"

#include <algorithm>
#include <iostream>

namespace z7c {

z7::Preferences loadPreferences() {
    z7::Preferences preferences;
    std::string error;
    if (!z7::readPreferences(z7::programDirectory(), preferences, error))
        std::cerr << "warning: " << error << " (using the default settings)\n";
    return preferences;
}

bool loadLibrary(const std::string& systemDirectory, z7::ModuleLibrary& library) {
    std::vector<std::string> messages;
    const bool ok = library.load(systemDirectory, messages);
    for (const auto& m : messages) std::cerr << (ok ? "warning: " : "error: ") << m << '\n';
    return ok;
}

std::optional<std::string> takeOption(std::vector<std::string>& args, const std::string& name, bool& missingValue) {
    const auto at = std::find(args.begin(), args.end(), name);
    if (at == args.end()) return std::nullopt;
    if (at + 1 == args.end()) {
        missingValue = true;
        args.erase(at);
        return std::nullopt;
    }
    std::string value = *(at + 1);
    args.erase(at, at + 2);
    return value;
}

bool takeFlag(std::vector<std::string>& args, const std::string& name) {
    const auto at = std::find(args.begin(), args.end(), name);
    if (at == args.end()) return false;
    args.erase(at);
    return true;
}

}  // namespace z7c
