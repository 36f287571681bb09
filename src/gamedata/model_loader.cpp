// Loading of one model file: header, textures, LODs with relocation and surface preparation.

#include "foundation/file_access.h"
#include "foundation/mem_arena.h"
#include "gamedata/model_access.h"
#include "gamedata/model_cache.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr double kSurfaceScale = 0.62;
constexpr uint32_t kTextureAlignment = 16;
constexpr uint32_t kLodAlignment = 32;

// The model's file through the file layer (loose or inside an archive).
class ModelFileSource final : public ModelSource {
  public:
    // Measures the current file; false when it cannot be measured.
    bool init() {
        long end = file_SeekEx(0, 2);
        if (end < 0 || file_SeekEx(0, 0) != 0) return false;
        size_ = static_cast<uint64_t>(end);
        return true;
    }
    bool read(void* buffer, size_t count) override {
        if (count > remaining()) return false;
        auto* out = static_cast<uint8_t*>(buffer);
        size_t done = 0;
        while (done < count) {
            long chunk = static_cast<long>(std::min<size_t>(count - done, LONG_MAX));
            long got = file_ReadEx(out + done, chunk);
            if (got <= 0) return false;
            done += static_cast<size_t>(got);
        }
        pos_ += count;
        return true;
    }
    bool skip(size_t count) override {
        if (count > remaining() || count > size_t(LONG_MAX)) return false;
        if (count == 0) return true;
        if (file_SeekEx(static_cast<long>(count), 1) < 0) return false;
        pos_ += count;
        return true;
    }
    uint64_t remaining() const override { return size_ - pos_; }

  private:
    uint64_t size_ = 0;
    uint64_t pos_ = 0;
};

// The largest l below 16 with 2^l not above `size`; 0 for a size of 0.
uint16_t log2Below16(uint16_t size) {
    uint16_t result = 0;
    for (uint16_t l = 1; l < 16; ++l) {
        if ((1u << l) <= size) result = l;
    }
    return result;
}

void copyTag(char* tag, size_t size, const uint8_t* field, size_t fieldSize) {
    size_t length = strnlen(reinterpret_cast<const char*>(field), std::min(fieldSize, size - 1));
    std::memcpy(tag, field, length);
    tag[length] = '\0';
}

// Reads one texture. Kept textures (flag bit 0 or 3) take the next table slot while one is free
// and the arena has room; every other texture is skipped whole, so the next one is read from the
// right place. False when the file ends early.
bool readTexture(ModelSource& source, ModelTables& tables, int tag) {
    uint8_t record[kTextureRecordSize];
    if (!source.read(record, sizeof record)) return false;
    uint32_t size = le_U32(record + kTextureSizeOffset);
    uint64_t stored = uint64_t(size) + kTexturePaletteSize;
    if (stored > source.remaining()) return false;
    bool keep = (record[kTextureFlagsOffset] & kTextureKeepMask) != 0;
    if (keep && tables.texture_count < kModelTextureTableSize) {
        ModelTexture& texture = tables.textures[tables.texture_count];
        std::memcpy(texture.record, record, sizeof record);
        copyTag(texture.tag, sizeof texture.tag, record + kTextureNameOffset, kTextureNameSize);
        texture.record[kTextureTagOffset] = static_cast<uint8_t>(tag);
        auto* data = static_cast<uint8_t*>(
            mem_GetMemEx(uint64_t(size) + kTextureBlockExtra, kTextureAlignment, 0, texture.tag));
        if (data != nullptr) {
            if (!source.read(data, stored)) {
                mem_FreeMem(data);
                return false;
            }
            uint32_t address = model_ArenaAddress(data);
            texture.data = data;
            texture.pixel_size = size;
            le_PutU32(texture.record + kTexturePixelsOffset, address);
            le_PutU32(texture.record + kTexturePaletteOffset, address + size);
            le_PutU32(texture.record + kTextureRgbOffset, address + size + kTexturePaletteSize);
            ++tables.texture_count;
            return true;
        }
    }
    return source.skip(stored);
}

