#pragma once
// Shared set-up of the editor core tests: interface texts, test item definitions, both pages
// cleared and the view state as the main window's creation leaves it, and an EditorApp (with its
// document) over a scripted view.

#include "editor/editor_app.h"
#include "fake_editor_view.h"

#include "gamedata/string_table.h"
#include "mission/page_ops.h"
#include "support/test_item_defs.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <string>

// The interface texts the editor tests install. Formats are chosen so that a wrong argument
// order or count shows.
inline constexpr const char* kEditorTestTexts = "[Dialog Message]\n"
                                                "QZMED_TITLE=%s Editor %s\n"
                                                "QZMED_TITLE_PLUS_FNAME=%s Editor %s - %s\n"
                                                "CONSUMER=QZ\n"
                                                "CANT_CREATE_DIB=no image\n"
                                                "CANT_LOAD_ITEMS_DEF=no item definitions\n"
                                                "STATUSDIALOG=STATUSDIALOG\n"
                                                "LOADINGMODELS=Loading models\n"
                                                "LOADING...=Loading %s\n"
                                                "EXIT=Exit\n"
                                                "SAVE_PAGE_1?=Save page 1?\n"
                                                "NOT_AVAILABLE=not available yet\n"
                                                "WARNING=Warning\n"
                                                "PAGE_FULL_INSERT=full at %i\n"
                                                "PAGE_FULL_COPY=copied %i of %i, most %i\n"
                                                "PAGE_FULL_PASTE=pasted %i of %i, most %i\n"
                                                "TERRAIN_FILES_MISSING=terrain %s lacks %s\n"
                                                "[Med Window Text]\n"
                                                "QZ_GRID_SIZE_CM=%f cm\n"
                                                "QZ_GRID_SIZE_M=%i m\n"
                                                "[File I/O]\n"
                                                "DEF_EXT=mis\n"
                                                "QZ_IN_FILTER_DES=Missions\n"
                                                "QZ_IN_FILTER_EXT=*.mis\n"
                                                "QZ_OUT_FILTER_DES=Binary missions\n"
                                                "QZ_OUT_FILTER_EXT=*.bms\n"
                                                "TEXT_FILE_FILTER_DES=Text files\n"
                                                "TEXT_FILE_FILTER_EXT=*.txt\n"
                                                "CANT_WRITE_FILE=cannot write %s\n"
                                                "[Players]\n"
                                                "BLUEPLAYERS=Blue players\n"
                                                "REDPLAYERS=Red players\n";

inline void editorTest_InstallTexts() {
    static const StringTable* table = test_BuildTable(kEditorTestTexts);
    TextLookup_SetTable(table);
}

// Both pages of `document` cleared with Page 1 current, the view state of a freshly created main
// window.
inline void editorTest_ResetState(EditorDocument& document) {
    ViewState& view = document.view();
    view_Reset(view);
    view_ApplyWindowStart(view);
    document.clearPage(document.page(kPage1));
    document.clearPage(document.page(kPage2));
    document.markOpened(kPage1);
    document.markOpened(kPage2);
}

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        editorTest_InstallTexts();
        test_LoadItemDefs();
        editorTest_ResetState(app.document());
    }

    // Adds an item of `type` at (x, y) to `page`; fails the test when the page refuses it.
    int addItem(MissionPage& page, int32_t type, int32_t x = 0, int32_t y = 0) {
        const int slot = page_AddItem(page, type, x, y, 0);
        EXPECT_GE(slot, 0);
        return slot;
    }

    ViewState& view() { return app.document().view(); }
    MissionPage& page1() { return app.document().page(kPage1); }
    MissionPage& page2() { return app.document().page(kPage2); }
    // Records what the test changed in page `index` as one step, as a command would.
    void recordChange(int index) { app.document().history(index).record(app.document().page(index), "Edit"); }
    MissionPage& clipboard() { return app.document().clipboard(); }
    MissionPage& scratch() { return app.document().scratch(); }

    FakeEditorView screen;
    EditorApp app{screen};
};
