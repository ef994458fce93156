#pragma once
// Dates and times as the program shows and writes them.
#include <ctime>
#include <string>

namespace z7 {

// Now, or SOURCE_DATE_EPOCH when it is set to a number, so that generated files are reproducible.
std::time_t outputTime();
// True when SOURCE_DATE_EPOCH fixes the time; such times are shown in UTC.
bool outputTimeIsFixed();
// The user's short date and long time ("%x %X" of the locale), e.g. for the project header line.
std::string formatDateTime(std::time_t when);
// formatDateTime(outputTime()).
std::string outputDateTime();

}  // namespace z7
