// The menu bar and the context menus as built from the editor's menu tables: titles, texts,
// separators, check marks and the command each item carries.

#include "shell_test_support.h"

#include "editor/command_ids.h"
#include "editor/menu_tables.h"
#include "gamedata/string_table.h"
#include "mission/page_ops.h"
#include "shell/editor_menus.h"
#include "shell/main_window.h"

#include <QAction>
#include <QKeySequence>
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
            QVERIFY2(action->isSeparator(),
                     qPrintable(QStringLiteral("%1 entry %2").arg(menuDef.name).arg(i)));
            continue;
        }
        QVERIFY(!action->isSeparator());
        QCOMPARE(shell_ActionCommand(action), entry.command);
        // The text before the shortcut column.
        QCOMPARE(action->text().section(QLatin1Char('\t'), 0, 0),
                 QString::fromStdString(menu_EntryText(entry)));
        QCOMPARE(action->isCheckable(), entry.checkable);
        // Undo and Redo are greyed while the page has no step to take.
        if (entry.command == kCmdUndo || entry.command == kCmdRedo)
            QVERIFY(!action->isEnabled());
        else
            QCOMPARE(action->isEnabled(), menu_EntryEnabled(entry));
    }
}

QAction* actionIn(QMenu* menu, int command);

// The item of `command` in the menu bar.
QAction* menuAction(MainWindow& window, int command) {
    for (QMenu* menu : window.menus().mainMenus())
        if (QAction* action = actionIn(menu, command)) return action;
    return nullptr;
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

    void menuBarHoldsFileEditViewPageInfoWithTheirTexts() {
        MainWindow& window = *fixture.window;
        const QList<QAction*> bar = window.menuBar()->actions();
        const std::span<const MenuDef> menuDefs = menu_MainMenu();
        QCOMPARE(static_cast<size_t>(bar.size()), menuDefs.size());
        const char* titleKeys[] = {"FILE", "EDIT", "VIEW", "PAGE", "INFO"};
        for (size_t i = 0; i < menuDefs.size(); ++i) {
            QCOMPARE(bar[static_cast<qsizetype>(i)]->text(),
                     QString::fromLocal8Bit(TextLookup("Menu Text", titleKeys[i])));
            compareWithTable(bar[static_cast<qsizetype>(i)]->menu(), menuDefs[i]);
        }
    }

    void itemsTakeTheirTextsFromTheMenuTextSection() {
        EditorMenus& menus = fixture.window->menus();
        QCOMPARE(menus.actionsFor(kCmdOpen).front()->text().section(QLatin1Char('\t'), 0, 0),
                 QString::fromLocal8Bit(TextLookup("Menu Text", "FILE_OPEN")));
        // Items without a key keep the resource text.
        QCOMPARE(menus.actionsFor(kCmdMetafile).front()->text(), QStringLiteral("&Metafile"));
        QVERIFY(menus.actionsFor(kCmdExit).size() == 2); // File > Exit and the context menu's Exit Program
    }

    void entriesShowTheKeysThatRunThem() {
        EditorMenus& menus = fixture.window->menus();
        const auto keyOf = [](QAction* action) { return action->text().section(QLatin1Char('\t'), 1); };
        const std::pair<int, QKeySequence> shown[] = {
            {kCmdDelete, QKeySequence(Qt::Key_Delete)},
            {kCmdInsertMode, QKeySequence(Qt::Key_Insert)},
            {kCmdUnselectAll, QKeySequence(Qt::Key_U)},
            {kCmdColorMap, QKeySequence(Qt::Key_F1)},
            {kCmdDepthMap, QKeySequence(Qt::Key_F2)},
            {kCmdFirstOrderMap, QKeySequence(Qt::Key_F3)},
            {kCmdZoomIn, QKeySequence(Qt::Key_PageUp)},
            {kCmdZoomOut, QKeySequence(Qt::Key_PageDown)},
            {kCmdMeasure, QKeySequence(Qt::Key_R)},
            {kCmdFindItems, QKeySequence(Qt::CTRL | Qt::Key_F)},
            {kCmdOpen, QKeySequence(Qt::CTRL | Qt::Key_O)},
            {kCmdSaveInPlace, QKeySequence(Qt::CTRL | Qt::Key_S)},
            {kCmdSave, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        };
        for (const auto& [command, keys] : shown) {
            const std::vector<QAction*> actions = menus.actionsFor(command);
            QVERIFY2(!actions.empty(), qPrintable(QString::number(command)));
            // In the menu bar and the context menus alike, as Qt shows shortcuts.
            for (QAction* action : actions)
                QCOMPARE(keyOf(action), keys.toString(QKeySequence::NativeText));
        }
        QVERIFY(keyOf(menus.actionsFor(kCmdClear).front()).isEmpty());
        // Shown, not bound: the key reaches the main window's key handling alone.
        for (const auto& [command, keys] : shown)
            for (QAction* action : menus.actionsFor(command))
                QVERIFY(action->shortcut().isEmpty());
    }

    void keysShownInMenusRunTheirCommandOnce() {
        MainWindow& window = *fixture.window;
        window.activateWindow();
        window.setFocus();
        QTest::keyClick(&window, Qt::Key_Insert);
        QCOMPARE(window.editor().viewState().insert_mode, 1); // twice would have turned it off again
        QTest::keyClick(&window, Qt::Key_Insert);
        QCOMPARE(window.editor().viewState().insert_mode, 0);
        const float zoom = window.editor().viewState().zoom;
        QTest::keyClick(&window, Qt::Key_PageUp);
        QCOMPARE(window.editor().viewState().zoom, zoom * 1.1f);
    }

    void zoomEntriesDoWhatTheZoomKeysDo() {
        MainWindow& window = *fixture.window;
        ViewState& view = window.editor().viewState();
        view.zoom = 950.0f;
        menuAction(window, kCmdZoomIn)->trigger();
        QCOMPARE(view.zoom, 1000.0f); // held at the limit
        const float zoom = view.zoom;
        menuAction(window, kCmdZoomOut)->trigger();
        QCOMPARE(view.zoom, zoom * 0.9f);
        view.zoom = 0.0001f;
        menuAction(window, kCmdZoomOut)->trigger();
        QCOMPARE(view.zoom, 0.0001f);
    }

    void entriesWithoutEffectAreGreyed() {
        EditorMenus& menus = fixture.window->menus();
        for (int command : {kCmdPrint, kCmdMetafile, kCmdMemoryStack})
            QVERIFY2(!menus.actionsFor(command).front()->isEnabled(), qPrintable(QString::number(command)));
        QVERIFY(menus.actionsFor(kCmdSave).front()->isEnabled());
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
