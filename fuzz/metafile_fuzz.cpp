// The metafile reader over arbitrary bytes, through its bytes entry (no file is written). The
// page read is then written again to memory, which must not read outside the page; and when the
// read was clean, the written text must read back clean as well.
#include "foundation/user_message.h"
#include "mission/metafile_reader.h"
#include "mission/metafile_writer.h"

#include <cstdint>
#include <string>

namespace {

class QuietSink final : public MessageSink {
  public:
    MsgAnswer showMessage(const char*, const char*, MsgIcon, MsgButtons) override { return MsgAnswer::Ok; }
};
QuietSink g_sink;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Kept: a page is too large to build per input.
    static MissionPage* page = new MissionPage;
    static MissionPage* again = new MissionPage;
    msg_SetSink(&g_sink);
    MetafileReport report;
    const MetafileReadResult result =
        metafile_ReadBytes(*page, reinterpret_cast<const char*>(data), size, &report);
    std::string text;
    metafile_Format(*page, MetafileTime{}, text);
    if (result == MetafileReadResult::Clean) {
        MetafileReport second;
        if (metafile_ReadBytes(*again, text.data(), text.size(), &second) != MetafileReadResult::Clean)
            __builtin_trap(); // the writer's own text must read back clean
    }
    return 0;
}
