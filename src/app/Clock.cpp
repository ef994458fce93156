#include "app/Clock.h"

#include "app/Text.h"

#include <cstdlib>

namespace z7 {

static bool fixedEpoch(std::time_t& when) {
    const char* text = std::getenv("SOURCE_DATE_EPOCH");
    if (!text || !*text) return false;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (*end != '\0' || value < 0) return false;
    when = static_cast<std::time_t>(value);
    return true;
}

std::time_t outputTime() {
    std::time_t when;
    return fixedEpoch(when) ? when : std::time(nullptr);
}

bool outputTimeIsFixed() {
    std::time_t when;
    return fixedEpoch(when);
}

std::string formatDateTime(std::time_t when) {
    std::tm parts {};
    if (outputTimeIsFixed()) gmtime_r(&when, &parts);
    else localtime_r(&when, &parts);
    char buffer[128];
    const std::size_t n = std::strftime(buffer, sizeof buffer, "%x %X", &parts);
    return std::string(buffer, n);
}

std::string outputDateTime() { return formatDateTime(outputTime()); }

}  // namespace z7
