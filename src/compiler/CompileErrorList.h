#pragma once
// The messages of one compile, kept in alphabetical order (ASCII letters compared as lower case);
// a message already present is added again.
#include <string>
#include <vector>

namespace z7 {

class CompileErrorList {
public:
    void add(const std::string& message);
    void clear() { messages_.clear(); }
    bool empty() const { return messages_.empty(); }
    std::size_t size() const { return messages_.size(); }
    const std::vector<std::string>& messages() const { return messages_; }
    bool contains(const std::string& message) const;
    std::size_t count(const std::string& message) const;

private:
    std::vector<std::string> messages_;
};

}  // namespace z7
