#include "compiler/ModuleOrderList.h"

#include "app/Text.h"

namespace z7 {

std::vector<std::string> buildModuleOrderList(const Project& project, bool alphabetize) {
    std::vector<std::string> list;
    list.reserve(static_cast<std::size_t>(project.instanceCount()));
    for (int n = 1; n <= project.instanceCount(); ++n) list.push_back(project.instance(n).name + "|" + std::to_string(n));
    if (alphabetize) sortNoCase(list);
    return list;
}

int instanceNumberOf(const std::string& orderText) {
    const std::size_t bar = orderText.find('|');
    return bar == std::string::npos ? 0 : intOr(orderText.substr(bar + 1), 0);
}

std::vector<int> moduleOrder(const Project& project, bool alphabetize) {
    std::vector<int> numbers;
    for (const std::string& text : buildModuleOrderList(project, alphabetize)) numbers.push_back(instanceNumberOf(text));
    return numbers;
}

}  // namespace z7
