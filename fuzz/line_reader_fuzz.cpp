// The line reader over arbitrary bytes: the first four bytes give the descrambling key, the
// next byte the line a handler rejects, then a NUL-terminated message format stands in for
// the BAD_LINE_NUMBER text, and the rest is the file.
#include "foundation/line_reader.h"
#include "foundation/text_source.h"
#include "foundation/user_message.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {
std::string g_format;

const char* fuzzTexts(const char*, const char* key) {
    return std::strcmp(key, "BAD_LINE_NUMBER") == 0 ? g_format.c_str() : "Parse";
}

class QuietSink final : public MessageSink {
  public:
    MsgAnswer showMessage(const char* caption, const char* text, MsgIcon, MsgButtons) override {
        length = std::strlen(caption) + std::strlen(text);
        return MsgAnswer::Ok;
    }
    size_t length = 0;
};
QuietSink g_sink;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    uint32_t key = static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
                   static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24;
    int rejectAt = data[4];
    data += 5;
    size -= 5;
    const void* nul = std::memchr(data, '\0', size);
    size_t formatLength = nul != nullptr ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - data) : 0;
    g_format.assign(reinterpret_cast<const char*>(data), formatLength);
    if (nul != nullptr) {
        data += formatLength + 1;
        size -= formatLength + 1;
    }
    text_SetSource(fuzzTexts);
    msg_SetSink(&g_sink);

    ascii_ReadBuffer(
        reinterpret_cast<const char*>(data), size,
        [rejectAt](const LineTokens* tokens, int line) {
            if (tokens == nullptr) return 0;
            size_t total = 0;
            for (int i = 0; i < tokens->count; ++i)
                total += std::strlen(tokens->words[i]);
            return (line == rejectAt && total > 0) ? 1 : 0;
        },
        key);
    return 0;
}
