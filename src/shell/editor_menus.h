#pragma once
// The menu bar and the two context menus of the map view, built from the editor's menu tables
// (menu_tables.h). Every item carries its command number as QAction::data(); the check marks of
// a command are set on every item that carries it, in the menu bar and the context menus alike.
// An item shows the key that has its command's effect (key_MenuKey) in the shortcut column;
// items of commands that do nothing here are greyed.

#include "editor/menu_tables.h"

#include <QObject>

#include <map>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

class EditorMenus : public QObject {
    Q_OBJECT
  public:
    // Fills `bar` with File, Edit, Page and Info and makes the context menus (owned by
    // `contextParent`). The items have their resource texts until applyTexts.
    EditorMenus(QMenuBar& bar, QWidget* contextParent);

    // Gives every menu and item its text from the "Menu Text" section (the resource text for
    // items without a key). Called once the interface texts are loaded.
    void applyTexts();

    // The check mark of every checkable item carrying `command`.
    void setCheck(int command, bool checked);
    // The text (with its key, as built) and the enabled state of every item carrying `command`.
    void setItem(int command, const std::string& text, bool enabled);

    // Fills File > Recent Missions with `paths`, most recent first: entry i carries command
    // kCmdRecentMissionFirst + i and shows its number and the path as it stands; an empty list
    // shows one greyed "(none)" entry.
    void setRecentMissions(const std::vector<std::string>& paths);
    QMenu* recentMissionsMenu() const { return recentMenu_; }

    // The menu bar's menus in order, and the context menus: "MouseMenu" (no item selected) and
    // "MouseMenuItem" (items selected).
    const std::vector<QMenu*>& mainMenus() const { return mainMenus_; }
    QMenu* mapContextMenu() const { return mapContext_; }
    QMenu* itemContextMenu() const { return itemContext_; }

    // Every item (not separator) carrying `command`.
    std::vector<QAction*> actionsFor(int command) const;

  Q_SIGNALS:
    // An item of the menu bar was chosen.
    void commandChosen(int command);

  private:
    struct BuiltMenu {
        QMenu* menu;
        const MenuDef* menuDef;
    };
    QMenu* build(const MenuDef& menuDef, QMenu* menu);

    std::vector<QMenu*> mainMenus_;
    std::vector<BuiltMenu> built_;
    QMenu* mapContext_ = nullptr;
    QMenu* itemContext_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    std::multimap<int, QAction*> actions_;
    std::map<QAction*, const MenuEntry*> entries_;
};

// The command an item carries (its data), or 0 for none.
int shell_ActionCommand(const QAction* action);
