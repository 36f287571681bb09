#include "gamedata/model_access.h"

#include "foundation/mem_arena.h"
#include "gamedata/model_cache.h"

#include <cstring>

uint32_t model_ArenaAddress(const void* pointer) {
    const MemArena& arena = mem_MainArena();
    if (pointer == nullptr || arena.base == nullptr) return 0;
    uintptr_t address = reinterpret_cast<uintptr_t>(pointer);
    uintptr_t base = reinterpret_cast<uintptr_t>(arena.base);
    if (address <= base || address - base > arena.size) return 0;
    return static_cast<uint32_t>(address - base);
}

const uint8_t* model_ArenaPointer(uint32_t address, size_t size) {
    const MemArena& arena = mem_MainArena();
    if (address == 0 || arena.base == nullptr || address > arena.size || size > arena.size - address)
        return nullptr;
    return arena.base + address;
}

std::string_view model_Name(const ModelRecord& model) {
    const char* name = reinterpret_cast<const char*>(model.header + kModelNameOffset);
    return std::string_view(name, strnlen(name, kModelNameSize));
}

int32_t model_Radius(const ModelRecord& model) {
    return le_I32(model.header + kModelRadiusOffset);
}

int model_LodCount(const ModelRecord& model) {
    int32_t count = le_I32(model.header + kModelLodCountOffset);
    return count < 0 ? 0 : count > kModelMaxLods ? kModelMaxLods : static_cast<int>(count);
}

const ModelLod* model_Lod(const ModelRecord& model, int slot) {
    if (slot < 0 || slot >= kModelMaxLods) return nullptr;
    uint32_t ref = le_U32(model.header + kModelLodRefOffset + 4 * uint32_t(slot));
    const ModelTables& tables = model_Tables();
    if (ref == 0 || ref > uint32_t(tables.lod_count)) return nullptr;
    return &tables.lods[ref - 1];
}

int32_t model_Extent(const ModelRecord& model) {
    return le_I32(model.header + kModelExtentOffset);
}
int model_FirstTexture(const ModelRecord& model) {
    return le_U16(model.header + kModelFirstTextureOffset);
}
int model_EndTexture(const ModelRecord& model) {
    return le_U16(model.header + kModelEndTextureOffset);
}

const ModelTexture* model_Texture(int index) {
    const ModelTables& tables = model_Tables();
    if (index < 0 || index >= tables.texture_count) return nullptr;
    return &tables.textures[index];
}

ModelLodView::ModelLodView(const ModelLod* lod) {
    if (lod == nullptr || lod->data == nullptr) return;
    uint32_t address = le_U32(lod->header + kLodDataOffset);
    if (address == 0 || model_ArenaPointer(address, lod->data_size) != lod->data) return;
    uint32_t offset[kArrCount];
    uint32_t count[kArrCount];
    for (int a = 0; a < kArrCount; ++a) {
        count[a] = le_U32(lod->header + lod_CountOffset(a));
        uint32_t at = le_U32(lod->header + lod_AddressOffset(a));
        if (at < address) return;
        offset[a] = at - address;
        uint64_t end = uint64_t(offset[a]) + uint64_t(count[a]) * kModelElementSize[a];
        if (end > lod->data_size) return;
    }
    data_ = lod->data;
    dataAddress_ = address;
    dataSize_ = lod->data_size;
    flags_ = lod->header[kLodFlagsOffset];
    std::memcpy(offset_, offset, sizeof offset_);
    std::memcpy(count_, count, sizeof count_);
}

const uint8_t* ModelLodView::element(ModelArray array, uint32_t index) const {
    if (array < 0 || array >= kArrCount || index >= count_[array]) return nullptr;
    return data_ + offset_[array] + size_t(index) * kModelElementSize[array];
}

bool ModelLodView::rangeOf(ModelArray array, uint32_t count, uint32_t address, ModelRange& out) const {
    uint32_t start = dataAddress_ + offset_[array];
    uint32_t size = kModelElementSize[array];
    if (count == 0) {
        out = ModelRange{};
        return true;
    }
    if (address < start || (address - start) % size != 0) return false;
    uint32_t first = (address - start) / size;
    if (first > count_[array] || count > count_[array] - first) return false;
    out.first = first;
    out.count = count;
    return true;
}

