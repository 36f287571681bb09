#pragma once
// Layout of the game's 3-D model files (".3di") and the records the model loader fills.
//
// All integers are little-endian. A file holds a 124-byte model header, a 32-bit texture count,
// per texture a 52-byte record + its pixel data + a 1024-byte palette (blue, green, red, unused),
// then per level of detail (LOD) a 192-byte LOD header followed by its data block. A data block
// holds eight arrays in the order V, B, P, N, E, F, G, S (element sizes below).
//
// Records keep the bytes of the file as read. The fields the loader fills with "addresses" hold,
// on every machine, a 32-bit *arena address*: the byte offset of the target from the start of the
// main memory arena (every LOD and texture block lives there); 0 means none. The four LOD
// references of a model hold the LOD table slot + 1 (0 = no LOD). Read them through the typed,
// bounds-checked accessors of model_access.h rather than by hand.

#include <cstddef>
#include <cstdint>
#include <cstring>

// ---- Model header (124 bytes) --------------------------------------------------------------
constexpr uint32_t kModelHeaderSize = 124;
constexpr uint32_t kModelMagicOffset = 0;   // "3DI"
constexpr uint32_t kModelVersionOffset = 3; // must be kModelMinVersion or more
constexpr uint32_t kModelNameOffset = 4;    // 16 characters, not necessarily NUL-terminated
constexpr uint32_t kModelNameSize = 16;
constexpr uint32_t kModelLodCountOffset = 20;      // 32-bit; at most kModelMaxLods are loaded
constexpr uint32_t kModelLodRefOffset = 80;        // 4 x 32-bit: LOD table slot + 1, or 0
constexpr uint32_t kModelRadiusOffset = 100;       // 24.8 world units
constexpr uint32_t kModelLod0Word36Offset = 104;   // copy of LOD 0's word at 36 (0 without LOD 0)
constexpr uint32_t kModelFirstTextureOffset = 112; // 16-bit texture table index
constexpr uint32_t kModelEndTextureOffset = 114;   // 16-bit, one past the model's last texture
constexpr uint32_t kModelExtentOffset = 116;       // 32-bit
constexpr uint8_t kModelMinVersion = 8;
constexpr int kModelMaxLods = 4;

// ---- Texture record (52 bytes) -------------------------------------------------------------
constexpr uint32_t kTextureRecordSize = 52;
constexpr uint32_t kTextureNameOffset = 0; // 12 characters
constexpr uint32_t kTextureNameSize = 12;
constexpr uint32_t kTextureSecondNameOffset = 12; // 16 characters
constexpr uint32_t kTextureSecondNameSize = 16;
constexpr uint32_t kTextureSizeOffset = 28;       // 32-bit pixel data size in bytes
constexpr uint32_t kTextureIdOffset = 32;         // 16-bit, matched by surfaces (low byte)
constexpr uint32_t kTextureFlagsOffset = 34;      // 8-bit
constexpr uint32_t kTextureTagOffset = 35;        // 8-bit caller tag
constexpr uint32_t kTextureWidthOffset = 36;      // 16-bit
constexpr uint32_t kTextureHeightOffset = 38;     // 16-bit
constexpr uint32_t kTexturePixelsOffset = 40;     // arena address of the pixel data
constexpr uint32_t kTexturePaletteOffset = 44;    // arena address of the 1024-byte palette
constexpr uint32_t kTextureRgbOffset = 48;        // arena address of the 768-byte RGB palette
constexpr uint8_t kTextureKeepMask = 0x09;        // bit 0 or bit 3: the editor keeps the texture
constexpr uint8_t kTextureTransparentFlag = 0x20; // bit 5: surfaces using it get bit 9
constexpr uint32_t kTexturePaletteSize = 1024;
constexpr uint32_t kTextureRgbSize = 768;
constexpr uint32_t kTextureBlockExtra = kTexturePaletteSize + kTextureRgbSize; // 1792

