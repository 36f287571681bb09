#pragma once
// Writes model files (".3di", version 8) from a simple description: optional textures and up to
// four LODs of parts (nodes) with their vertices and triangles, plus the surfaces the triangles
// use. The file layout is the one of model_file.h.

#include "gamedata/model_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ModelDescTexture {
    std::string name;        // at most 11 characters
    std::string second_name; // at most 15 characters
    uint16_t id = 0;         // matched by surfaces
    uint8_t flags = 0x01;    // bit 0 or bit 3: kept by the loader; bit 5: transparent
    uint16_t width = 0, height = 0;
    std::vector<uint8_t> pixels;  // the pixel data (its size is the record's size)
    std::vector<uint8_t> palette; // up to 1024 bytes: blue, green, red, unused per entry
};

struct ModelDescVertex {
    int16_t x = 0, y = 0, z = 0; // world units
};

struct ModelDescTriangle {
    uint16_t v[3] = {};      // indices into the part's own vertices
    uint32_t surface = 0;    // index into the LOD's surfaces
    uint32_t edge_flags = 0; // bit k + 1 hides edge k
};

// A part: written as one node that owns consecutive ranges of the LOD's arrays.
struct ModelDescPart {
    int32_t parent = -1;         // node index, -1 for none
    int32_t x = 0, y = 0, z = 0; // position, 24.8 world units
    std::vector<ModelDescVertex> vertices;
    std::vector<ModelDescTriangle> triangles;
    uint32_t b_count = 0;         // elements of the B array this node owns
    std::vector<uint32_t> groups; // G elements this node owns, each the count of F elements it owns
};

struct ModelDescSurface {
    uint32_t flags = 0; // bit 0 textured, bit 14 scaled, bit 15 second texture
    uint32_t word20 = 0;
    uint16_t size = 0;
    uint8_t count = 0, kind = 0;
    uint8_t texture_id = 0, second_texture_id = 0;
};

struct ModelDescLod {
    std::string name;  // at most 15 characters (the loader replaces it)
    uint8_t flags = 0; // bit 0: vertices are in world position (made relative on load)
    uint32_t word36 = 0;
    std::vector<ModelDescPart> parts;
    std::vector<ModelDescSurface> surfaces;
    uint32_t e_count = 0;     // E elements (12 bytes each, filled with a byte pattern)
    uint32_t spare_bytes = 0; // unused bytes at the end of the data block
};

struct ModelDesc {
    std::string name; // at most 16 characters
    uint8_t version = 8;
    int32_t radius = 0; // 24.8 world units
    std::vector<ModelDescTexture> textures;
    std::vector<ModelDescLod> lods; // normally 1 to 4
};

// Where the parts of a written file lie (byte offsets from the file start).
struct ModelFileLayout {
    std::vector<size_t> texture_records;
    std::vector<size_t> lod_headers;
    std::vector<size_t> lod_data;
    // Offset of array k inside LOD i's data block: array_offsets[i][k] (ModelArray order).
    std::vector<std::vector<size_t>> array_offsets;
};

// The bytes of the file. False (and `out` unchanged) when the description cannot be written: a
// name too long, a triangle naming a vertex or surface that does not exist, a palette over 1024
// bytes, more than 65,536 vertices in a LOD, or a block over 2 GiB.
bool model_WriteBytes(const ModelDesc& desc, std::vector<uint8_t>& out, ModelFileLayout* layout = nullptr);

// Writes the file at `path` (a loose path) through a temporary file. False on a bad description
// or a write failure.
bool model_WriteFile(const ModelDesc& desc, const char* path);

// The pattern byte the writer puts at `offset` of array `array` for the arrays kept as read
// (B, E, F and the G bytes other than the F range), so tests can recognise them.
uint8_t model_PatternByte(int array, size_t offset);
