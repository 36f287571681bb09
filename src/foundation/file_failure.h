#pragma once
// Why a file could not be read or written, in words a message can carry: the system's reason
// (strerror) or one of the refusals of the file layer itself.

#include <string>

struct FileFailure {
    enum class Kind {
        None,       // nothing failed
        System,     // the system refused: `error` holds the errno value
        NotRegular, // the path names a FIFO, a device or a socket, which is neither read nor replaced
        IsInput,    // the output would replace a file this run reads (file_ProtectInput)
    };
    Kind kind = Kind::None;
    int error = 0;

    static FileFailure system(int errno_value) { return {Kind::System, errno_value}; }
    static FileFailure of(Kind kind) { return {kind, 0}; }
    bool failed() const { return kind != Kind::None; }
};

// The reason in words: strerror for System ("No such file or directory", "Permission denied",
// "Is a directory", "No space left on device"), the "File I/O" texts "NOT_REGULAR_FILE" and
// "IS_INPUT_FILE" (with English words when the string table lacks them) for the refusals; empty
// for None.
std::string file_FailureText(const FileFailure& failure);

// "File I/O" "REASON" with the failure's words ("Reason: No such file or directory").
std::string file_ReasonLine(const FileFailure& failure);

// "File I/O" "CANT_READ_FILE" with the path, then the reason line.
std::string file_ReadFailureText(const char* path, const FileFailure& failure);
