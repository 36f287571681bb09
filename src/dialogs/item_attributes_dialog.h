#pragma once
// The item attributes dialog ("ITEMATTRIBUTES"): the attributes of every selected item of a page
// at once. It shows the last selected item; OK writes each field whose control now holds another
// value into every selected item, and leaves the fields of untouched controls as each item has
// them. Cancel, Escape and closing the window write nothing.
//
// The rules (lists, enabling, what OK writes and in which order) belong to ItemAttrSession; this
// dialog presents the session's lists and values and hands back what its controls hold.

#include "dialogs/dialog_frame.h"
#include "editor/editor_view.h"
#include "editor/item_attr_session.h"

#include <optional>

struct MissionPage;

// Control ids.
constexpr int kAttrTextClass = 4005;
constexpr int kAttrTextSerial = 4042;
constexpr int kAttrLabelLayer = 1207;
constexpr int kAttrListLayer = 4044;
constexpr int kAttrLabelDefinition = 1222;
constexpr int kAttrListDefinition = 4000;
constexpr int kAttrGroupPosition = 1219;
constexpr int kAttrLabelX = 1216;
constexpr int kAttrLabelY = 1217;
constexpr int kAttrLabelZ = 1218;
constexpr int kAttrEditMetresX = 4001; // then Y 4002, Z 4003
constexpr int kAttrEditPartsX = 4010;  // then Y 4011, Z 4012
constexpr int kAttrGroupFacing = 1001;
constexpr int kAttrLabelHeading = 1209;
constexpr int kAttrEditHeading = 4004;
constexpr int kAttrLabelPitch = 1208;
constexpr int kAttrEditPitch = 4013;
constexpr int kAttrLabelMapSymbol = 1220;
constexpr int kAttrListMapSymbol = 4045;
constexpr int kAttrGroupRemoveIf = 1221;
constexpr int kAttrCheckLessThan = 4014;
constexpr int kAttrEditLessThan = 4015;
constexpr int kAttrLabelLessThanPlayers = 1223;
constexpr int kAttrCheckMoreThan = 4016;
constexpr int kAttrEditMoreThan = 4017;
constexpr int kAttrLabelMoreThanPlayers = 1224;
constexpr int kAttrCheckMultiplayer = 4018;
constexpr int kAttrGroupAiVariables = 1225;
constexpr int kAttrLabelGroup = 1215;
constexpr int kAttrListGroup = 4008;
constexpr int kAttrLabelTeam = 1005;
constexpr int kAttrListTeam = 4030;
constexpr int kAttrLabelName = 1011;
constexpr int kAttrListName = 4043;
constexpr int kAttrLabelFov = 1212;
constexpr int kAttrEditFov = 4020;
constexpr int kAttrLabelAccuracy = 1213;
constexpr int kAttrEditAccuracy = 4021;
constexpr int kAttrLabelPerception = 1214;
constexpr int kAttrEditPerception = 4022;
constexpr int kAttrLabelWeapon = 1012;
constexpr int kAttrListWeapon = 4031;
constexpr int kAttrGroupWaypoints = 1226;
constexpr int kAttrLabelWaypointList = 1227;
constexpr int kAttrListWaypointList = 4006;
constexpr int kAttrLabelWaypointNumber = 1000;
constexpr int kAttrEditWaypointNumber = 4007;
constexpr int kAttrLabelWaypointName = 1211;
constexpr int kAttrListWaypointName = 4032;
constexpr int kAttrLabelWaypointDistance = 1210;
constexpr int kAttrEditWaypointDistance = 4029;
constexpr int kAttrGroupAiAttributes = 1003;
constexpr int kAttrCheckBlind = 4025;
constexpr int kAttrCheckGuarding = 4026;
constexpr int kAttrCheckBreakLeft = 4027;
constexpr int kAttrCheckBreakRight = 4028;
constexpr int kAttrCheckStanding = 4034;
constexpr int kAttrCheckProne = 4035;
constexpr int kAttrCheckSilent = 4046;
constexpr int kAttrCheckClimbLadders = 4048;
constexpr int kAttrCheckNoWater = 4049;
constexpr int kAttrCheckDeaf = 4033;

// Characters an edit takes.
constexpr int kAttrEditMaxChars = 34;

class ItemAttributesDialog : public DialogFrame {
    Q_OBJECT
  public:
    // `session` must have been opened on `page`.
    ItemAttributesDialog(QWidget* parent, MissionPage& page, ShellServices& services,
                         ItemAttrSession session);

    const ItemAttrSession& session() const { return session_; }
    // What the controls hold now.
    ItemAttrForm readForm() const;
    // The check box of bit `bit` of bmsi_attributes, or null for a bit without one.
    QCheckBox* boxOfBit(int bit) const;

  public Q_SLOTS:
    void accept() override; // OK and Enter: apply, then close with 1

  private:
    void buildControls();
    void fillLists();
    // Shows `form` in the controls whose enabling flag is in `which`; the layer, definition,
    // group and position controls go with kAttrAllControls only.
    void showForm(const ItemAttrForm& form, ItemAttrControls which);
    // Enables what the session says; a control that becomes disabled shows its item's value
    // again, since OK will not write it.
    void applyEnabling();
    void chooseDefinition(int entry);

    MissionPage& page_;
    ItemAttrSession session_;
    ItemAttrControls enabled_ = kAttrAllControls;
};

// Runs the dialog on the selection of `page`. Cancelled without showing anything when the
// selection names no item of the page.
DialogResult dialogs_RunItemAttributes(QWidget* parent, MissionPage& page, ShellServices& services,
                                       const ItemAttrSources& sources);
