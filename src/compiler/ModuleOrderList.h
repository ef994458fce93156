#pragma once
// The order in which the compiler (and the documentation) walks the module instances: one text per
// instance, name "|" number; sorted ignoring case when "Alphabetize Modules Before Compile" is on.
#include "app/Project.h"

#include <string>
#include <vector>

namespace z7 {

std::vector<std::string> buildModuleOrderList(const Project& project, bool alphabetize);
// The instance number of a list text: everything after its first "|".
int instanceNumberOf(const std::string& orderText);
// The instance numbers in list order.
std::vector<int> moduleOrder(const Project& project, bool alphabetize);

}  // namespace z7