bool ModelLodView::vertex(uint32_t index, ModelVertex& out) const {
    const uint8_t* v = element(kArrV, index);
    if (v == nullptr) return false;
    out.x = le_I16(v + kVertexXOffset);
    out.y = le_I16(v + kVertexYOffset);
    out.z = le_I16(v + kVertexZOffset);
    out.node = le_U16(v + kVertexNodeOffset);
    return true;
}

bool ModelLodView::node(uint32_t index, ModelNode& out) const {
    const uint8_t* n = element(kArrN, index);
    if (n == nullptr) return false;
    if (!rangeOf(kArrV, le_U32(n + kNodeVCountOffset), le_U32(n + kNodeVAddrOffset), out.vertices) ||
        !rangeOf(kArrP, le_U32(n + kNodePCountOffset), le_U32(n + kNodePAddrOffset), out.polygons) ||
        !rangeOf(kArrB, le_U32(n + kNodeBCountOffset), le_U32(n + kNodeBAddrOffset), out.b_list) ||
        !rangeOf(kArrG, le_U32(n + kNodeGCountOffset), le_U32(n + kNodeGAddrOffset), out.g_list))
        return false;
    out.parent = le_I32(n + kNodeParentOffset);
    for (uint32_t k = 0; k < 3; ++k) {
        out.rel[k] = le_I32(n + kNodeRelXOffset + 4 * k);
        out.pos[k] = le_I32(n + kNodePosXOffset + 4 * k);
    }
    return true;
}

bool ModelLodView::polygon(uint32_t index, ModelPolygon& out) const {
    const uint8_t* p = element(kArrP, index);
    if (p == nullptr) return false;
    out.edge_flags = le_U32(p + kPolyEdgeFlagsOffset);
    for (uint32_t k = 0; k < 3; ++k)
        out.vertex[k] = le_U16(p + kPolyVertexOffset + 2 * k);
    ModelRange surface;
    uint32_t address = le_U32(p + kPolySurfaceOffset);
    out.surface = (address != 0 && rangeOf(kArrS, 1, address, surface)) ? int32_t(surface.first) : -1;
    return true;
}

bool ModelLodView::surface(uint32_t index, ModelSurface& out) const {
    const uint8_t* s = element(kArrS, index);
    if (s == nullptr) return false;
    out.flags = le_U32(s + kSurfFlagsOffset);
    out.texture = (out.flags & kSurfTexturedFlag) != 0 ? le_U16(s + kSurfTextureIndexOffset) : -1;
    out.size = le_U16(s + kSurfSizeOffset);
    out.count = s[kSurfCountOffset];
    out.kind = s[kSurfKindOffset];
    out.log2_width = le_U16(s + kSurfLog2WOffset);
    out.log2_height = le_U16(s + kSurfLog2HOffset);
    out.mask_width = le_U16(s + kSurfMaskWOffset);
    out.mask_height = le_U16(s + kSurfMaskHOffset);
    out.render_mode = le_U32(s + kSurfRenderModeOffset);
    return true;
}

bool ModelLodView::groupFRange(uint32_t index, ModelRange& out) const {
    const uint8_t* g = element(kArrG, index);
    return g != nullptr && rangeOf(kArrF, le_U32(g + kGroupFCountOffset), le_U32(g + kGroupFAddrOffset), out);
}

bool ModelLodView::vertexInModel(uint32_t index, int32_t& x, int32_t& y, int32_t& z) const {
    ModelVertex v;
    if (!vertex(index, v)) return false;
    x = v.x;
    y = v.y;
    z = v.z;
    ModelNode n;
    if ((flags_ & kLodVerticesWorldFlag) != 0 && node(v.node, n)) {
        // The loader subtracted in 16 bits; adding back in 16 bits restores the stored position.
        x = int16_t(uint16_t(v.x) + uint16_t(n.pos[0] >> 8));
        y = int16_t(uint16_t(v.y) + uint16_t(n.pos[1] >> 8));
        z = int16_t(uint16_t(v.z) + uint16_t(n.pos[2] >> 8));
    }
    return true;
}
