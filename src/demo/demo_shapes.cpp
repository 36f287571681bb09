#include "demo/demo_shapes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <strings.h>

namespace {

constexpr double kWorldPerMetre = 256.0;
constexpr uint32_t kHideEdge0 = 2u, kHideEdge1 = 4u, kHideEdge2 = 8u;

struct Point {
    double x, y;
};

// Adds the vertices and triangles of one part (node) of a LOD; coordinates in metres.
class PartBuilder {
  public:
    PartBuilder(ModelDescLod& lod, int parent, double x, double y, double z) : lod_(lod) {
        index_ = lod.parts.size();
        ModelDescPart part;
        part.parent = parent;
        part.x = static_cast<int32_t>(std::lround(x * kWorldPerMetre * 256.0));
        part.y = static_cast<int32_t>(std::lround(y * kWorldPerMetre * 256.0));
        part.z = static_cast<int32_t>(std::lround(z * kWorldPerMetre * 256.0));
        lod.parts.push_back(part);
    }
    int index() const { return static_cast<int>(index_); }
    void useSurface(uint32_t surface) { surface_ = surface; }

    uint16_t vertex(double x, double y, double z) {
        ModelDescPart& part = lod_.parts[index_];
        auto unit = [](double metres) {
            return static_cast<int16_t>(std::clamp(std::lround(metres * kWorldPerMetre), -32767L, 32767L));
        };
        part.vertices.push_back(ModelDescVertex{unit(x), unit(y), unit(z)});
        return static_cast<uint16_t>(part.vertices.size() - 1);
    }
    void triangle(uint16_t a, uint16_t b, uint16_t c, uint32_t hidden) {
        ModelDescTriangle t;
        t.v[0] = a;
        t.v[1] = b;
        t.v[2] = c;
        t.surface = surface_;
        t.edge_flags = hidden;
        lod_.parts[index_].triangles.push_back(t);
    }
    // Two triangles sharing the hidden diagonal a-c.
    void quad(uint16_t a, uint16_t b, uint16_t c, uint16_t d) {
        triangle(a, b, c, kHideEdge2);
        triangle(a, c, d, kHideEdge0);
    }
    // A convex polygon as a fan whose inner edges are hidden.
    void fan(const std::vector<uint16_t>& ring) {
        size_t n = ring.size();
        for (size_t i = 1; i + 1 < n; ++i) {
            uint32_t hidden = 0;
            if (i != 1) hidden |= kHideEdge0;
            if (i + 2 != n) hidden |= kHideEdge2;
            triangle(ring[0], ring[i], ring[i + 1], hidden);
        }
    }
    // A solid between a bottom and a top outline (same corner count, counter-clockwise from
    // above): side faces and a top cap.
    // With `smooth`, the edges running up the sides are hidden too (a rounded body).
    void solid(const std::vector<Point>& bottom, const std::vector<Point>& top, double z0, double z1,
               bool smooth = false) {
        std::vector<uint16_t> b, t;
        for (const Point& p : bottom)
            b.push_back(vertex(p.x, p.y, z0));
        for (const Point& p : top)
            t.push_back(vertex(p.x, p.y, z1));
        size_t n = b.size();
        for (size_t i = 0; i < n; ++i) {
            uint16_t b0 = b[i], b1 = b[(i + 1) % n], t1 = t[(i + 1) % n], t0 = t[i];
            if (!smooth) {
                quad(b0, b1, t1, t0);
                continue;
            }
            triangle(b0, b1, t1, kHideEdge1 | kHideEdge2);
            triangle(b0, t1, t0, kHideEdge0 | kHideEdge2);
        }
        fan(t);
    }
    void box(double x0, double y0, double x1, double y1, double z0, double z1) {
        std::vector<Point> r = rect(x0, y0, x1, y1);
        solid(r, r, z0, z1);
    }
    // A thin bar from (xa, ya) to (xb, yb), `width` across.
    void bar(double xa, double ya, double xb, double yb, double width, double z0, double z1) {
        double dx = xb - xa, dy = yb - ya;
        double len = std::hypot(dx, dy);
        if (len <= 0) return;
        double nx = -dy / len * width / 2, ny = dx / len * width / 2;
        std::vector<Point> r = {
            {xa - nx, ya - ny}, {xb - nx, yb - ny}, {xb + nx, yb + ny}, {xa + nx, ya + ny}};
        solid(r, r, z0, z1);
    }
    // An upright prism over an ellipse of `sides` corners.
    void prism(double cx, double cy, double rx, double ry, double z0, double z1, int sides, double turn = 0) {
        std::vector<Point> r = ring(cx, cy, rx, ry, sides, turn);
        solid(r, r, z0, z1);
    }
    // A cone: a ring at z0 rising to an apex at z1; only the ring shows from above.
    void cone(double cx, double cy, double r, double z0, double z1, int sides, double turn = 0) {
        std::vector<Point> base = ring(cx, cy, r, r, sides, turn);
        std::vector<uint16_t> b;
        for (const Point& p : base)
            b.push_back(vertex(p.x, p.y, z0));
        uint16_t apex = vertex(cx, cy, z1);
        for (size_t i = 0; i < b.size(); ++i)
            triangle(b[i], b[(i + 1) % b.size()], apex, kHideEdge1 | kHideEdge2);
    }
    // A flat outline at height z.
    void flat(const std::vector<Point>& outline, double z) {
        std::vector<uint16_t> v;
        for (const Point& p : outline)
            v.push_back(vertex(p.x, p.y, z));
        fan(v);
    }

