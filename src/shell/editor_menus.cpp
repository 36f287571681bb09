#include "shell/editor_menus.h"

#include "editor/command_ids.h"
#include "editor/key_bindings.h"
#include "shell/game_text.h"
#include "shell/key_translation.h"
#include "shell/literal_caption.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace {
// The key whose effect an item's command has, as Qt shows a shortcut: the text after a tab stands
// in the menu's shortcut column. Only shown: the main window's key handling runs the key, so the
// item carries no QAction shortcut that would run the command a second time.
QString withKey(const QString& text, int command) {
    EditorKey key{};
    if (!key_MenuKey(command, key)) return text;
    return text + QLatin1Char('\t') + shell_KeySequence(key).toString(QKeySequence::NativeText);
}
} // namespace

int shell_ActionCommand(const QAction* action) {
    if (action == nullptr) return 0;
    bool ok = false;
    const int command = action->data().toInt(&ok);
    return ok ? command : 0;
}

EditorMenus::EditorMenus(QMenuBar& bar, QWidget* contextParent) : QObject(&bar) {
    for (const MenuDef& menuDef : menu_MainMenu()) {
        QMenu* menu = build(menuDef, bar.addMenu(shell_DecodeText(menuDef.resource_title)));
        mainMenus_.push_back(menu);
        connect(menu, &QMenu::triggered, this, [this](QAction* action) {
            if (const int command = shell_ActionCommand(action); command != 0) Q_EMIT commandChosen(command);
        });
    }
    mapContext_ = build(menu_MapContextMenu(), new QMenu(contextParent));
    itemContext_ = build(menu_ItemContextMenu(), new QMenu(contextParent));
}

QMenu* EditorMenus::build(const MenuDef& menuDef, QMenu* menu) {
    menu->setObjectName(QString::fromLatin1(menuDef.name));
    for (const MenuEntry& entry : menuDef.entries) {
        if (entry.kind == MenuEntryKind::Separator) {
            menu->addSeparator();
            continue;
        }
        if (entry.kind == MenuEntryKind::RecentMissions) {
            // Its entries reach the editor through the triggered signal of the menu holding it.
            recentMenu_ = menu->addMenu(QString::fromLatin1(entry.resource_text));
            recentMenu_->setObjectName(QStringLiteral("RecentMissions"));
            setRecentMissions({});
            continue;
        }
        QAction* action = menu->addAction(withKey(shell_DecodeText(entry.resource_text), entry.command));
        action->setData(entry.command);
        action->setCheckable(entry.checkable);
        action->setEnabled(menu_EntryEnabled(entry));
        actions_.emplace(entry.command, action);
        entries_.emplace(action, &entry);
    }
    built_.push_back({menu, &menuDef});
    return menu;
}

void EditorMenus::applyTexts() {
    for (const BuiltMenu& built : built_)
        if (built.menuDef->title_key != nullptr)
            built.menu->setTitle(shell_DecodeText(menu_Title(*built.menuDef)));
    for (const auto& [action, entry] : entries_)
        action->setText(withKey(shell_DecodeText(menu_EntryText(*entry)), entry->command));
}

void EditorMenus::setCheck(int command, bool checked) {
    const auto [first, last] = actions_.equal_range(command);
    for (auto it = first; it != last; ++it)
        if (it->second->isCheckable()) it->second->setChecked(checked);
}

void EditorMenus::setItem(int command, const std::string& text, bool enabled) {
    const auto [first, last] = actions_.equal_range(command);
    for (auto it = first; it != last; ++it) {
        it->second->setText(withKey(shell_DecodeText(text), command));
        it->second->setEnabled(enabled);
    }
}

void EditorMenus::setRecentMissions(const std::vector<std::string>& paths) {
    if (recentMenu_ == nullptr) return;
    // The list changes while one of its entries is being chosen: that entry must outlive the
    // signal that chose it.
    for (QAction* old : recentMenu_->actions()) {
        recentMenu_->removeAction(old);
        old->deleteLater();
    }
    if (paths.empty()) {
        recentMenu_->addAction(shell_OwnText("NO_RECENT_MISSIONS"))->setEnabled(false);
        return;
    }
    const int count =
        std::min(static_cast<int>(paths.size()), kCmdRecentMissionLast - kCmdRecentMissionFirst + 1);
    for (int i = 0; i < count; ++i) {
        // "&1 /path": the number is the mnemonic; an '&' of the path shows as itself.
        const QString path = shell_LiteralCaption(QFile::decodeName(paths[static_cast<size_t>(i)].c_str()));
        QAction* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        action->setData(kCmdRecentMissionFirst + i);
    }
}

std::vector<QAction*> EditorMenus::actionsFor(int command) const {
    std::vector<QAction*> found;
    const auto [first, last] = actions_.equal_range(command);
    for (auto it = first; it != last; ++it)
        found.push_back(it->second);
    return found;
}
