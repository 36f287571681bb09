#pragma once
// Typed, bounds-checked reading of loaded models for the map view and the tools.
//
// A model has up to four LODs (0 full detail, 1 medium, 2 low, 3 tiny); any slot below the
// model's LOD count may still be missing. A LOD is drawn part by part: each node (part) owns a
// consecutive range of triangles (P elements) whose corners index the LOD's vertex array.
// Coordinates are world units (1/256 m); the model's local +X axis is its facing (heading 0
// turns it to the north), +Y its left, +Z up.

#include "gamedata/model_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Arena addresses: byte offsets from the start of the main arena; 0 for none.
uint32_t model_ArenaAddress(const void* pointer); // 0 for null or a pointer outside the arena
// The `size` bytes at `address`; null for 0 or a range that leaves the arena.
const uint8_t* model_ArenaPointer(uint32_t address, size_t size);

// ---- Model ---------------------------------------------------------------------------------
std::string_view model_Name(const ModelRecord& model);         // the name field, up to its first NUL
int32_t model_Radius(const ModelRecord& model);                // 24.8 world units
int model_LodCount(const ModelRecord& model);                  // the header's count clamped to 0..4
const ModelLod* model_Lod(const ModelRecord& model, int slot); // null when missing
int32_t model_Extent(const ModelRecord& model);
int model_FirstTexture(const ModelRecord& model); // texture table range of the model
int model_EndTexture(const ModelRecord& model);
const ModelTexture* model_Texture(int index); // a texture table slot in use, or null

// ---- Elements ------------------------------------------------------------------------------
struct ModelVertex {
    int16_t x, y, z; // world units
    uint16_t node;   // as stored (a node index)
};

// A range of elements of one array, as element indices.
struct ModelRange {
    uint32_t first = 0;
    uint32_t count = 0;
};

struct ModelNode {
    ModelRange vertices, polygons, b_list, g_list;
    int32_t parent; // as stored; outside 0..N-1 means none
    int32_t rel[3]; // position relative to the parent, 24.8 (filled for relative LODs)
    int32_t pos[3]; // position, 24.8 world units
};

struct ModelPolygon {
    uint32_t edge_flags; // bit k + 1 hides edge k (0: v0-v1, 1: v1-v2, 2: v2-v0)
    uint16_t vertex[3];  // indices into the LOD's vertex array (checked by the accessors)
    int32_t surface;     // index into the surface array, or -1 when it names none
    bool edgeHidden(int edge) const { return (edge_flags & (2u << edge)) != 0; }
};

struct ModelSurface {
    uint32_t flags;
    int32_t texture; // texture table index when bit 0 (textured) is set, else -1
    uint16_t size;   // size value (scaled by 0.62 when bit 14 is set)
    uint8_t count;
    uint8_t kind;
    uint16_t log2_width, log2_height, mask_width, mask_height;
    uint32_t render_mode; // word 92
};

// A checked view of one LOD: the arrays are located once, and every element read is bounds
// checked. A view of a null or damaged LOD is empty (all counts 0).
class ModelLodView {
  public:
    explicit ModelLodView(const ModelLod* lod);

    bool valid() const { return data_ != nullptr; }
    uint8_t flags() const { return flags_; }
    uint32_t count(ModelArray array) const { return count_[array]; }
    uint32_t nodeCount() const { return count_[kArrN]; }
    uint32_t vertexCount() const { return count_[kArrV]; }
    uint32_t polygonCount() const { return count_[kArrP]; }
    uint32_t surfaceCount() const { return count_[kArrS]; }

    // The raw bytes of element `index` of `array`, or null when out of range.
    const uint8_t* element(ModelArray array, uint32_t index) const;

    bool vertex(uint32_t index, ModelVertex& out) const;
    bool node(uint32_t index, ModelNode& out) const;
    bool polygon(uint32_t index, ModelPolygon& out) const;
    bool surface(uint32_t index, ModelSurface& out) const;
    // The F range of G element `index`.
    bool groupFRange(uint32_t index, ModelRange& out) const;

    // A vertex in the model's frame: as stored, plus its node's position (24.8 shifted right by
    // 8) when the loader made this LOD's vertices relative to their nodes.
    bool vertexInModel(uint32_t index, int32_t& x, int32_t& y, int32_t& z) const;

    // Calls fn(x0, y0, x1, y1) for every outline edge, part by part in node order: each edge of
    // each triangle of each node's range whose hidden bit is clear and whose ends differ in X or
    // Y. Coordinates are the stored vertex X and Y. Triangles naming a vertex out of range are
    // skipped.
    template <class Fn> void forEachOutlineEdge(Fn&& fn) const {
        for (uint32_t n = 0; n < nodeCount(); ++n) {
            ModelNode part;
            if (!node(n, part)) continue;
            for (uint32_t p = part.polygons.first; p < part.polygons.first + part.polygons.count; ++p) {
                ModelPolygon poly;
                ModelVertex v[3];
                if (!polygon(p, poly) || !vertex(poly.vertex[0], v[0]) || !vertex(poly.vertex[1], v[1]) ||
                    !vertex(poly.vertex[2], v[2]))
                    continue;
                for (int e = 0; e < 3; ++e) {
                    const ModelVertex& a = v[e];
                    const ModelVertex& b = v[(e + 1) % 3];
                    if (poly.edgeHidden(e) || (a.x == b.x && a.y == b.y)) continue;
                    fn(int32_t(a.x), int32_t(a.y), int32_t(b.x), int32_t(b.y));
                }
            }
        }
    }

  private:
    // The element range a (count, address) pair names in `array`, if it lies inside it.
    bool rangeOf(ModelArray array, uint32_t count, uint32_t address, ModelRange& out) const;

    const uint8_t* data_ = nullptr;
    uint32_t dataAddress_ = 0;
    uint32_t dataSize_ = 0;
    uint8_t flags_ = 0;
    uint32_t offset_[kArrCount] = {}; // array start, bytes from the block start
    uint32_t count_[kArrCount] = {};
};
