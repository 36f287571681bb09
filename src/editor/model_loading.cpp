// EditorApp::loadModels: the models the items of both pages need, loaded once each.

#include "editor/editor_app.h"
#include "foundation/safe_format.h"
#include "gamedata/item_defs.h"
#include "gamedata/model_cache.h"
#include "gamedata/string_table.h"

#include <cstring>
#include <string>

namespace {

constexpr int kModelTag = 0;

// The definition's graphic name, bounded by its field even if it lacks a terminator.
std::string graphicName(const ItemDef& def) {
    return std::string(def.graphic, strnlen(def.graphic, sizeof def.graphic));
}

bool needsModel(const ItemDef& def) {
    return def.model == nullptr && def.graphic[0] != '\0' && def.type != kItemTypePerson;
}

} // namespace

void EditorApp::loadModels() {
    bool statusShown = false;
    for (MissionPage* page : {&document_.page(kPage1), &document_.page(kPage2)}) {
        const int count = page->num_items < kMaxItems ? page->num_items : kMaxItems;
        for (int i = 0; i < count; ++i) {
            ItemDef* def = itemdef_Get(page->items[i].def_index);
            if (def == nullptr || !needsModel(*def)) continue;
            const std::string name = graphicName(*def);
            if (!statusShown) {
                view_.showStatus(TextLookup("Dialog Message", "STATUSDIALOG"),
                                 TextLookup("Dialog Message", "LOADINGMODELS"));
                statusShown = true;
            }
            view_.setStatusText(
                text_FormatChecked(TextLookup("Dialog Message", "LOADING..."), "s", "Loading %s...", {name}));
            def->model = model_Get(name.c_str(), kModelTag, nullptr);
        }
    }
    if (statusShown) view_.hideStatus();
}
