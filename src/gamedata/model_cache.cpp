#include "gamedata/model_cache.h"

#include "gamedata/def_words.h"
#include "gamedata/model_access.h"

#include <cstring>

namespace {

ModelTables g_tables{};

bool equalsIgnoringCase(std::string_view stored, const char* name) {
    size_t length = std::strlen(name);
    if (length != stored.size()) return false;
    for (size_t i = 0; i < length; ++i) {
        unsigned char a = static_cast<unsigned char>(stored[i]);
        unsigned char b = static_cast<unsigned char>(name[i]);
        if (a >= 'A' && a <= 'Z') a = static_cast<unsigned char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<unsigned char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

} // namespace

ModelTables& model_Tables() {
    return g_tables;
}

void model_Clear() {
    g_tables.model_count = 0;
    g_tables.lod_count = 0;
    g_tables.texture_count = 0;
}

ModelRecord* model_Get(const char* name, int tag, int* isNew) {
    if (isNew != nullptr) *isNew = 0;
    if (name == nullptr) return nullptr;
    for (int i = 0; i < g_tables.model_count; ++i) {
        if (equalsIgnoringCase(model_Name(g_tables.models[i]), name)) return &g_tables.models[i];
    }
    if (g_tables.model_count >= kModelCacheSize) return nullptr;
    char path[kModelPathSize];
    defword_Copy(path, sizeof path, name);
    SetExtension(path, sizeof path, "3di");
    ModelRecord& record = g_tables.models[g_tables.model_count];
    if (model_Load(record, path, tag) == 0) return nullptr;
    ++g_tables.model_count;
    if (isNew != nullptr) *isNew = 1;
    return &record;
}
