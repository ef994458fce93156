#pragma once
// Which device stands behind "COMn" on this platform.
#include <string>

namespace z7 {

// The environment variable Z7_COMn wins, then a line "COMn=/dev/..." in Z7Ports.ini in
// iniDirectory, then /dev/ttyS<n-1>.
std::string comPortDevice(int port, const std::string& iniDirectory);
// comPortDevice with the program directory, where Z7Setup.ini lives.
std::string comPortDevice(int port);

}  // namespace z7
