// Archive directory and whole-entry loads of arbitrary bytes: the archive reader must never
// read outside its buffers, whatever the header and directory say.
#include "foundation/file_access.h"
#include "foundation/mem_arena.h"
#include "gamedata/pff_archive.h"

#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {
// The archive reader works on files: each input goes into one in-memory file, reached by path.
struct ScratchFile {
    int fd = memfd_create("qz_pff_fuzz", 0);
    std::string path = "/proc/self/fd/" + std::to_string(fd);
};

const ScratchFile& scratch() {
    static const ScratchFile file;
    return file;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ScratchFile& file = scratch();
    if (file.fd < 0 || ftruncate(file.fd, 0) != 0) return 0;
    if (size > 0 && pwrite(file.fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;

    PffArchive* archive = pff_Open(file.path.c_str());
    if (archive == nullptr) return 0;
    pff_AddToSet(archive);
    file_SetLooseFirst(0);
    uint8_t buffer[64];
    for (uint32_t i = 0; i < archive->entryCount && i < 256; ++i) {
        std::string name = pff_RecordName(archive->directory[i]);
        if (void* block = pff_Load(archive, name.c_str())) {
            volatile uint8_t sink = 0;
            const auto* bytes = static_cast<const uint8_t*>(block);
            for (int32_t k = 0; k < archive->lastSize; k += 97)
                sink = static_cast<uint8_t>(sink ^ bytes[k]);
            mem_FreeMem(block);
        }
        if (file_OpenEx(name.c_str()) == 1) {
            file_SeekEx(-769, 2);
            file_ReadEx(buffer, sizeof buffer);
            file_SeekEx(3, 1);
            file_ReadEx(buffer, sizeof buffer);
            file_CloseEx();
        }
        pff_Size(archive, name.c_str());
    }
    pff_Close(archive);
    return 0;
}
