// The metafile reader over arbitrary bytes: the input is written to a temporary file and loaded
// into a page; the page is then written again to memory, which must not read outside the page.
#include "foundation/text_source.h"
#include "foundation/user_message.h"
#include "mission/metafile_reader.h"
#include "mission/metafile_writer.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

class QuietSink final : public MessageSink {
public:
    MsgAnswer showMessage(const char*, const char*, MsgIcon, MsgButtons) override { return MsgAnswer::Ok; }
};
QuietSink g_sink;

const std::string& fuzzPath() {
    static const std::string path = [] {
        const char* dir = std::getenv("TMPDIR");
        return std::string(dir != nullptr ? dir : "/tmp") + "/metafile-fuzz-" + std::to_string(getpid()) + ".mis";
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MissionPage* page = new MissionPage; // kept: a page is too large to build per input
    msg_SetSink(&g_sink);
    std::FILE* file = std::fopen(fuzzPath().c_str(), "wb");
    if (file == nullptr) return 0;
    const bool written = std::fwrite(data, 1, size, file) == size;
    std::fclose(file);
    if (!written) return 0;
    metafile_Load(*page, fuzzPath().c_str());
    std::string text;
    metafile_Format(*page, MetafileTime{}, text);
    return 0;
}