// Fills the array addresses and the node, group and polygon references of a LOD whose data block
// was just read. False when the arrays do not fit the block, a node's or group's range runs past
// its array, or a polygon names a surface past the surface array.
bool relocate(ModelLod& lod) {
    uint8_t* header = lod.header;
    uint32_t count[kArrCount];
    uint64_t offset[kArrCount];
    uint64_t end = 0;
    for (ModelArray array : kModelBlockOrder) {
        count[array] = le_U32(header + lod_CountOffset(array));
        offset[array] = end;
        end += uint64_t(count[array]) * kModelElementSize[array];
    }
    if (end > lod.data_size) return false;

    uint8_t* data = lod.data;
    const uint32_t base = model_ArenaAddress(data);
    auto addressOf = [&](ModelArray array, uint64_t index) {
        return static_cast<uint32_t>(base + offset[array] + index * kModelElementSize[array]);
    };
    auto elementAt = [&](ModelArray array, uint64_t index) {
        return data + offset[array] + index * kModelElementSize[array];
    };
    le_PutU32(header + kLodDataOffset, base);
    for (int array = 0; array < kArrCount; ++array)
        le_PutU32(header + lod_AddressOffset(array), addressOf(ModelArray(array), 0));

    struct Range {
        ModelArray array;
        uint32_t countOffset, addressOffset;
        uint64_t next;
    };
    Range ranges[] = {{kArrV, kNodeVCountOffset, kNodeVAddrOffset, 0},
                      {kArrP, kNodePCountOffset, kNodePAddrOffset, 0},
                      {kArrB, kNodeBCountOffset, kNodeBAddrOffset, 0},
                      {kArrG, kNodeGCountOffset, kNodeGAddrOffset, 0}};
    for (uint32_t n = 0; n < count[kArrN]; ++n) {
        uint8_t* node = elementAt(kArrN, n);
        for (Range& range : ranges) {
            uint64_t first = range.next;
            range.next += le_U32(node + range.countOffset);
            if (range.next > count[range.array]) return false;
            le_PutU32(node + range.addressOffset, addressOf(range.array, first));
        }
    }
    uint64_t nextF = 0;
    for (uint32_t g = 0; g < count[kArrG]; ++g) {
        uint8_t* group = elementAt(kArrG, g);
        uint64_t first = nextF;
        nextF += le_U32(group + kGroupFCountOffset);
        if (nextF > count[kArrF]) return false;
        le_PutU32(group + kGroupFAddrOffset, addressOf(kArrF, first));
    }
    // The polygons of the nodes' ranges: the ranges are consecutive from the array start, so
    // these are the first ranges[1].next polygons.
    for (uint64_t p = 0; p < ranges[1].next; ++p) {
        uint8_t* polygon = elementAt(kArrP, p);
        uint32_t surface = le_U32(polygon + kPolySurfaceOffset);
        if (surface >= count[kArrS]) return false;
        le_PutU32(polygon + kPolySurfaceOffset, addressOf(kArrS, surface));
    }
    return true;
}

// The first of the model's textures (table indices first..end-1) with the given id, or -1.
int findTexture(const ModelTables& tables, int first, int end, uint8_t id) {
    for (int i = first; i < end; ++i) {
        if (tables.textures[i].record[kTextureIdOffset] == id &&
            tables.textures[i].record[kTextureIdOffset + 1] == 0)
            return i;
    }
    return -1;
}

void storeDimensions(uint8_t* surface, const ModelTexture& texture) {
    uint16_t lw = log2Below16(le_U16(texture.record + kTextureWidthOffset));
    uint16_t lh = log2Below16(le_U16(texture.record + kTextureHeightOffset));
    le_PutU16(surface + kSurfLog2WOffset, lw);
    le_PutU16(surface + kSurfLog2HOffset, lh);
    le_PutU16(surface + kSurfMaskWOffset, static_cast<uint16_t>((1u << lw) - 1));
    le_PutU16(surface + kSurfMaskHOffset, static_cast<uint16_t>((1u << lh) - 1));
}

