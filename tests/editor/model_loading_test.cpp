// LoadModels: which definitions get a model, and the status window while they load.

#include "editor_fixture.h"

#include "demo/demo_files.h"
#include "gamedata/item_defs.h"
#include "gamedata/model_cache.h"
#include "support/current_dir.h"
#include "support/temp_dir.h"

#include <string>
#include <vector>

namespace {

// Definitions with graphics: a vehicle whose model file exists, a building whose model file is
// missing, a person (never loaded) and a decoration without a graphic.
const char kDefs[] = "begin Jeep\r\n  id 100001\r\n  type vehicle\r\n  graphic cubejeep\r\nend\r\n"
                     "begin Hut\r\n  id 100002\r\n  type building\r\n  graphic nomodel\r\nend\r\n"
                     "begin Man\r\n  id 100003\r\n  type person\r\n  graphic cubejeep\r\nend\r\n"
                     "begin Rock\r\n  id 100004\r\n  type decoration\r\nend\r\n";

class EditorModels : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        itemdef_LoadBuffer(kDefs, sizeof kDefs - 1, 0);
        ASSERT_EQ(itemdef_Count(), 4);
        model_Clear();
        std::vector<DemoFile> models;
        std::string error;
        ASSERT_TRUE(demo_BuildModels("cubejeep\tvehicle\t2x4\t2\tbox\ttest\n", models, &error)) << error;
        for (const DemoFile& model : models)
            dir.write(model.name, model.bytes);
    }

    TempDir dir;
};

TEST_F(EditorModels, ModelsOfBothPagesLoadOnceWithTheStatusWindow) {
    addItem(page1(), 3); // person: skipped
    addItem(page1(), 1);
    addItem(page1(), 1);
    addItem(page2(), 4); // no graphic: skipped
    addItem(page2(), 2);
    {
        ScopedCurrentDir inGame(dir.path());
        app.loadModels();
    }
    EXPECT_EQ(screen.statusTemplate, "STATUSDIALOG");
    EXPECT_FALSE(screen.statusVisible);
    EXPECT_EQ(screen.statusTexts,
              (std::vector<std::string>{"Loading models", "Loading cubejeep", "Loading nomodel"}));
    EXPECT_NE(itemdef_Get(0)->model, nullptr);
    EXPECT_EQ(itemdef_Get(1)->model, nullptr);
    EXPECT_EQ(itemdef_Get(2)->model, nullptr) << "people are drawn as symbols";
    EXPECT_EQ(model_Tables().model_count, 1);
}

TEST_F(EditorModels, ModelsAlreadyLoadedAreNotLoadedAgain) {
    addItem(page1(), 1);
    ScopedCurrentDir inGame(dir.path());
    app.loadModels();
    screen.clearRecord();
    app.loadModels();
    EXPECT_TRUE(screen.log.empty()) << "no status window when nothing is missing";
}

TEST_F(EditorModels, AModelThatFailedIsTriedAgainNextTime) {
    addItem(page2(), 2);
    app.loadModels();
    screen.clearRecord();
    app.loadModels();
    EXPECT_EQ(screen.statusTexts, (std::vector<std::string>{"Loading models", "Loading nomodel"}));
}

TEST_F(EditorModels, ItemsWithADefinitionIndexOutOfRangeAreSkipped) {
    const int slot = addItem(page1(), 1);
    page1().items[slot].def_index = 99;
    app.loadModels();
    EXPECT_TRUE(screen.log.empty());
}

} // namespace
