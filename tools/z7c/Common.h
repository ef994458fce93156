#pragma once
// What every z7c command starts from: the preferences of the program directory and the library.
#include "app/Preferences.h"
#include "library/ModuleLibrary.h"

#include <optional>
#include <string>

namespace z7c {

// Reads Z7Setup.ini beside z7c (created with the defaults when missing).
z7::Preferences loadPreferences();
// Reads the module library from systemDirectory, reporting problems on standard error;
// false when the file could not be read.
bool loadLibrary(const std::string& systemDirectory, z7::ModuleLibrary& library);

// Takes "--name VALUE" out of args; empty when absent. Sets missingValue when the value is missing.
std::optional<std::string> takeOption(std::vector<std::string>& args, const std::string& name, bool& missingValue);
// Takes "--name" out of args.
bool takeFlag(std::vector<std::string>& args, const std::string& name);

}  // namespace z7c
