#include "foundation/file_failure.h"

#include "foundation/text_source.h"

#include <cstring>

namespace {
std::string textOr(const char* key, const char* fallback) {
    const char* text = text_Get("File I/O", key);
    return std::strcmp(text, kBadTextString) == 0 ? fallback : text;
}
} // namespace

std::string file_FailureText(const FileFailure& failure) {
    switch (failure.kind) {
    case FileFailure::Kind::None:
        return {};
    case FileFailure::Kind::System:
        return std::strerror(failure.error);
    case FileFailure::Kind::NotRegular:
        return textOr("NOT_REGULAR_FILE", "Not a regular file");
    case FileFailure::Kind::IsInput:
        return textOr("IS_INPUT_FILE", "It is a file this command reads");
    }
    return {};
}
