#include "shell/dialog_registry.h"

#include <utility>

namespace {
std::string upperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}
} // namespace

void DialogRegistry::add(const std::string& templateName, DialogRunner runner) {
    runners_[upperCase(templateName)] = std::move(runner);
}

const DialogRunner* DialogRegistry::find(const std::string& templateName) const {
    const auto found = runners_.find(upperCase(templateName));
    return found == runners_.end() || !found->second ? nullptr : &found->second;
}