// ---- LOD header (192 bytes) ----------------------------------------------------------------
constexpr uint32_t kLodHeaderSize = 192;
constexpr uint32_t kLodNameOffset = 0;      // 16 characters; after loading the file's path
constexpr uint32_t kLodNameSize = 16;       //   without its four-character extension
constexpr uint32_t kLodFlagsOffset = 16;    // 8-bit
constexpr uint32_t kLodDataSizeOffset = 20; // 32-bit data block size in bytes
constexpr uint32_t kLodDataOffset = 24;     // arena address of the data block
constexpr uint32_t kLodWord36Offset = 36;
constexpr uint8_t kLodVerticesWorldFlag = 0x01; // vertices stored in world position

// The eight arrays of a LOD, indexed in header order (V, B, P, N, E, S, F, G). Array k has its
// count at 128 + 8k and its arena address at 132 + 8k.
enum ModelArray : int { kArrV = 0, kArrB, kArrP, kArrN, kArrE, kArrS, kArrF, kArrG, kArrCount };
constexpr uint32_t kLodArrayCountOffset = 128;
constexpr uint32_t kLodArrayStride = 8;
constexpr uint32_t kModelElementSize[kArrCount] = {8, 8, 72, 112, 12, 120, 8, 80};
// Order of the arrays inside the data block.
constexpr ModelArray kModelBlockOrder[kArrCount] = {kArrV, kArrB, kArrP, kArrN, kArrE, kArrF, kArrG, kArrS};

constexpr uint32_t lod_CountOffset(int array) {
    return kLodArrayCountOffset + kLodArrayStride * uint32_t(array);
}
constexpr uint32_t lod_AddressOffset(int array) {
    return lod_CountOffset(array) + 4;
}

// ---- Elements of the data block ------------------------------------------------------------
// V (8): x, y, z as signed 16-bit world units, node index as unsigned 16-bit.
constexpr uint32_t kVertexXOffset = 0;
constexpr uint32_t kVertexYOffset = 2;
constexpr uint32_t kVertexZOffset = 4;
constexpr uint32_t kVertexNodeOffset = 6;

// N (112): ranges of V, P, B and G as (count, arena address) pairs; parent index; position
// relative to the parent (filled when the LOD's vertices are made relative); position 24.8.
constexpr uint32_t kNodeVCountOffset = 4;
constexpr uint32_t kNodeVAddrOffset = 8;
constexpr uint32_t kNodePCountOffset = 12;
constexpr uint32_t kNodePAddrOffset = 16;
constexpr uint32_t kNodeBCountOffset = 20;
constexpr uint32_t kNodeBAddrOffset = 24;
constexpr uint32_t kNodeGCountOffset = 28;
constexpr uint32_t kNodeGAddrOffset = 32;
constexpr uint32_t kNodeParentOffset = 36; // signed 32-bit; outside 0..N-1 (e.g. -1): no parent
constexpr uint32_t kNodeRelXOffset = 40;
constexpr uint32_t kNodeRelYOffset = 44;
constexpr uint32_t kNodeRelZOffset = 48;
constexpr uint32_t kNodePosXOffset = 52;
constexpr uint32_t kNodePosYOffset = 56;
constexpr uint32_t kNodePosZOffset = 60;

// P (72): one triangle of a part (node).
//   0  32-bit edge flags: bit k + 1 set hides edge k in outlines (edge 0 = v0-v1, edge 1 = v1-v2,
//      edge 2 = v2-v0); the other bits are kept as read
//   4, 6, 8  three unsigned 16-bit vertex indices into the LOD's V array
//   10 unsigned 16-bit corner count (3; written by the model writer, not used by the loader)
//   12..67 kept as read
//   68 32-bit surface index into the S array; the loader turns it into the surface's address
constexpr uint32_t kPolyEdgeFlagsOffset = 0;
constexpr uint32_t kPolyVertexOffset = 4; // 3 x 16-bit
constexpr uint32_t kPolyCornerCountOffset = 10;
constexpr uint32_t kPolySurfaceOffset = 68;

// G (80): its F range as (count at 72, arena address at 76).
constexpr uint32_t kGroupFCountOffset = 72;
constexpr uint32_t kGroupFAddrOffset = 76;

