#include "gamedata/own_texts.h"

#include "foundation/text_source.h"

#include <cstring>

namespace {
constexpr OwnTextDef kOwnTexts[] = {
    // The main window until the first title is set.
    {"MAIN_WINDOW_TITLE", "Mission Editor"},

    // Buttons of the dialogs whose captions are their own.
    {"OK", "OK"},
    {"CANCEL", "Cancel"},

    // "NUMERICMC"
    {"NUMERICMC_TITLE", "Numeric Move/Copy"},
    {"NUMERICMC_OFFSET", "Offset"},
    {"NUMERICMC_METERS", "meters"},
    {"NUMERICMC_FRACTION", "1/256 m"},
    {"NUMERICMC_DELTA_X", "Delta X"},
    {"NUMERICMC_DELTA_Y", "Delta Y"},
    {"NUMERICMC_DELTA_Z", "Delta Z"},
    {"NUMERICMC_ACTION", "Action"},
    {"NUMERICMC_COPY", "Copy"},
    {"NUMERICMC_MOVE", "Move"},

    // "INTEGRITYCHECK"
    {"INTEGRITYCHECK_TITLE", "Integrity Check"},
    {"INTEGRITYCHECK_SELECT_ALL", "Select All"},
    {"INTEGRITYCHECK_PRINT", "Print"},

    // "WAVLISTS"
    {"WAVLISTS_TITLE", "Wav File Lists"},
    {"WAVLISTS_DESCRIPTION", "Description"},
    {"WAVLISTS_FILE_NAME", "File Name"},

    // "WAYPOINTNAMES"
    {"WAYPOINTNAMES_TITLE", "Waypoint Name ID's (WPN00n)"},
    {"WAYPOINTNAMES_TEAM_BLUE", "Team Blue"},
    {"WAYPOINTNAMES_TEAM_RED", "Team Red"},

    // The Edit menu's Undo and Redo items and the names of the steps they take ("Undo Move").
    {"UNDO", "Undo"},
    {"REDO", "Redo"},
    {"STEP_CHANGE", "Change"},
    {"STEP_COPY", "Copy"},
    {"STEP_CENTRE", "Centre"},
    {"STEP_INTEGRITY_CHECK", "Integrity Check"},
    {"STEP_NUMERIC_MOVE", "Numeric Move"},
    {"STEP_CLEAR", "Clear"},
    {"STEP_OPEN", "Open"},
    {"STEP_SAVE", "Save"},
    {"STEP_EXPORT", "Export"},
    {"STEP_UNSELECT_ALL", "Unselect All"},
    {"STEP_CUT", "Cut"},
    {"STEP_DELETE", "Delete"},
    {"STEP_ITEM_ATTRIBUTES", "Item Attributes"},
    {"STEP_GENERAL_INFORMATION", "General Information"},
    {"STEP_UNHIDE_ALL", "Unhide All"},
    {"STEP_HIDE_SELECTED", "Hide Selected"},
    {"STEP_HIDE_UNSELECTED", "Hide Unselected"},
    {"STEP_WAYPOINTS", "Waypoints"},
    {"STEP_EVENTS", "Events"},
    {"STEP_GROUPS", "Groups"},
    {"STEP_SELECT_TYPE", "Select Type"},
    {"STEP_WAV_LISTS", "Wav Lists"},
    {"STEP_VISIBLE_LAYERS", "Visible Layers"},
    {"STEP_LAYER_NAMES", "Layer Names"},
    {"STEP_PLAYER_WAYPOINT_NAMES", "Player Waypoint Names"},
    {"STEP_AREA_TRIGGERS", "Area Triggers"},
    {"STEP_BRIEFING", "Briefing"},
    {"STEP_MOVE", "Move"},
    {"STEP_INSERT_ITEM", "Insert Item"},
    {"STEP_PASTE_ONE", "Paste 1 Item"},
    {"STEP_PASTE_MANY", "Paste %i Items"}, // item count

    // Messages (formats take the arguments their names give).
    {"UNABLE_TO_LOAD_FILE", "Warning: Unable to load file %s"},                         // file name
    {"UNABLE_TO_OPEN_GAME_DIRECTORY", "Warning: Unable to open the game directory %s"}, // directory
    {"UNABLE_TO_OPEN_MISSION_FILE", "Warning: Unable to open the mission file %s"},     // path

    // File > Open, Save, Recent Missions, the closing questions and the recovery of backups.
    {"NO_RECENT_MISSIONS", "(none)"},
    {"OPEN_CAPTION", "Open"},
    {"RECENT_MISSION_MISSING", // path
     "The mission file %s cannot be found. It has been taken off the list of recent missions."},
    {"CREATE_MISSION?", // path
     "The file %s does not exist.\nDo you want to start a new mission under that name? It is written when "
     "you "
     "save."},
    {"SAVE_PAGE_2?", "Page 2 has unsaved changes. Do you want to save it before you quit?"},
    {"SAVE_CHANGES?", // page number
     "Page %i has unsaved changes. Do you want to save them first?"},
    {"CLEAR_CAPTION", "Clear"},
    {"RECOVERY_CAPTION", "Recover Backup"},
    {"RECOVER_PAGE?", // page number, date and time, path, page number
     "The editor did not close normally last time. A backup of Page %i was written at %s:\n%s\n\nDo you want "
     "to open it into Page %i? Save it under a name of your own afterwards."},
    {"START_MISSION_NOT_OPENED", // path
     "Page 1 holds the recovered backup, so the mission %s was not opened. Open it with File > Open when you "
     "have saved the backup."},
};
} // namespace

const char* text_Own(const char* key) {
    if (key == nullptr) return kBadTextString;
    for (const OwnTextDef& def : kOwnTexts)
        if (std::strcmp(def.key, key) == 0) return def.text;
    return kBadTextString;
}

std::span<const OwnTextDef> text_OwnTable() {
    return kOwnTexts;
}