// Surface preparation and render fields (the texture matching runs over this model's textures).
void prepareSurface(uint8_t* surface, ModelTables& tables, int first, int end, int tag) {
    uint32_t flags = le_U32(surface + kSurfFlagsOffset);
    // Texture addresses only ever hold what the loader found; never a value from the file.
    for (uint32_t at : {kSurfPixelsOffset, kSurfSecondPixelsOffset, kSurfPaletteOffset, kSurfEndOffset})
        le_PutU32(surface + at, 0);
    if ((flags & kSurfScaledFlag) != 0) {
        double scaled = le_U16(surface + kSurfSizeOffset) * kSurfaceScale;
        le_PutU16(surface + kSurfSizeOffset, static_cast<uint16_t>(scaled));
    }
    le_PutU16(surface + kSurfTagOffset, static_cast<uint16_t>(tag));
    if ((flags & kSurfTexturedFlag) != 0) {
        int found = findTexture(tables, first, end, surface[kSurfTextureIdOffset]);
        if (found >= 0) {
            const ModelTexture& texture = tables.textures[found];
            le_PutU16(surface + kSurfTextureIndexOffset, static_cast<uint16_t>(found));
            le_PutU32(surface + kSurfPixelsOffset, le_U32(texture.record + kTexturePixelsOffset));
            le_PutU32(surface + kSurfPaletteOffset, le_U32(texture.record + kTexturePaletteOffset));
            le_PutU32(surface + kSurfEndOffset, le_U32(texture.record + kTextureRgbOffset));
            if ((texture.record[kTextureFlagsOffset] & kTextureTransparentFlag) != 0)
                flags |= kSurfTransparentFlag;
            storeDimensions(surface, texture);
        } else {
            flags &= ~kSurfTexturedFlag;
        }
        // A surface with both textures still needs the second one's pixels for its render
        // fields; find them too rather than leave the field as the file had it.
        if ((flags & kSurfSecondTextureFlag) != 0) {
            int second = findTexture(tables, first, end, surface[kSurfSecondIdOffset]);
            if (second >= 0)
                le_PutU32(surface + kSurfSecondPixelsOffset,
                          le_U32(tables.textures[second].record + kTexturePixelsOffset));
        }
    } else if ((flags & kSurfSecondTextureFlag) != 0) {
        int found = findTexture(tables, first, end, surface[kSurfSecondIdOffset]);
        if (found >= 0) {
            const ModelTexture& texture = tables.textures[found];
            le_PutU32(surface + kSurfSecondPixelsOffset, le_U32(texture.record + kTexturePixelsOffset));
            storeDimensions(surface, texture);
        } else {
            flags &= ~kSurfSecondTextureFlag;
        }
    }
    le_PutU32(surface + kSurfFlagsOffset, flags);

    surface[kSurfRenderByte90Offset] = 0;
    surface[kSurfRenderByte91Offset] = 0;
    le_PutU32(surface + kSurfRenderPixelsOffset, le_U32(surface + kSurfPixelsOffset));
    le_PutU32(surface + kSurfRenderWord84Offset, le_U32(surface + kSurfWord20Offset));
    surface[kSurfRenderLog2WOffset] = static_cast<uint8_t>(le_U16(surface + kSurfLog2WOffset));
    surface[kSurfRenderLog2HOffset] = static_cast<uint8_t>(le_U16(surface + kSurfLog2HOffset));
    std::memset(surface + kSurfRenderClearOffset, 0, 8);
    uint32_t mode = 0;
    if ((flags & kSurfTexturedFlag) != 0) {
        mode = kSurfModeTextured;
        const ModelTexture& texture = tables.textures[le_U16(surface + kSurfTextureIndexOffset)];
        const uint8_t* palette = texture.data + texture.pixel_size;
        uint8_t* rgb = texture.data + texture.pixel_size + kTexturePaletteSize;
        for (uint32_t i = 0; i < 256; ++i) {
            rgb[3 * i + 0] = palette[4 * i + 2];
            rgb[3 * i + 1] = palette[4 * i + 1];
            rgb[3 * i + 2] = palette[4 * i + 0];
        }
    }
    if ((flags & kSurfSecondTextureFlag) != 0) {
        mode |= (flags & kSurfTexturedFlag) != 0 ? kSurfModeSecondOnTextured : kSurfModeSecondOnly;
        le_PutU32(surface + kSurfRenderPixelsOffset, le_U32(surface + kSurfSecondPixelsOffset));
    }
    le_PutU32(surface + kSurfRenderModeOffset, mode);
}

