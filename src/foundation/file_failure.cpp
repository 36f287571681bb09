#include "foundation/file_failure.h"

#include "foundation/safe_format.h"
#include "foundation/text_source.h"

#include <cstring>

namespace {
const char* textOr(const char* key, const char* fallback) {
    return text_GetOr("File I/O", key, fallback);
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

std::string file_ReasonLine(const FileFailure& failure) {
    return fmt_Format(textOr("REASON", "Reason: %s"), {file_FailureText(failure)});
}

std::string file_ReadFailureText(const char* path, const FileFailure& failure) {
    std::string text =
        fmt_Format(textOr("CANT_READ_FILE", "The file %s could not be read."), {path != nullptr ? path : ""});
    text += '\n';
    text += file_ReasonLine(failure);
    return text;
}
