#pragma once
// Everything core code asks of the user goes through this seam: the window answers with message
// boxes and file dialogs, z7c with its console and options, tests with a scripted fake.
#include <optional>
#include <string>

namespace z7 {

class Dialogs {
public:
    enum class AbortRetry { Abort, Retry };
    virtual ~Dialogs() = default;
    virtual void error(const std::string& text) = 0;       // error box, OK
    virtual bool confirm(const std::string& text) = 0;     // Yes (true) or No
    virtual void warning(const std::string& text) = 0;     // warning box, OK
    virtual AbortRetry abortRetry(const std::string& text) = 0;
    virtual void message(const std::string& text) = 0;     // plain message, OK
    virtual void beep() = 0;
    // File dialogs: the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> chooseOpenFile(const std::string& startDirectory, const std::string& filter) = 0;
    virtual std::optional<std::string> chooseSaveFile(const std::string& startDirectory, const std::string& fileName,
                                                      const std::string& defaultExtension) = 0;
};

}  // namespace z7
