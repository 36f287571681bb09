#include "demo/model_writer.h"

#include "foundation/atomic_file.h"

#include <cstring>
#include <limits>

namespace {

constexpr uint64_t kMaxBlockSize = 0x7FFFFFFF;
constexpr size_t kMaxLodVertices = 65536;

void putName(uint8_t* field, const std::string& name) {
    std::memcpy(field, name.data(), name.size());
}

void putPattern(uint8_t* element, int array, size_t arrayOffset, size_t size) {
    for (size_t i = 0; i < size; ++i)
        element[i] = model_PatternByte(array, arrayOffset + i);
}

// Element counts of a LOD's arrays, or false when they do not fit the format.
bool countsOf(const ModelDescLod& lod, uint64_t (&count)[kArrCount]) {
    for (uint64_t& c : count)
        c = 0;
    count[kArrN] = lod.parts.size();
    count[kArrS] = lod.surfaces.size();
    count[kArrE] = lod.e_count;
    for (const ModelDescPart& part : lod.parts) {
        count[kArrV] += part.vertices.size();
        count[kArrP] += part.triangles.size();
        count[kArrB] += part.b_count;
        count[kArrG] += part.groups.size();
        for (uint32_t f : part.groups)
            count[kArrF] += f;
        for (const ModelDescTriangle& t : part.triangles) {
            if (t.surface >= lod.surfaces.size()) return false;
            for (uint16_t v : t.v) {
                if (v >= part.vertices.size()) return false;
            }
        }
    }
    if (count[kArrV] > kMaxLodVertices || lod.parts.size() > 0xFFFF) return false;
    uint64_t bytes = lod.spare_bytes;
    for (int a = 0; a < kArrCount; ++a)
        bytes += count[a] * kModelElementSize[a];
    return bytes <= kMaxBlockSize;
}

bool descriptionValid(const ModelDesc& desc) {
    if (desc.name.size() > kModelNameSize || desc.lods.size() > 0x7FFFFFFF) return false;
    for (const ModelDescTexture& t : desc.textures) {
        if (t.name.size() >= kTextureNameSize || t.second_name.size() >= kTextureSecondNameSize ||
            t.palette.size() > kTexturePaletteSize || t.pixels.size() > kMaxBlockSize)
            return false;
    }
    for (const ModelDescLod& lod : desc.lods) {
        uint64_t count[kArrCount];
        if (lod.name.size() >= kLodNameSize || !countsOf(lod, count)) return false;
    }
    return true;
}

void writeTexture(const ModelDescTexture& t, std::vector<uint8_t>& out) {
    uint8_t record[kTextureRecordSize] = {};
    putName(record + kTextureNameOffset, t.name);
    putName(record + kTextureSecondNameOffset, t.second_name);
    le_PutU32(record + kTextureSizeOffset, static_cast<uint32_t>(t.pixels.size()));
    le_PutU16(record + kTextureIdOffset, t.id);
    record[kTextureFlagsOffset] = t.flags;
    le_PutU16(record + kTextureWidthOffset, t.width);
    le_PutU16(record + kTextureHeightOffset, t.height);
    out.insert(out.end(), record, record + sizeof record);
    out.insert(out.end(), t.pixels.begin(), t.pixels.end());
    size_t paletteAt = out.size();
    out.resize(paletteAt + kTexturePaletteSize, 0);
    std::memcpy(out.data() + paletteAt, t.palette.data(), t.palette.size());
}

void writeLod(const ModelDescLod& lod, std::vector<uint8_t>& out, ModelFileLayout* layout) {
    uint64_t count[kArrCount];
    countsOf(lod, count);
    size_t offset[kArrCount];
    size_t size = 0;
    for (ModelArray array : kModelBlockOrder) {
        offset[array] = size;
        size += count[array] * kModelElementSize[array];
    }
    size += lod.spare_bytes;

    uint8_t header[kLodHeaderSize] = {};
    putName(header + kLodNameOffset, lod.name);
    header[kLodFlagsOffset] = lod.flags;
    le_PutU32(header + kLodDataSizeOffset, static_cast<uint32_t>(size));
    le_PutU32(header + kLodWord36Offset, lod.word36);
    for (int a = 0; a < kArrCount; ++a)
        le_PutU32(header + lod_CountOffset(a), static_cast<uint32_t>(count[a]));
    if (layout != nullptr) layout->lod_headers.push_back(out.size());
    out.insert(out.end(), header, header + sizeof header);

    const size_t blockAt = out.size();
    if (layout != nullptr) {
        layout->lod_data.push_back(blockAt);
        layout->array_offsets.emplace_back(offset, offset + kArrCount);
    }
    out.resize(blockAt + size, 0);
    uint8_t* block = out.data() + blockAt;
    auto element = [&](ModelArray array, size_t index) {
        return block + offset[array] + index * kModelElementSize[array];
    };
    for (ModelArray array : {kArrB, kArrE, kArrF, kArrG}) {
        size_t bytes = count[array] * kModelElementSize[array];
        putPattern(block + offset[array], array, 0, bytes);
    }

    uint32_t nextV = 0, nextP = 0, nextG = 0;
    for (size_t n = 0; n < lod.parts.size(); ++n) {
        const ModelDescPart& part = lod.parts[n];
        uint8_t* node = element(kArrN, n);
        le_PutU32(node + kNodeVCountOffset, static_cast<uint32_t>(part.vertices.size()));
        le_PutU32(node + kNodePCountOffset, static_cast<uint32_t>(part.triangles.size()));
        le_PutU32(node + kNodeBCountOffset, part.b_count);
        le_PutU32(node + kNodeGCountOffset, static_cast<uint32_t>(part.groups.size()));
        le_PutU32(node + kNodeParentOffset, static_cast<uint32_t>(part.parent));
        le_PutU32(node + kNodePosXOffset, static_cast<uint32_t>(part.x));
        le_PutU32(node + kNodePosYOffset, static_cast<uint32_t>(part.y));
        le_PutU32(node + kNodePosZOffset, static_cast<uint32_t>(part.z));
        for (const ModelDescVertex& v : part.vertices) {
            uint8_t* vertex = element(kArrV, nextV++);
            le_PutU16(vertex + kVertexXOffset, static_cast<uint16_t>(v.x));
            le_PutU16(vertex + kVertexYOffset, static_cast<uint16_t>(v.y));
            le_PutU16(vertex + kVertexZOffset, static_cast<uint16_t>(v.z));
            le_PutU16(vertex + kVertexNodeOffset, static_cast<uint16_t>(n));
        }
        const uint32_t firstVertex = nextV - static_cast<uint32_t>(part.vertices.size());
        for (const ModelDescTriangle& t : part.triangles) {
            uint8_t* polygon = element(kArrP, nextP++);
            le_PutU32(polygon + kPolyEdgeFlagsOffset, t.edge_flags);
            for (uint32_t k = 0; k < 3; ++k)
                le_PutU16(polygon + kPolyVertexOffset + 2 * k, static_cast<uint16_t>(firstVertex + t.v[k]));
            le_PutU16(polygon + kPolyCornerCountOffset, 3);
            le_PutU32(polygon + kPolySurfaceOffset, t.surface);
        }
        for (uint32_t f : part.groups) {
            uint8_t* group = element(kArrG, nextG++);
            le_PutU32(group + kGroupFCountOffset, f);
            le_PutU32(group + kGroupFAddrOffset, 0);
        }
    }
    for (size_t s = 0; s < lod.surfaces.size(); ++s) {
        const ModelDescSurface& d = lod.surfaces[s];
        uint8_t* surface = element(kArrS, s);
        le_PutU32(surface + kSurfFlagsOffset, d.flags);
        le_PutU32(surface + kSurfWord20Offset, d.word20);
        le_PutU16(surface + kSurfSizeOffset, d.size);
        surface[kSurfCountOffset] = d.count;
        surface[kSurfKindOffset] = d.kind;
        surface[kSurfTextureIdOffset] = d.texture_id;
        surface[kSurfSecondIdOffset] = d.second_texture_id;
    }
}

} // namespace

