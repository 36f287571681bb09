#pragma once
// The model cache: the loaded models (500), their LODs (600) and their textures (2000). Each
// model loads once; its blocks stay in the main arena for the whole run.

#include "gamedata/model_file.h"

#include <cstddef>
#include <cstdint>

struct ModelTables {
    ModelRecord models[kModelCacheSize];
    int model_count;
    ModelLod lods[kModelLodTableSize];
    int lod_count;
    ModelTexture textures[kModelTextureTableSize];
    int texture_count;
};

// The process-wide tables.
ModelTables& model_Tables();

// Empties the texture table, the LOD table and the model cache (start-up). Blocks already taken
// from the main arena are not given back.
void model_Clear();

// The cached model whose name field equals `name` (ASCII case-insensitive), first in load order;
// otherwise the file `name` with the extension "3di" is loaded into the next cache record and
// `*isNew` (when not null) is set to 1. Null when the cache is full or the load fails; `*isNew`
// is 0 then and for a cache hit.
ModelRecord* model_Get(const char* name, int tag, int* isNew);

// Loads the model file at `path` (on disk or in an archive) into `record`. `tag` is stored in
// every texture (low byte) and surface (low 16 bits) the model brings. Returns 1, or 0 when the
// file is missing, is not a model file of version 8 or later, or is damaged; after a failure the
// tables are as they were before the call. A LOD whose data do not fit its block, or that does
// not fit the LOD table or the arena, is left missing (its slot holds no LOD).
int model_Load(ModelRecord& record, const char* path, int tag);

// Where the loader takes its bytes from: a file of the file layer or a byte buffer.
class ModelSource {
  public:
    virtual ~ModelSource() = default;
    // Reads exactly `count` bytes; false (with the position undefined) when fewer remain.
    virtual bool read(void* buffer, size_t count) = 0;
    // Skips exactly `count` bytes; false when fewer remain.
    virtual bool skip(size_t count) = 0;
    // Bytes left from the current position.
    virtual uint64_t remaining() const = 0;
};

// Reads from memory (tests, fuzzing, tools).
class ModelMemorySource final : public ModelSource {
  public:
    ModelMemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool read(void* buffer, size_t count) override;
    bool skip(size_t count) override;
    uint64_t remaining() const override { return size_ - pos_; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// The loader core behind model_Load: reads a whole model from `source`. `path` names the LODs.
int model_LoadFrom(ModelRecord& record, ModelSource& source, const char* path, int tag);