// Vertices stored in world position become relative to their nodes (16-bit arithmetic, as
// stored); each node's relative position becomes its position minus its parent's.
void makeRelative(ModelLod& lod) {
    const uint8_t* header = lod.header;
    auto arrayAt = [&](ModelArray array) {
        return lod.data + (le_U32(header + lod_AddressOffset(array)) - le_U32(header + kLodDataOffset));
    };
    const uint32_t vertexCount = le_U32(header + lod_CountOffset(kArrV));
    const uint32_t nodeCount = le_U32(header + lod_CountOffset(kArrN));
    uint8_t* vertices = arrayAt(kArrV);
    uint8_t* nodes = arrayAt(kArrN);
    for (uint32_t v = 0; v < vertexCount; ++v) {
        uint8_t* vertex = vertices + size_t(v) * kModelElementSize[kArrV];
        uint16_t n = le_U16(vertex + kVertexNodeOffset);
        if (n >= nodeCount) continue; // names no node: left as stored
        const uint8_t* node = nodes + size_t(n) * kModelElementSize[kArrN];
        for (uint32_t k = 0; k < 3; ++k) {
            uint16_t shift = static_cast<uint16_t>(le_I32(node + kNodePosXOffset + 4 * k) >> 8);
            le_PutU16(vertex + 2 * k, static_cast<uint16_t>(le_U16(vertex + 2 * k) - shift));
        }
    }
    for (uint32_t n = 0; n < nodeCount; ++n) {
        uint8_t* node = nodes + size_t(n) * kModelElementSize[kArrN];
        int32_t parent = le_I32(node + kNodeParentOffset);
        bool hasParent = parent >= 0 && uint32_t(parent) < nodeCount && uint32_t(parent) != n;
        const uint8_t* parentNode = hasParent ? nodes + size_t(parent) * kModelElementSize[kArrN] : nullptr;
        for (uint32_t k = 0; k < 3; ++k) {
            uint32_t pos = le_U32(node + kNodePosXOffset + 4 * k);
            uint32_t base = parentNode != nullptr ? le_U32(parentNode + kNodePosXOffset + 4 * k) : 0;
            le_PutU32(node + kNodeRelXOffset + 4 * k, pos - base);
        }
    }
}

// The LOD name: the path without its last four characters, keeping what fits.
void nameLod(ModelLod& lod, const char* path) {
    size_t length = std::strlen(path);
    length = length > 4 ? length - 4 : 0;
    length = std::min<size_t>(length, kLodNameSize - 1);
    std::memset(lod.header + kLodNameOffset, 0, kLodNameSize);
    std::memcpy(lod.header + kLodNameOffset, path, length);
    std::memcpy(lod.tag, path, length);
    lod.tag[length] = '\0';
}

enum class LodResult { Loaded, Missing, Broken };

// Reads one LOD into the next table slot. Missing: the LOD does not fit the arena or its data
// are inconsistent (its bytes were consumed, the slot is not counted). Broken: the file ended.
LodResult readLod(ModelSource& source, ModelTables& tables, int first, int end, int tag, const char* path) {
    ModelLod& lod = tables.lods[tables.lod_count];
    if (!source.read(lod.header, kLodHeaderSize)) return LodResult::Broken;
    uint32_t size = le_U32(lod.header + kLodDataSizeOffset);
    if (size > source.remaining()) return LodResult::Broken;
    copyTag(lod.tag, sizeof lod.tag, lod.header + kLodNameOffset, kLodNameSize);
    lod.data = static_cast<uint8_t*>(mem_GetMemEx(size, kLodAlignment, 0, lod.tag));
    lod.data_size = size;
    if (lod.data == nullptr) return source.skip(size) ? LodResult::Missing : LodResult::Broken;
    if (!source.read(lod.data, size)) {
        mem_FreeMem(lod.data);
        lod.data = nullptr;
        return LodResult::Broken;
    }
    if (!relocate(lod)) {
        mem_FreeMem(lod.data);
        lod.data = nullptr;
        return LodResult::Missing;
    }
    uint32_t surfaceCount = le_U32(lod.header + lod_CountOffset(kArrS));
    uint8_t* surfaces =
        lod.data + (le_U32(lod.header + lod_AddressOffset(kArrS)) - le_U32(lod.header + kLodDataOffset));
    for (uint32_t s = 0; s < surfaceCount; ++s)
        prepareSurface(surfaces + size_t(s) * kModelElementSize[kArrS], tables, first, end, tag);
    if ((lod.header[kLodFlagsOffset] & kLodVerticesWorldFlag) != 0) makeRelative(lod);
    nameLod(lod, path);
    ++tables.lod_count;
    return LodResult::Loaded;
}

