#include "gamedata/image_holder.h"

#include "foundation/file_access.h"
#include "foundation/mem_arena.h"

#include <cstring>
#include <new>

namespace {
constexpr const char* kPixelTag = "IMAGE PIXELS";
} // namespace

void image_Free(ImageHolder& holder) {
    if (holder.pixels != nullptr) mem_FreeMem(holder.pixels);
    holder.pixels = nullptr;
    holder.palette = nullptr;
    holder.width = 0;
    holder.height = 0;
    holder.pixelCount = 0;
}

bool image_Allocate(ImageHolder& holder, uint16_t width, uint16_t height, size_t bytes) {
    image_Free(holder);
    void* block = mem_GetMemEx(bytes, kImagePixelAlignment, 0, kPixelTag);
    if (block == nullptr) return false;
    holder.pixels = static_cast<uint8_t*>(block);
    holder.width = width;
    holder.height = height;
    holder.pixelCount = static_cast<uint32_t>(width) * height;
    return true;
}

void image_SetName(ImageHolder& holder, const char* path) {
    const char* base = path;
    for (const char* p = path; *p != '\0'; ++p)
        if (*p == '\\' || *p == '/') base = p + 1;
    size_t n = 0;
    while (n < kImageNameSize - 1 && base[n] != '\0' && base[n] != '.') {
        holder.name[n] = base[n];
        ++n;
    }
    holder.name[n] = '\0';
}

ImageFileBuffer::~ImageFileBuffer() {
    release();
}

void ImageFileBuffer::release() {
    if (data_ != nullptr) {
        if (inFileArena_)
            mem_FreeFileMem(data_);
        else
            delete[] data_;
    }
    data_ = nullptr;
    size_ = 0;
}

int ImageFileBuffer::load(const char* path, bool inFileArena) {
    release();
    if (!file_ExistsEx(path)) return kImageNotFound;
    long size = file_FileSizeEx(path);
    if (size < 0) return kImageNotFound;
    const size_t bytes = static_cast<size_t>(size);
    inFileArena_ = inFileArena;
    // A zero-byte request still yields a distinct block, so an empty file decodes (and fails) like
    // any other short file.
    data_ =
        inFileArena ? static_cast<uint8_t*>(mem_GetFileMem(bytes)) : new (std::nothrow) uint8_t[bytes + 1];
    if (data_ == nullptr) return kImageNoMemory;
    if (file_OpenEx(path) == -1) {
        release();
        return kImageNotFound;
    }
    long got = bytes > 0 ? file_ReadEx(data_, size) : 0;
    file_CloseEx();
    if (got != size) {
        release();
        return kImageNotFound;
    }
    size_ = bytes;
    return kImageOk;
}
