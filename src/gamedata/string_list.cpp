#include "gamedata/name_lists.h"

#include "foundation/mem_arena.h"
#include "gamedata/def_words.h"

#include <climits>
#include <cstring>

StringList* strlist_New() {
    return static_cast<StringList*>(mem_AllocTracked(kStringListTag, sizeof(StringList)));
}

StringEntry* strlist_Append(StringList* list, const char* text) {
    if (list == nullptr || text == nullptr) return nullptr;
    const size_t length = std::strlen(text);
    const size_t bytes = sizeof(StringEntry) + length + 1;
    if (bytes > static_cast<size_t>(LONG_MAX)) return nullptr;
    auto* entry = static_cast<StringEntry*>(mem_AllocTracked(kStringEntryTag, static_cast<long>(bytes)));
    if (entry == nullptr) return nullptr;
    entry->text = reinterpret_cast<char*>(entry + 1);
    std::memcpy(entry->text, text, length + 1);
    entry->list = list;
    entry->prev = list->last;
    entry->next = nullptr;
    if (list->last)
        list->last->next = entry;
    else
        list->first = entry;
    list->last = entry;
    ++list->count;
    return entry;
}

StringEntry* strlist_Find(const StringList* list, const char* text) {
    if (list == nullptr || text == nullptr) return nullptr;
    for (StringEntry* entry = list->first; entry; entry = entry->next)
        if (defword_Equal(entry->text, text)) return entry;
    return nullptr;
}

void strlist_Remove(StringEntry* entry) {
    if (entry == nullptr) return;
    StringList* list = entry->list;
    if (entry->prev)
        entry->prev->next = entry->next;
    else if (list)
        list->first = entry->next;
    if (entry->next)
        entry->next->prev = entry->prev;
    else if (list)
        list->last = entry->prev;
    if (list) --list->count;
    mem_FreeTracked(entry);
}

void strlist_Clear(StringList* list) {
    if (list == nullptr) return;
    StringEntry* entry = list->first;
    while (entry) {
        StringEntry* next = entry->next;
        mem_FreeTracked(entry);
        entry = next;
    }
    list->first = list->last = nullptr;
    list->count = 0;
}

void strlist_Free(StringList* list) {
    if (list == nullptr) return;
    strlist_Clear(list);
    mem_FreeTracked(list);
}
