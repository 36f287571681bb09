#include "render/outline_shapes.h"

#include <algorithm>
#include <unordered_map>

namespace {

uint64_t pointKey(int16_t x, int16_t y) {
    return (uint64_t(uint16_t(x)) << 16) | uint16_t(y);
}

} // namespace

void outline_Build(const ModelLod* lod, OutlineShape& out) {
    out.lod = lod;
    out.points.clear();
    out.edges.clear();
    const ModelLodView view(lod);
    if (!view.valid()) return;
    const uint32_t vertexCount = view.vertexCount();
    const uint32_t polygonCount = view.polygonCount();
    // The elements of an array lie one after the other from element 0 on.
    const uint8_t* const vertices = vertexCount > 0 ? view.element(kArrV, 0) : nullptr;
    const uint8_t* const polygons = polygonCount > 0 ? view.element(kArrP, 0) : nullptr;

    std::vector<uint32_t> pointOf(vertexCount);
    std::unordered_map<uint64_t, uint32_t> byPosition;
    for (uint32_t v = 0; v < vertexCount; ++v) {
        const uint8_t* at = vertices + size_t(v) * kModelElementSize[kArrV];
        const int16_t x = le_I16(at + kVertexXOffset), y = le_I16(at + kVertexYOffset);
        const auto [it, added] = byPosition.emplace(pointKey(x, y), uint32_t(out.points.size()));
        if (added) out.points.push_back(LocalPoint{double(x), double(y)});
        pointOf[v] = it->second;
    }

    std::unordered_map<uint64_t, size_t> edgeAt;
    for (uint32_t n = 0; n < view.nodeCount(); ++n) {
        ModelNode part;
        if (!view.node(n, part)) continue;
        for (uint32_t p = part.polygons.first; p < part.polygons.first + part.polygons.count; ++p) {
            if (p >= polygonCount) continue;
            const uint8_t* poly = polygons + size_t(p) * kModelElementSize[kArrP];
            const uint32_t edgeFlags = le_U32(poly + kPolyEdgeFlagsOffset);
            const uint16_t corner[3] = {le_U16(poly + kPolyVertexOffset),
                                        le_U16(poly + kPolyVertexOffset + 2),
                                        le_U16(poly + kPolyVertexOffset + 4)};
            if (corner[0] >= vertexCount || corner[1] >= vertexCount || corner[2] >= vertexCount) continue;
            for (int e = 0; e < 3; ++e) {
                const uint32_t a = pointOf[corner[e]];
                const uint32_t b = pointOf[corner[(e + 1) % 3]];
                if ((edgeFlags & (2u << e)) != 0 || a == b) continue;
                if (!edgeAt.emplace((uint64_t(a) << 32) | b, out.edges.size()).second) continue;
                const bool reverseSeen = edgeAt.count((uint64_t(b) << 32) | a) != 0;
                out.edges.push_back(OutlineEdge{a, b, reverseSeen});
            }
        }
    }
}

const OutlineShape& OutlineCache::shape(const ModelLod* lod) {
    if (last_ < shapes_.size() && shapes_[last_].lod == lod) return shapes_[last_];
    for (size_t i = 0; i < shapes_.size(); ++i)
        if (shapes_[i].lod == lod) {
            last_ = i;
            return shapes_[i];
        }
    last_ = shapes_.size();
    outline_Build(lod, shapes_.emplace_back());
    return shapes_[last_];
}
