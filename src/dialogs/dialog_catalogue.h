#pragma once
// Every dialog of the dialog library, registered into the main window's registry under its
// template name. Each runner builds its dialog owned by `parent`, runs it modally on `page` and
// answers Accepted when it closed with result 1. Dialogs that need more of the editor than the
// page (options, the view state, dialog memory, redrawing the map while they are open) get it
// through their constructors: the runners registered here gather it from `editor` and its
// document, so `editor` must outlive the registry.

#include "editor/dialog_memory.h"
#include "render/view_state.h"
#include "shell/dialog_registry.h"

#include "editor/general_info_choices.h"
#include "editor/general_info_store.h"
#include "editor/item_attr_lists.h"

class EditorApp;
class QWidget;
class ShellServices;
struct MissionPage;

// Registers every dialog below under its template name.
void dialogs_RegisterAll(DialogRegistry& registry, EditorApp& editor);

DialogResult dialogs_RunInsertItem(QWidget* parent, ShellServices& services, InsertItemMemory& memory,
                                   bool showAll);
DialogResult dialogs_RunNumericMove(QWidget* parent, ShellServices& services, NumericMoveMemory& memory);
DialogResult dialogs_RunGetCenter(QWidget* parent, ShellServices& services, ViewState& view);
DialogResult dialogs_RunIntegrityCheck(QWidget* parent, MissionPage& page, ShellServices& services);
DialogResult dialogs_RunVisibleLayers(QWidget* parent, MissionPage& page, ShellServices& services);
DialogResult dialogs_RunLayerNames(QWidget* parent, MissionPage& page, ShellServices& services);
DialogResult dialogs_RunWavLists(QWidget* parent, MissionPage& page, ShellServices& services);
DialogResult dialogs_RunWaypointNames(QWidget* parent, MissionPage& page, ShellServices& services);
DialogResult dialogs_RunBriefing(QWidget* parent, MissionPage& page, ShellServices& services);
DialogResult dialogs_RunAbout(QWidget* parent, MissionPage& page, ShellServices& services);
// The item attributes dialog on the selection of `page`, with the name table and the /SHOWALL
// option of the editor's run.
DialogResult dialogs_RunItemAttributes(QWidget* parent, MissionPage& page, ShellServices& services,
                                       const ItemAttrSources& sources);
// The general information dialog over the given lists; `effects` opens the status window and
// loads the terrain and models when OK needs them.
DialogResult dialogs_RunGeneralInfo(QWidget* parent, MissionPage& page, ShellServices& services,
                                    GeneralInfoChoices choices, GeneralInfoEffects effects);
