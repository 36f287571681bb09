#pragma once
// The numbers of the editor's commands and of the main window's controls. Menus, context menus,
// buttons and keys all reach the editor as one of these command numbers.

// ---- Commands ---------------------------------------------------------------------------------

enum EditorCommand : int {
    kCmdColorMap = 101,
    kCmdDepthMap = 102,
    kCmdFirstOrderMap = 103,
    kCmdCopy = 107,
    kCmdToggleSnap = 111,
    kCmdGetCenter = 115,
    kCmdIntegrityCheck = 123,
    kCmdPrint = 124,
    kCmdNumericMove = 125,
    kCmdMetafile = 126,
    kCmdMemoryStack = 131,
    kCmdClear = 134,
    kCmdOpen = 135,
    kCmdSave = 136,
    kCmdExit = 137,
    kCmdUnselectAll = 144,
    kCmdToggleGrid = 145,
    kCmdGridLarger = 146,
    kCmdGridSmaller = 147,
    kCmdShowVehicles = 148,
    kCmdShowPeople = 149,
    kCmdShowObjects = 150,
    kCmdShowDecorations = 151,
    kCmdShowBuildings = 152,
    kCmdShowMarkers = 153,
    kCmdShowTeamBlue = 154,
    kCmdShowTeamRed = 155,
    kCmdCut = 160,
    kCmdPaste = 161,
    kCmdDelete = 162,
    kCmdInsertMode = 163,
    kCmdPage1 = 165,
    kCmdPage2 = 166,
    kCmdEditAttributes = 170,
    kCmdMove = 184,
    kCmdGeneralInfo = 185,
    kCmdUnhideAll = 186,
    kCmdHideSelected = 187,
    kCmdHideUnselected = 188,
    kCmdExport = 207,
    kCmdShowTeamGreen = 217,
    kCmdViewByType = 218,
    kCmdViewBySide = 219,
    kCmdShowTeamYellow = 220,
    kCmdShowTeamViolet = 221,
    kCmdWaypoints = 223,
    kCmdEvents = 224,
    kCmdGroups = 225,
    kCmdSelectType = 226,
    kCmdWavLists = 227,
    kCmdShowFovCones = 228,
    kCmdShowAreaTriggers = 229,
    kCmdVisibleLayers = 230,
    kCmdLayerNames = 231,
    kCmdWaypointNames = 232,
    kCmdShowCharacters = 233,
    kCmdShowWater = 1045,
    kCmdAreaTriggers = 40004,
    kCmdWrapObjects = 40005,
    kCmdAbout = 40006,
    kCmdBriefing = 40007,
    kCmdFindItems = 40100, // shows the Find Items panel
    kCmdProblems = 40101,  // shows the Problems panel
    kCmdMeasure = 40102,   // the ruler: distance and bearing between two points of the map
    kCmdUndo = 40110,      // takes back the newest step of the current page
    kCmdRedo = 40111,      // does the newest undone step of the current page again
    // View menu entries for what the zoom keys do (the keys keep their own handling).
    kCmdZoomIn = 40210,
    kCmdZoomOut = 40211,
    // Save to the page's own file without asking (Save As, 136, always asks).
    kCmdSaveInPlace = 40300,
    // File > Recent Missions: entry 1 (the most recent) to entry 8.
    kCmdRecentMissionFirst = 40301,
    kCmdRecentMissionLast = 40308,
};

// ---- Controls of the main window --------------------------------------------------------------

enum EditorControl : int {
    kControlColorMap = 1001,
    kControlDepthMap = 1002,
    kControlFirstOrderMap = 1003,
    kControlUnselectAll = 1010,
    kControlGridBox = 1011,
    kControlGridSizeText = 1012,
    kControlGridSmaller = 1013,
    kControlGridLarger = 1014,
    kControlSnapToGrid = 1015,
    kControlShowBox = 1016,
    kControlVehicles = 1017,
    kControlPeople = 1018,
    kControlBuildings = 1019,
    kControlObjects = 1020,
    kControlDecorations = 1021,
    kControlMarkers = 1022,
    kControlTeamBlue = 1023,
    kControlTeamRed = 1024,
    kControlTeamGreen = 1025,
    kControlCharacters = 1026,
    kControlPage1 = 1034,
    kControlPage2 = 1035,
    kControlGridView = 1040,
    kControlFovCones = 1041,
    kControlAreaTriggers = 1042,
    kControlLayers = 1043,
    kControlWater = 1044,
    kControlTeamYellow = 1046,
    kControlTeamViolet = 1047,
};

// ---- Timer ------------------------------------------------------------------------------------

constexpr int kBackupTimerId = 1;
constexpr int kBackupIntervalMs = 600000; // ten minutes
