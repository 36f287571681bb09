#pragma once
// The template names of the editor's modal dialogs: the names EditorView::openDialog takes and
// the dialog registry is keyed by.

// Opened by the commands of the main window.
inline constexpr const char* kDialogGetCenter = "GETCENTER";
inline constexpr const char* kDialogIntegrityCheck = "INTEGRITYCHECK";
inline constexpr const char* kDialogGeneralInfo = "GENERALINFO";
inline constexpr const char* kDialogWaypoints = "EDITWAYPOINTS";
inline constexpr const char* kDialogEvents = "EDITEVENTS";
inline constexpr const char* kDialogGroups = "EDITGROUPS";
inline constexpr const char* kDialogWavLists = "WAVLISTS";
inline constexpr const char* kDialogVisibleLayers = "VISIBLELAYERS";
inline constexpr const char* kDialogLayerNames = "LAYERNAMES";
inline constexpr const char* kDialogWaypointNames = "WAYPOINTNAMES";
inline constexpr const char* kDialogAreaTriggers = "EDITAREATRIGGERS";
inline constexpr const char* kDialogAbout = "ABOUT_QZMED";
inline constexpr const char* kDialogBriefing = "EDITBRIEFING";

// Opened by the editing commands and the map view's tools.
inline constexpr const char* kDialogInsertItem = "INSERTITEM"; // chooses the item to insert
inline constexpr const char* kDialogNumericMove = "NUMERICMC";
inline constexpr const char* kDialogItemAttributes = "ITEMATTRIBUTES";