    static std::vector<Point> rect(double x0, double y0, double x1, double y1) {
        return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    }
    static std::vector<Point> ring(double cx, double cy, double rx, double ry, int sides, double turn) {
        std::vector<Point> r;
        for (int i = 0; i < sides; ++i) {
            double a = turn + 2 * std::numbers::pi * i / sides;
            r.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
        }
        return r;
    }

  private:
    ModelDescLod& lod_;
    size_t index_;
    uint32_t surface_ = 0;
};

struct Size {
    double l, w, h; // length (X), width (Y), height (Z), metres
};

ModelDescLod& newLod(ModelDesc& desc, const char* suffix) {
    ModelDescLod lod;
    lod.name = std::string(desc.name.substr(0, kLodNameSize - 1 - std::strlen(suffix))) + suffix;
    lod.surfaces.resize(2); // 0 body, 1 details
    desc.lods.push_back(lod);
    return desc.lods.back();
}

void buildBox(ModelDesc& d, const Size& s) {
    PartBuilder full(newLod(d, "_0"), -1, 0, 0, 0);
    full.box(-s.l / 2, -s.w / 2, s.l / 2, s.w / 2, 0, s.h);
    PartBuilder tiny(newLod(d, "_1"), -1, 0, 0, 0);
    tiny.flat(PartBuilder::rect(-s.l / 2, -s.w / 2, s.l / 2, s.w / 2), s.h);
}

void buildCylinder(ModelDesc& d, const Size& s) {
    const int sides[] = {16, 8, 4};
    for (int i = 0; i < 3; ++i) {
        PartBuilder p(newLod(d, i == 0 ? "_0" : i == 1 ? "_1" : "_2"), -1, 0, 0, 0);
        p.prism(0, 0, s.l / 2, s.w / 2, 0, s.h, sides[i], i == 2 ? std::numbers::pi / 4 : 0);
    }
}

void buildTree(ModelDesc& d, const Size& s) {
    const double r = std::min(s.l, s.w) / 2;
    const char* names[] = {"_0", "_1", "_2", "_3"};
    const int crown[] = {12, 8, 6, 4};
    for (int i = 0; i < 4; ++i) {
        PartBuilder trunk(newLod(d, names[i]), -1, 0, 0, 0);
        if (i == 0) trunk.prism(0, 0, r * 0.12, r * 0.12, 0, s.h * 0.4, 6);
        trunk.useSurface(1);
        trunk.cone(0, 0, r, s.h * 0.35, s.h, crown[i]);
        if (i < 2) trunk.cone(0, 0, r * 0.6, s.h * 0.65, s.h, crown[i] / 2 + 2, std::numbers::pi / crown[i]);
    }
}

void buildVehicle(ModelDesc& d, const Size& s) {
    const double l = s.l / 2, w = s.w / 2;
    for (int i = 0; i < 4; ++i) {
        ModelDescLod& lod = newLod(d, i == 0 ? "_0" : i == 1 ? "_1" : i == 2 ? "_2" : "_3");
        PartBuilder hull(lod, -1, 0, 0, 0);
        if (i == 3) {
            hull.flat(PartBuilder::rect(-l, -w, l, w), s.h * 0.55);
            continue;
        }
        hull.box(-l, -w * 0.92, l, w * 0.92, s.h * 0.15, s.h * 0.55);
        hull.useSurface(1);
        if (i == 2) {
            hull.flat(PartBuilder::rect(l * 0.3, -w * 0.8, l * 0.9, w * 0.8), s.h);
            continue;
        }
        // The cabin sits at the front, narrowing towards its roof.
        hull.solid(PartBuilder::rect(l * 0.3, -w * 0.85, l * 0.9, w * 0.85),
                   PartBuilder::rect(l * 0.35, -w * 0.75, l * 0.75, w * 0.75), s.h * 0.55, s.h);
        if (i == 0) {
            for (double x : {-l * 0.6, l * 0.6}) {
                for (double y : {-1.0, 1.0})
                    hull.box(x - l * 0.15, y * w * 0.85, x + l * 0.15, y * w, 0, s.h * 0.3);
            }
        }
    }
}

void buildTank(ModelDesc& d, const Size& s) {
    const double l = s.l / 2, w = s.w / 2;
    const double hullFront = l * 0.5, turretX = -l * 0.15;
    for (int i = 0; i < 4; ++i) {
        ModelDescLod& lod = newLod(d, i == 0 ? "_0" : i == 1 ? "_1" : i == 2 ? "_2" : "_3");
        PartBuilder hull(lod, -1, 0, 0, 0);
        if (i == 3) {
            hull.flat(PartBuilder::rect(-l, -w, hullFront, w), s.h * 0.45);
            hull.bar(turretX, 0, l, 0, w * 0.12, s.h * 0.6, s.h * 0.65);
            continue;
        }
        // Hull with a sloped glacis, the tracks along both sides.
        hull.solid(PartBuilder::rect(-l, -w * 0.7, hullFront, w * 0.7),
                   PartBuilder::rect(-l * 0.95, -w * 0.7, hullFront * 0.6, w * 0.7), s.h * 0.15, s.h * 0.45);
        if (i < 2) {
            hull.useSurface(1);
            for (double y : {-1.0, 1.0})
                hull.box(-l, y * w * 0.7, hullFront, y * w, 0, s.h * 0.35);
        }
        PartBuilder turret(lod, hull.index(), turretX, 0, s.h * 0.45);
        if (i == 0)
            turret.prism(turretX, 0, l * 0.3, w * 0.55, s.h * 0.45, s.h * 0.75, 8, std::numbers::pi / 8);
        else if (i == 1)
            turret.box(turretX - l * 0.28, -w * 0.5, turretX + l * 0.28, w * 0.5, s.h * 0.45, s.h * 0.75);
        turret.useSurface(1);
        turret.bar(turretX, 0, l, 0, w * (i == 0 ? 0.1 : 0.12), s.h * 0.58, s.h * 0.66);
    }
}

void buildHelicopter(ModelDesc& d, const Size& s) {
    const double l = s.l / 2, w = s.w / 2;
    const double rotor = std::min(s.l, s.w) * 0.48, hub = l * 0.1;
    const int body[] = {10, 6, 4};
    for (int i = 0; i < 4; ++i) {
        ModelDescLod& lod = newLod(d, i == 0 ? "_0" : i == 1 ? "_1" : i == 2 ? "_2" : "_3");
        PartBuilder fuselage(lod, -1, 0, 0, 0);
        if (i < 3) fuselage.prism(l * 0.15, 0, l * 0.4, std::min(w * 0.3, l * 0.2), 0, s.h * 0.8, body[i]);
        if (i < 2) {
            fuselage.bar(-l * 0.2, 0, -l, 0, std::min(w, l) * 0.08, s.h * 0.5, s.h * 0.65);
            fuselage.useSurface(1);
            fuselage.bar(-l * 0.95, -w * 0.15, -l * 0.95, w * 0.15, l * 0.03, s.h * 0.55, s.h * 0.9);
        }
        PartBuilder rotorPart(lod, fuselage.index(), hub, 0, s.h);
        rotorPart.useSurface(1);
        const double a = rotor * std::numbers::sqrt2 / 2, blade = rotor * 0.08;
        rotorPart.bar(hub - a, -a, hub + a, a, blade, s.h * 0.97, s.h);
        rotorPart.bar(hub - a, a, hub + a, -a, blade, s.h * 0.97, s.h);
    }
}

void buildBuilding(ModelDesc& d, const Size& s) {
    const double l = s.l / 2, w = s.w / 2, eaves = s.h * 0.65;
    for (int i = 0; i < 3; ++i) {
        PartBuilder b(newLod(d, i == 0 ? "_0" : i == 1 ? "_1" : "_2"), -1, 0, 0, 0);
        if (i == 2) {
            b.box(-l, -w, l, w, 0, s.h);
            continue;
        }
        b.box(-l, -w, l, w, 0, eaves);
        b.useSurface(1);
        // Gable roof with a small overhang; the ridge runs along the longer side.
        const double o = std::min(l, w) * 0.06;
        const bool alongX = l >= w;
        uint16_t c0 = b.vertex(-l - o, -w - o, eaves), c1 = b.vertex(l + o, -w - o, eaves);
        uint16_t c2 = b.vertex(l + o, w + o, eaves), c3 = b.vertex(-l - o, w + o, eaves);
        uint16_t r0 = alongX ? b.vertex(-l - o, 0, s.h) : b.vertex(0, -w - o, s.h);
        uint16_t r1 = alongX ? b.vertex(l + o, 0, s.h) : b.vertex(0, w + o, s.h);
        if (alongX) {
            b.quad(c0, c1, r1, r0);
            b.quad(c2, c3, r0, r1);
            b.triangle(c1, c2, r1, 0);
            b.triangle(c3, c0, r0, 0);
        } else {
            b.quad(c1, c2, r1, r0);
            b.quad(c3, c0, r0, r1);
            b.triangle(c0, c1, r0, 0);
            b.triangle(c2, c3, r1, 0);
        }
        if (i == 0) {
            const double cx = alongX ? l * 0.5 : l * 0.4, cy = alongX ? w * 0.4 : w * 0.5;
            const double c = std::min(l, w) * 0.08;
            b.box(cx - c, cy - c, cx + c, cy + c, eaves, s.h * 1.05);
        }
    }
}

void buildFence(ModelDesc& d, const Size& s) {
    const double l = s.l / 2, t = std::clamp(s.w, 0.1, 1.0) / 2; // posts and rails stay slim
    for (int i = 0; i < 3; ++i) {
        PartBuilder f(newLod(d, i == 0 ? "_0" : i == 1 ? "_1" : "_2"), -1, 0, 0, 0);
        if (i == 2) {
            f.box(-l, -t * 0.5, l, t * 0.5, 0, s.h);
            continue;
        }
        int gaps = std::max(1, static_cast<int>(std::lround(s.l / 2.5)));
        for (int k = 0; k <= gaps; ++k) {
            if (i == 1 && k != 0 && k != gaps) continue;
            double x = -l + s.l * k / gaps;
            f.box(x - t, -t, x + t, t, 0, s.h);
        }
        f.useSurface(1);
        for (double z : {0.45, 0.85}) {
            if (i == 1 && z < 0.5) continue;
            f.box(-l, -t * 0.4, l, t * 0.4, s.h * z, s.h * (z + 0.08));
        }
    }
}

void buildCone(ModelDesc& d, const Size& s) {
    const int sides[] = {12, 8, 5};
    for (int i = 0; i < 3; ++i) {
        PartBuilder p(newLod(d, i == 0 ? "_0" : i == 1 ? "_1" : "_2"), -1, 0, 0, 0);
        p.cone(0, 0, std::min(s.l, s.w) / 2, 0, s.h, sides[i]);
    }
}

void buildSphere(ModelDesc& d, const Size& s) {
    const double l = s.l / 2, w = s.w / 2;
    const int sides[] = {12, 8, 5};
    for (int i = 0; i < 3; ++i) {
        PartBuilder p(newLod(d, i == 0 ? "_0" : i == 1 ? "_1" : "_2"), -1, 0, 0, 0);
        const int n = sides[i];
        // Bands between rings at rising heights; the widest ring is the outline from above.
        const double heights[] = {0.0, 0.45, 0.8, 1.0};
        const double radii[] = {0.75, 1.0, 0.7, 0.2};
        const int bands = i == 0 ? 3 : 2;
        for (int b = 0; b < bands; ++b) {
            const int top = b + 1 == bands ? 3 : b + 1;
            std::vector<Point> lower = PartBuilder::ring(0, 0, l * radii[b], w * radii[b], n, 0);
            std::vector<Point> upper = PartBuilder::ring(0, 0, l * radii[top], w * radii[top], n, 0);
            p.solid(lower, upper, s.h * heights[b], s.h * heights[top], true);
        }
    }
}

void buildFlat(ModelDesc& d, const Size& s) {
    const double l = s.l / 2, w = s.w / 2;
    for (int i = 0; i < 2; ++i) {
        PartBuilder p(newLod(d, i == 0 ? "_0" : "_1"), -1, 0, 0, 0);
        p.box(-l, -w, l, w, s.h * 0.75, s.h * 0.85);
        if (i == 1) continue;
        p.useSurface(1);
        const double rail = std::min(0.15, w * 0.1);
        for (double y : {-1.0, 1.0})
            p.box(-l, y * w - rail, l, y * w, s.h * 0.85, s.h);
        int gaps = std::max(1, static_cast<int>(std::lround(s.l / 6)));
        for (int k = 0; k <= gaps; ++k) {
            double x = -l + (s.l - 0.4) * k / gaps;
            for (double y : {-1.0, 1.0})
                p.box(x, y * w * 0.8 - 0.2, x + 0.4, y * w * 0.8 + 0.2, 0, s.h * 0.75);
        }
    }
}

void buildTower(ModelDesc& d, const Size& s) {
    const double l = s.l / 2, w = s.w / 2, leg = std::min(l, w) * 0.1;
    for (int i = 0; i < 3; ++i) {
        PartBuilder p(newLod(d, i == 0 ? "_0" : i == 1 ? "_1" : "_2"), -1, 0, 0, 0);
        if (i == 2) {
            p.box(-l, -w, l, w, 0, s.h);
            continue;
        }
        if (i == 0) {
            for (double x : {-1.0, 1.0}) {
                for (double y : {-1.0, 1.0})
                    p.box(x * l * 0.8 - leg, y * w * 0.8 - leg, x * l * 0.8 + leg, y * w * 0.8 + leg, 0,
                          s.h * 0.75);
            }
        }
        p.box(-l, -w, l, w, s.h * 0.75, s.h * 0.85);
        p.useSurface(1);
        std::vector<uint16_t> eaves;
        for (const Point& c : PartBuilder::rect(-l, -w, l, w))
            eaves.push_back(p.vertex(c.x, c.y, s.h * 0.9));
        uint16_t apex = p.vertex(0, 0, s.h);
        for (size_t k = 0; k < 4; ++k)
            p.triangle(eaves[k], eaves[(k + 1) % 4], apex, 0);
    }
}

void buildPole(ModelDesc& d, const Size& s) {
    const double r = std::min(s.l, s.w) * 0.1, x = -s.l / 4;
    for (int i = 0; i < 2; ++i) {
        PartBuilder p(newLod(d, i == 0 ? "_0" : "_1"), -1, 0, 0, 0);
        if (i == 0) p.prism(x, 0, r, r, 0, s.h, 6);
        p.useSurface(1);
        uint16_t a = p.vertex(x, 0, s.h), b = p.vertex(s.l / 2, 0, s.h * 0.9), c = p.vertex(x, 0, s.h * 0.8);
        p.triangle(a, b, c, 0);
    }
}

void buildPerson(ModelDesc& d, const Size& s) {
    const double l = s.l / 2, w = s.w / 2;
    const bool lying = s.l > s.h;
    for (int i = 0; i < 2; ++i) {
        PartBuilder p(newLod(d, i == 0 ? "_0" : "_1"), -1, 0, 0, 0);
        if (lying) {
            p.box(-l, -w * 0.6, l * 0.55, w * 0.6, 0, s.h * 0.8);
            if (i == 0) p.prism(l * 0.8, 0, l * 0.2, std::min(w * 0.5, l * 0.2), 0, s.h, 8);
            continue;
        }
        // Standing: shoulders across, the head above them.
        p.prism(0, 0, l, w, 0, s.h * 0.8, i == 0 ? 8 : 4);
        if (i == 0) p.prism(0, 0, std::min(l, w) * 0.4, std::min(l, w) * 0.4, s.h * 0.8, s.h, 6);
    }
}

void buildBoat(ModelDesc& d, const Size& s) {
    const double l = s.l / 2, w = s.w / 2;
    for (int i = 0; i < 3; ++i) {
        PartBuilder p(newLod(d, i == 0 ? "_0" : i == 1 ? "_1" : "_2"), -1, 0, 0, 0);
        std::vector<Point> deck = {{-l, -w * 0.8}, {l * 0.3, -w}, {l, 0}, {l * 0.3, w}, {-l, w * 0.8}};
        std::vector<Point> keel = {{-l * 0.9, -w * 0.6},
                                   {l * 0.25, -w * 0.7},
                                   {l * 0.85, 0},
                                   {l * 0.25, w * 0.7},
                                   {-l * 0.9, w * 0.6}};
        if (i == 2) {
            p.flat(deck, s.h * 0.6);
            continue;
        }
        p.solid(keel, deck, 0, s.h * 0.6);
        if (i == 0) {
            p.useSurface(1);
            p.box(-l * 0.5, -w * 0.5, 0, w * 0.5, s.h * 0.6, s.h);
        }
    }
}

int32_t radiusOf(const ModelDescLod& lod) {
    double r = 0;
    for (const ModelDescPart& part : lod.parts) {
        for (const ModelDescVertex& v : part.vertices)
            r = std::max(r, std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z));
    }
    return static_cast<int32_t>(std::ceil(r * 256.0));
}

} // namespace

