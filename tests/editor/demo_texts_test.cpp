// Every text the editor core looks up is in the demo game's interface texts (demo/text/text.txt),
// and every format there takes the arguments the editor passes.

#include "editor/command_ids.h"
#include "editor/control_layout.h"
#include "editor/file_commands.h"
#include "editor/list_dialog_rules.h"
#include "editor/menu_tables.h"
#include "editor/title_text.h"
#include "editor_fixture.h"
#include "foundation/safe_format.h"

#include "foundation/text_source.h"
#include "support/temp_dir.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

class DemoTexts : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        static const StringTable* demo =
            test_BuildTable(test_ReadFile(std::string(QZ_SOURCE_DIR) + "/demo/text/text.txt"));
        ASSERT_NE(demo, nullptr);
        TextLookup_SetTable(demo);
    }

    void expectFound(const std::string& text, const std::string& where) {
        EXPECT_EQ(text.find(kBadTextString), std::string::npos) << where << ": " << text;
        EXPECT_FALSE(text.empty()) << where;
    }
};

TEST_F(DemoTexts, MenuAndControlTextsAreThere) {
    std::vector<const MenuDef*> menus{&menu_MapContextMenu(), &menu_ItemContextMenu()};
    for (const MenuDef& menu : menu_MainMenu()) {
        menus.push_back(&menu);
        expectFound(menu_Title(menu), menu.title_key);
    }
    for (const MenuDef* menu : menus)
        for (const MenuEntry& entry : menu->entries)
            if (entry.kind == MenuEntryKind::Item)
                expectFound(menu_EntryText(entry), std::to_string(entry.command));
    for (const ControlDef& control : ctl_Controls())
        expectFound(TextLookup(kControlTextSection, control.label_key), control.label_key);
}

TEST_F(DemoTexts, FormatsTakeTheEditorsArguments) {
    struct Format {
        const char* section;
        const char* key;
        const char* kinds;
    };
    const Format formats[] = {
        {"Dialog Message", "QZMED_TITLE", "ss"},
        {"Dialog Message", "QZMED_TITLE_PLUS_FNAME", "sss"},
        {"Dialog Message", "LOADING...", "s"},
        {"Med Window Text", "QZ_GRID_SIZE_CM", "f"},
        {"Med Window Text", "QZ_GRID_SIZE_M", "d"},
        {"File I/O", "CANT_WRITE_FILE", "s"},
        {"Dialog Message", "SIZE", "d"},
        // The item attributes dialog.
        {"Dialog Message", "LAYERNAME", "d"},
        {"Items", "SSN", "d"},
        {"Dialog Message", "TOO_MANY_WAYPOINTS", "d"},
        {"Dialog Message", "TOO_MANY_AREA_TRIGGERS", "d"},
    };
    for (const Format& f : formats) {
        const char* text = TextLookup(f.section, f.key);
        expectFound(text, f.key);
        EXPECT_EQ(text_ConversionKinds(text), std::string(f.kinds)) << f.key << " = " << text;
    }
}

TEST_F(DemoTexts, EveryListColourHasItsName) {
    for (int position = 0; position < kListColourCount; ++position)
        expectFound(TextLookup("Colors", listdlg_ColourKey(position)), std::to_string(position));
}

TEST_F(DemoTexts, EverythingTheEditorShowsIsFound) {
    TempDir dir;
    expectFound(editor_TitleText(""), "title");
    expectFound(editor_TitleText("a.mis"), "title with file");
    expectFound(editor_GridSizeText(100), "grid cm");
    expectFound(editor_GridSizeText(0x20000), "grid m");
    for (const FileFilter& filter : {file_MissionFilter(), file_BinaryFilter(), file_TextFilter()}) {
        expectFound(filter.description, "filter");
        expectFound(filter.pattern, "filter");
        expectFound(filter.default_extension, "filter");
    }

    // Messages and the status window.
    addItem(page1(), kTestJeepType);
    recordChange(kPage1);
    screen.messageAnswers = {MsgAnswer::Yes};
    screen.fileAnswers = {dir.path("missing/a.mis")};
    app.queryClose();               // EXIT, SAVE_PAGE_1?, then CANT_WRITE_FILE
    app.createOffscreenImage(0, 0); // CANT_CREATE_DIB
    ASSERT_EQ(screen.messages.size(), 3u);
    for (const CapturedMessage& message : screen.messages) {
        expectFound(message.caption.empty() ? "(none)" : message.caption, message.text);
        expectFound(message.text, "message");
    }
    expectFound(TextLookup("Dialog Message", "CANT_LOAD_ITEMS_DEF"), "CANT_LOAD_ITEMS_DEF");
    expectFound(TextLookup("Dialog Message", "NOT_AVAILABLE"), "NOT_AVAILABLE");
    expectFound(TextLookup("Dialog Message", "STATUSDIALOG"), "STATUSDIALOG");
    expectFound(TextLookup("Dialog Message", "LOADINGMODELS"), "LOADINGMODELS");
}

} // namespace
