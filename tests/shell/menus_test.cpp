// The menu bar and the context menus as built from the editor's menu tables: titles, texts,
// separators, check marks and the command each item carries.

#include "shell_test_support.h"

#include "editor/command_ids.h"
#include "editor/menu_tables.h"
#include "gamedata/string_table.h"
#include "mission/page_ops.h"
#include "shell/editor_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

// Compares a built menu with its table entry by entry.
void compareWithTable(QMenu* menu, const MenuDef& menuDef) {
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(static_cast<size_t>(actions.size()), menuDef.entries.size());
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const MenuEntry& entry = menuDef.entries[static_cast<size_t>(i)];
        QAction* action = actions[i];
        if (entry.kind == MenuEntryKind::Separator) {
            QVERIFY2(action->isSeparator(), qPrintable(QStringLiteral("%1 entry %2").arg(menuDef.name).arg(i)));
            continue;
        }
        QVERIFY(!action->isSeparator());
        QCOMPARE(shell_ActionCommand(action), entry.command);
        QCOMPARE(action->text(), QString::fromStdString(menu_EntryText(entry)));
        QCOMPARE(action->isCheckable(), entry.checkable);
    }
}

QAction* actionIn(QMenu* menu, int command) {
    for (QAction* action : menu->actions())
        if (shell_ActionCommand(action) == command) return action;
    return nullptr;
}

} // namespace

class MenusTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { QVERIFY(fixture.start()); }
    void cleanup() { fixture.stop(); }

    void menuBarHoldsFileEditPageInfoWithTheirTexts() {
        MainWindow& window = *fixture.window;
        const QList<QAction*> bar = window.menuBar()->actions();
        const std::span<const MenuDef> menuDefs = menu_MainMenu();
        QCOMPARE(static_cast<size_t>(bar.size()), menuDefs.size());
        const char* titleKeys[] = {"FILE", "EDIT", "PAGE", "INFO"};
        for (size_t i = 0; i < menuDefs.size(); ++i) {
            QCOMPARE(bar[static_cast<qsizetype>(i)]->text(),
                     QString::fromLocal8Bit(TextLookup("Menu Text", titleKeys[i])));
            compareWithTable(bar[static_cast<qsizetype>(i)]->menu(), menuDefs[i]);
        }
    }

    void itemsTakeTheirTextsFromTheMenuTextSection() {
        EditorMenus& menus = fixture.window->menus();
        QCOMPARE(menus.actionsFor(kCmdOpen).front()->text(),
                 QString::fromLocal8Bit(TextLookup("Menu Text", "FILE_OPEN")));
        // Items without a key keep the resource text.
        QCOMPARE(menus.actionsFor(kCmdMetafile).front()->text(), QStringLiteral("&Metafile"));
        QVERIFY(menus.actionsFor(kCmdExit).size() == 2); // File > Exit and the context menu's Exit Program
    }

    void contextMenusFollowTheirTables() {
        EditorMenus& menus = fixture.window->menus();
        compareWithTable(menus.mapContextMenu(), menu_MapContextMenu());
        compareWithTable(menus.itemContextMenu(), menu_ItemContextMenu());
        // "Numeric Move" stands once in the item menu.
        int numericMoves = 0;
        for (QAction* action : menus.itemContextMenu()->actions())
            numericMoves += shell_ActionCommand(action) == 125;
        QCOMPARE(numericMoves, 1);
    }

    void startChecksFollowTheViewState() {
        EditorMenus& menus = fixture.window->menus();
        QVERIFY(!actionIn(menus.mapContextMenu(), kCmdInsertMode)->isChecked());
        QVERIFY(actionIn(menus.mapContextMenu(), kCmdViewByType)->isChecked());
        QVERIFY(!actionIn(menus.mapContextMenu(), kCmdViewBySide)->isChecked());
        for (QAction* action : menus.actionsFor(kCmdInsertMode))
            QVERIFY(!action->isChecked());
    }

    void insertModeFromTheMenuBarChecksEveryInsertModeItem() {
        MainWindow& window = *fixture.window;
        QAction* editInsert = actionIn(window.menus().mainMenus()[1], kCmdInsertMode);
        QVERIFY(editInsert != nullptr);
        editInsert->trigger();
        QCOMPARE(window.editor().viewState().insert_mode, 1);
        for (QAction* action : window.menus().actionsFor(kCmdInsertMode))
            QVERIFY(action->isChecked());
        editInsert->trigger();
        QCOMPARE(window.editor().viewState().insert_mode, 0);
        for (QAction* action : window.menus().actionsFor(kCmdInsertMode))
            QVERIFY(!action->isChecked());
    }

    void viewByItemsOfTheContextMenuSwitchTheColouringAndTheirChecks() {
        MainWindow& window = *fixture.window;
        QMenu* menu = window.menus().mapContextMenu();
        actionIn(menu, kCmdViewBySide)->trigger();
        QCOMPARE(window.editor().viewState().view_by, 1);
        QVERIFY(actionIn(menu, kCmdViewBySide)->isChecked());
        QVERIFY(!actionIn(menu, kCmdViewByType)->isChecked());
        // Choosing the checked item again keeps it checked.
        actionIn(menu, kCmdViewBySide)->trigger();
        QVERIFY(actionIn(menu, kCmdViewBySide)->isChecked());
        actionIn(menu, kCmdViewByType)->trigger();
        QCOMPARE(window.editor().viewState().view_by, 0);
        QVERIFY(actionIn(menu, kCmdViewByType)->isChecked());
        QVERIFY(!actionIn(menu, kCmdViewBySide)->isChecked());
    }

    void itemContextMenuCommandsReachTheCurrentPage() {
        QVERIFY(fixture.window->openMissionFile(shellTest_DemoMission().toStdString()));
        MainWindow& window = *fixture.window;
        MissionPage& page = window.editor().currentPage();
        const int items = page.num_items;
        QVERIFY(items > 2);
        QCOMPARE(sel_Add(page, 0), 1);
        QCOMPARE(sel_Add(page, 1), 1);
        actionIn(window.menus().itemContextMenu(), kCmdHideSelected)->trigger();
        QCOMPARE(page.selection.count, 0);
        QCOMPARE(page.items[0].hidden, 1);
        actionIn(window.menus().mapContextMenu(), kCmdUnhideAll)->trigger();
        QCOMPARE(page.items[0].hidden, 0);
        QCOMPARE(sel_Add(page, 0), 1);
        actionIn(window.menus().itemContextMenu(), kCmdDelete)->trigger();
        QCOMPARE(page.num_items, items - 1);
    }

  private:
    EditorWindowFixture fixture;
};

QZ_SHELL_TEST(MenusTest);
#include "menus_test.moc"