// S (120): surface.
constexpr uint32_t kSurfFlagsOffset = 16; // 32-bit
constexpr uint32_t kSurfWord20Offset = 20;
constexpr uint32_t kSurfTextureIndexOffset = 24; // 16-bit texture table index
constexpr uint32_t kSurfTagOffset = 26;          // 16-bit caller tag
constexpr uint32_t kSurfSizeOffset = 28;         // unsigned 16-bit size value
constexpr uint32_t kSurfCountOffset = 30;        // 8-bit
constexpr uint32_t kSurfKindOffset = 31;         // 8-bit
constexpr uint32_t kSurfLog2WOffset = 32;        // 16-bit
constexpr uint32_t kSurfLog2HOffset = 34;        // 16-bit
constexpr uint32_t kSurfMaskWOffset = 36;        // 16-bit
constexpr uint32_t kSurfMaskHOffset = 38;        // 16-bit
constexpr uint32_t kSurfTextureIdOffset = 52;    // 8-bit id of the first texture
constexpr uint32_t kSurfSecondIdOffset = 55;     // 8-bit id of the second texture
constexpr uint32_t kSurfPixelsOffset = 68;       // arena address of the texture pixels
constexpr uint32_t kSurfSecondPixelsOffset = 72; // arena address of the second texture's pixels
constexpr uint32_t kSurfPaletteOffset = 76;      // arena address of the texture palette
constexpr uint32_t kSurfRenderPixelsOffset = 80; // render fields 80..103
constexpr uint32_t kSurfRenderWord84Offset = 84;
constexpr uint32_t kSurfRenderLog2WOffset = 88; // 8-bit
constexpr uint32_t kSurfRenderLog2HOffset = 89; // 8-bit
constexpr uint32_t kSurfRenderByte90Offset = 90;
constexpr uint32_t kSurfRenderByte91Offset = 91;
constexpr uint32_t kSurfRenderModeOffset = 92;  // 32-bit
constexpr uint32_t kSurfRenderClearOffset = 96; // 8 bytes cleared
constexpr uint32_t kSurfEndOffset = 104;        // arena address of the texture's RGB palette area
constexpr uint32_t kSurfTexturedFlag = 1u << 0;
constexpr uint32_t kSurfTransparentFlag = 1u << 9;
constexpr uint32_t kSurfScaledFlag = 1u << 14;
constexpr uint32_t kSurfSecondTextureFlag = 1u << 15;
constexpr uint32_t kSurfModeTextured = 9;
constexpr uint32_t kSurfModeSecondOnTextured = 0x1000000;
constexpr uint32_t kSurfModeSecondOnly = 0x10020008;

// ---- Tables --------------------------------------------------------------------------------
constexpr int kModelCacheSize = 500;
constexpr int kModelLodTableSize = 600;
constexpr int kModelTextureTableSize = 2000;
constexpr size_t kModelPathSize = 260;

// A model: the header bytes of its file, as read and then filled by the loader.
struct ModelRecord {
    uint8_t header[kModelHeaderSize];
};

// A LOD table slot: the LOD header bytes, its data block in the main arena and its block tag.
struct ModelLod {
    uint8_t header[kLodHeaderSize];
    uint8_t* data; // main-arena block of data_size bytes, alignment 32
    uint32_t data_size;
    char tag[kLodNameSize + 1]; // NUL-terminated copy of the name, labels the block
};

// A texture table slot: the record bytes and its main-arena block (pixels, palette, RGB area).
struct ModelTexture {
    uint8_t record[kTextureRecordSize];
    uint8_t* data; // pixel_size + 1792 bytes, alignment 16
    uint32_t pixel_size;
    char tag[kTextureNameSize + 1]; // NUL-terminated copy of the name, labels the block
};

// ---- Little-endian field access on record bytes --------------------------------------------
inline uint32_t le_U32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline int32_t le_I32(const uint8_t* p) {
    return static_cast<int32_t>(le_U32(p));
}
inline uint16_t le_U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline int16_t le_I16(const uint8_t* p) {
    return static_cast<int16_t>(le_U16(p));
}
inline void le_PutU32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
inline void le_PutU16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