uint8_t model_PatternByte(int array, size_t offset) {
    return static_cast<uint8_t>((offset * 7 + static_cast<size_t>(array) * 31 + 1) & 0xFF);
}

bool model_WriteBytes(const ModelDesc& desc, std::vector<uint8_t>& out, ModelFileLayout* layout) {
    if (!descriptionValid(desc)) return false;
    std::vector<uint8_t> bytes;
    if (layout != nullptr) *layout = ModelFileLayout{};
    uint8_t header[kModelHeaderSize] = {};
    std::memcpy(header + kModelMagicOffset, "3DI", 3);
    header[kModelVersionOffset] = desc.version;
    putName(header + kModelNameOffset, desc.name);
    le_PutU32(header + kModelLodCountOffset, static_cast<uint32_t>(desc.lods.size()));
    le_PutU32(header + kModelRadiusOffset, static_cast<uint32_t>(desc.radius));
    bytes.insert(bytes.end(), header, header + sizeof header);

    uint8_t count[4];
    le_PutU32(count, static_cast<uint32_t>(desc.textures.size()));
    bytes.insert(bytes.end(), count, count + sizeof count);
    for (const ModelDescTexture& texture : desc.textures) {
        if (layout != nullptr) layout->texture_records.push_back(bytes.size());
        writeTexture(texture, bytes);
    }
    for (const ModelDescLod& lod : desc.lods)
        writeLod(lod, bytes, layout);
    out.swap(bytes);
    return true;
}

bool model_WriteFile(const ModelDesc& desc, const char* path) {
    std::vector<uint8_t> bytes;
    if (path == nullptr || !model_WriteBytes(desc, bytes)) return false;
    return file_WriteWhole(path, bytes.data(), bytes.size());
}