bool model_DemoShapeFromName(const char* word, DemoShape& shape) {
    static const struct {
        const char* name;
        DemoShape shape;
    } kShapes[] = {{"box", DemoShape::Box},           {"cylinder", DemoShape::Cylinder},
                   {"tree", DemoShape::Tree},         {"vehicle", DemoShape::Vehicle},
                   {"tank", DemoShape::Tank},         {"helicopter", DemoShape::Helicopter},
                   {"building", DemoShape::Building}, {"fence", DemoShape::Fence},
                   {"cone", DemoShape::Cone},         {"sphere", DemoShape::Sphere},
                   {"flat", DemoShape::Flat},         {"tower", DemoShape::Tower},
                   {"pole", DemoShape::Pole},         {"person", DemoShape::Person},
                   {"boat", DemoShape::Boat}};
    if (word == nullptr) return false;
    for (const auto& entry : kShapes) {
        if (strcasecmp(word, entry.name) == 0) {
            shape = entry.shape;
            return true;
        }
    }
    return false;
}

bool model_BuildDemo(const char* name, double width, double length, double height, DemoShape shape,
                     ModelDesc& out) {
    if (name == nullptr || std::strlen(name) > kModelNameSize) return false;
    auto clampSize = [](double v, double high) { return std::isfinite(v) ? std::clamp(v, 0.2, high) : 1.0; };
    const Size s{clampSize(length, 250.0), clampSize(width, 250.0), clampSize(height, 120.0)};
    ModelDesc desc;
    desc.name = name;
    desc.lods.reserve(kModelMaxLods); // the part builders keep references into the LOD list
    switch (shape) {
    case DemoShape::Box:
        buildBox(desc, s);
        break;
    case DemoShape::Cylinder:
        buildCylinder(desc, s);
        break;
    case DemoShape::Tree:
        buildTree(desc, s);
        break;
    case DemoShape::Vehicle:
        buildVehicle(desc, s);
        break;
    case DemoShape::Tank:
        buildTank(desc, s);
        break;
    case DemoShape::Helicopter:
        buildHelicopter(desc, s);
        break;
    case DemoShape::Building:
        buildBuilding(desc, s);
        break;
    case DemoShape::Fence:
        buildFence(desc, s);
        break;
    case DemoShape::Cone:
        buildCone(desc, s);
        break;
    case DemoShape::Sphere:
        buildSphere(desc, s);
        break;
    case DemoShape::Flat:
        buildFlat(desc, s);
        break;
    case DemoShape::Tower:
        buildTower(desc, s);
        break;
    case DemoShape::Pole:
        buildPole(desc, s);
        break;
    case DemoShape::Person:
        buildPerson(desc, s);
        break;
    case DemoShape::Boat:
        buildBoat(desc, s);
        break;
    }
    desc.radius = radiusOf(desc.lods.front());
    out = std::move(desc);
    return true;
}
