#pragma once
// The outline of a model LOD reduced to what placing and drawing it needs: the different (X, Y)
// pairs of its vertices, and its outline edges as pairs of those points. Internal to the renderer.

#include "gamedata/model_access.h"
#include "render/item_geometry.h"

#include <cstdint>
#include <vector>

struct OutlineEdge {
    uint32_t a = 0; // indices into OutlineShape::points
    uint32_t b = 0;
    // The same two points were already met as an edge the other way round. An edge with both ends
    // in the image sets the same pixels either way, so such an edge is drawn only when clipped.
    bool reverseSeen = false;
};

// The outline edges of a LOD, as ModelLodView::forEachOutlineEdge walks them (every edge of every
// triangle of every part whose hidden bit is clear and whose ends differ in X or Y), each edge
// from one point to another kept once, in the order first met. Vertices with the same X and Y
// are one point.
struct OutlineShape {
    const ModelLod* lod = nullptr;
    std::vector<LocalPoint> points;
    std::vector<OutlineEdge> edges;
};

void outline_Build(const ModelLod* lod, OutlineShape& out);

// The shapes of the LODs drawn in one frame, each built once when first asked for. Models must not
// change while a cache holds their shapes (one render pass).
class OutlineCache {
  public:
    const OutlineShape& shape(const ModelLod* lod);

  private:
    std::vector<OutlineShape> shapes_;
    size_t last_ = 0;
};
