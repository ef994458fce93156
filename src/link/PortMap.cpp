#include "link/PortMap.h"

#include "app/Files.h"
#include "app/Text.h"

#include <cstdlib>
#include <vector>

namespace z7 {

std::string comPortDevice(int port, const std::string& iniDirectory) {
    const std::string name = "COM" + std::to_string(port);
    if (const char* env = std::getenv(("Z7_" + name).c_str()); env != nullptr && *env != '\0') return env;
    std::vector<std::string> lines;
    std::string error;
    if (fileExists(iniDirectory + "Z7Ports.ini") && readTextLines(iniDirectory + "Z7Ports.ini", lines, error)) {
        const std::string key = name + "=";
        for (const std::string& line : lines)
            if (compareNoCase(line.substr(0, key.size()), key) == 0 && line.size() > key.size())
                return line.substr(key.size());
    }
    return "/dev/ttyS" + std::to_string(port - 1);
}

std::string comPortDevice(int port) { return comPortDevice(port, programDirectory()); }

}  // namespace z7