int32_t extentOf(const ModelLod* lod) {
    ModelLodView view(lod);
    int32_t extent = 0;
    for (uint32_t s = 0; s < view.surfaceCount(); ++s) {
        ModelSurface surface;
        if (!view.surface(s, surface) || surface.kind < 1 || surface.kind > 7) continue;
        extent = std::max(extent, int32_t(surface.count) * int32_t(surface.size));
    }
    return extent;
}

// Gives back what a failed load took: its textures, its LODs and their blocks.
void rollBack(ModelTables& tables, int textureCount, int lodCount) {
    for (int i = textureCount; i < tables.texture_count; ++i)
        mem_FreeMem(tables.textures[i].data);
    for (int i = lodCount; i < tables.lod_count; ++i)
        mem_FreeMem(tables.lods[i].data);
    tables.texture_count = textureCount;
    tables.lod_count = lodCount;
}

} // namespace

bool ModelMemorySource::read(void* buffer, size_t count) {
    if (count > size_ - pos_) return false;
    if (count != 0) std::memcpy(buffer, data_ + pos_, count);
    pos_ += count;
    return true;
}

bool ModelMemorySource::skip(size_t count) {
    if (count > size_ - pos_) return false;
    pos_ += count;
    return true;
}

int model_LoadFrom(ModelRecord& record, ModelSource& source, const char* path, int tag) {
    ModelTables& tables = model_Tables();
    uint8_t* header = record.header;
    if (path == nullptr || !source.read(header, kModelHeaderSize)) return 0;
    if (std::memcmp(header + kModelMagicOffset, "3DI", 3) != 0 ||
        header[kModelVersionOffset] < kModelMinVersion)
        return 0;

    const int firstTexture = tables.texture_count;
    const int firstLod = tables.lod_count;
    uint8_t countBytes[4];
    if (!source.read(countBytes, sizeof countBytes)) return 0;
    const int32_t textureCount = le_I32(countBytes);
    for (int32_t i = 0; i < textureCount; ++i) {
        if (!readTexture(source, tables, tag)) {
            rollBack(tables, firstTexture, firstLod);
            return 0;
        }
    }
    const int endTexture = tables.texture_count;
    le_PutU16(header + kModelFirstTextureOffset, static_cast<uint16_t>(firstTexture));
    le_PutU16(header + kModelEndTextureOffset, static_cast<uint16_t>(endTexture));

    // At most four LODs are read: a larger count must not write past the four references.
    const int lodCount = model_LodCount(record);
    uint32_t refs[kModelMaxLods] = {};
    for (int i = 0; i < lodCount && tables.lod_count < kModelLodTableSize; ++i) {
        int slot = tables.lod_count;
        LodResult result = readLod(source, tables, firstTexture, endTexture, tag, path);
        if (result == LodResult::Broken) {
            rollBack(tables, firstTexture, firstLod);
            return 0;
        }
        if (result == LodResult::Loaded) refs[i] = static_cast<uint32_t>(slot + 1);
    }
    for (int i = 0; i < kModelMaxLods; ++i)
        le_PutU32(header + kModelLodRefOffset + 4 * uint32_t(i), refs[i]);

    const ModelLod* lod0 = model_Lod(record, 0);
    le_PutU32(header + kModelExtentOffset, static_cast<uint32_t>(lod0 != nullptr ? extentOf(lod0) : 0));
    le_PutU32(header + kModelLod0Word36Offset, lod0 != nullptr ? le_U32(lod0->header + kLodWord36Offset) : 0);
    return 1;
}

int model_Load(ModelRecord& record, const char* path, int tag) {
    if (path == nullptr || file_ExistsEx(path) == 0) return 0;
    if (file_OpenEx(path) < 0) return 0;
    ModelFileSource source;
    int result = source.init() ? model_LoadFrom(record, source, path, tag) : 0;
    file_CloseEx();
    return result;
}
