#include "dialogs/list_records_dialog.h"

#include "dialogs/list_editing.h"
#include "editor/file_commands.h"
#include "editor/file_paths.h"
#include "foundation/safe_format.h"
#include "gamedata/string_table.h"
#include "mission/mission_page.h"
#include "shell/shell_services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr ListDialogControls kWaypointControls{
    .title_key = "WAYPOINTS",
    .list = kWaypointsList,
    .size_text = kWaypointsSize,
    .description_label = kWaypointsDescriptionLabel,
    .description = kWaypointsDescription,
    .colour = kWaypointsColour,
    .no_loop = kWaypointsNoLoop,
    .blue = kWaypointsBlue,
    .red = kWaypointsRed,
    .select = kWaypointsSelect,
    .select_key = "SELECT_MARKERS",
    .print = kWaypointsPrint,
    .width_units = 360,
    .height_units = 191,
};
constexpr ListDialogControls kAreaTriggerControls{
    .title_key = "AREA_TRIGGERS",
    .list = kAreaTriggersList,
    .size_text = 0,
    .description_label = kAreaTriggersDescriptionLabel,
    .description = kAreaTriggersDescription,
    .colour = kAreaTriggersColour,
    .no_loop = 0,
    .blue = 0,
    .red = 0,
    .select = kAreaTriggersSelect,
    .select_key = "SELECT_MARKERS",
    .print = kAreaTriggersPrint,
    .width_units = 387,
    .height_units = 191,
};
constexpr ListDialogControls kGroupControls{
    .title_key = "GROUPS",
    .list = kGroupsList,
    .size_text = kGroupsSize,
    .description_label = kGroupsDescriptionLabel,
    .description = kGroupsDescription,
    .colour = 0,
    .no_loop = 0,
    .blue = 0,
    .red = 0,
    .select = kGroupsSelect,
    .select_key = "SELECT_MEMBERS",
    .print = kGroupsPrint,
    .width_units = 360,
    .height_units = 210,
};

QString sizeText(int32_t members) {
    return DialogFrame::fromPageBytes(
        text_FormatChecked(TextLookup("Dialog Message", "SIZE"), "d", "Size: %i", {members}));
}

} // namespace

const ListDialogControls& dialogs_ListControls(ListDialogKind kind) {
    switch (kind) {
    case ListDialogKind::Waypoints:
        return kWaypointControls;
    case ListDialogKind::AreaTriggers:
        return kAreaTriggerControls;
    case ListDialogKind::Groups:
        break;
    }
    return kGroupControls;
}

ListRecordsDialog::ListRecordsDialog(QWidget* parent, MissionPage& page, ShellServices& services,
                                     ListDialogKind kind, ListDialogHooks hooks)
    : DialogFrame(parent, services), page_(page), kind_(kind), controls_(dialogs_ListControls(kind)),
      hooks_(std::move(hooks)) {
    setWindowTitle(dialogText(controls_.title_key));

    // Controls are made in the order of the layout, which is also the order of the Tab key; the
    // list comes first so that it holds the input focus when the dialog appears.
    auto* list = add(controls_.list, new QListWidget(this));
    auto* side = new QVBoxLayout;
    if (controls_.size_text != 0) side->addWidget(add(controls_.size_text, new QLabel(this)));

    auto* descriptionLabel = add(controls_.description_label, new QLabel(dialogText("DESCRIPTION"), this));
    auto* description = add(controls_.description, new QLineEdit(this));
    description->setMaxLength(kListDescriptionMaxChars);
    descriptionLabel->setBuddy(description);
    side->addWidget(descriptionLabel);
    side->addWidget(description);

    if (controls_.colour != 0) {
        auto* colourLabel = add(kListColourLabel, new QLabel(dialogText("COLOR"), this));
        auto* colour = add(controls_.colour, new QComboBox(this));
        for (int position = 0; position < kListColourCount; ++position)
            colour->addItem(lookupText("Colors", listdlg_ColourKey(position)));
        colourLabel->setBuddy(colour);
        side->addWidget(colourLabel);
        side->addWidget(colour);
        connect(colour, &QComboBox::currentIndexChanged, this, [this] { storeAndRedraw(); });
    }
    if (controls_.no_loop != 0) {
        auto* noLoop = add(controls_.no_loop, new QCheckBox(dialogText("WAYPOINT_NOLOOP"), this));
        auto* blue = add(controls_.blue, new QCheckBox(dialogText("WAYPOINT_BLUE"), this));
        auto* red = add(controls_.red, new QCheckBox(dialogText("WAYPOINT_RED"), this));
        side->addWidget(noLoop);
        side->addWidget(blue);
        side->addWidget(red);
        // The team boxes are stored with the next store; only the loop changes the map.
        connect(noLoop, &QCheckBox::clicked, this, [this] { storeAndRedraw(); });
    }
    side->addStretch(1);

    auto* select = add(controls_.select, new QPushButton(dialogText(controls_.select_key), this));
    auto* print = add(controls_.print, new QPushButton(dialogText("PRINT_LIST"), this));
    auto* ok = add(kControlOk, new QPushButton(dialogText("OK"), this));
    ok->setDefault(true);
    select->setAutoDefault(false);
    print->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(select);
    buttons->addWidget(print);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    side->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list, 3);
    layout->addLayout(side, 2);

    editor_ = std::make_unique<ListEditor>(list, listdlg_EntryCount(kind_),
                                           ListEditor::Callbacks{[this](int row) { return lineText(row); },
                                                                 [this](int row) { storeRow(row); },
                                                                 [this](int row) { showRow(row); }});
    connect(description, &QLineEdit::textChanged, this, [this] { editor_->shownEntryEdited(); });
    connect(select, &QPushButton::clicked, this, &ListRecordsDialog::selectItems);
    connect(print, &QPushButton::clicked, this, &ListRecordsDialog::printList);
    connect(ok, &QPushButton::clicked, this, &ListRecordsDialog::confirm);

    editor_->open();
    list->setFocus();
    setTemplateSize(controls_.width_units, controls_.height_units);
}

ListRecordsDialog::~ListRecordsDialog() = default;

QString ListRecordsDialog::lineText(int row) const {
    return ListEditor::numberedLine(numberOfRow(row),
                                    fromPageBytes(listdlg_LineDescription(page_, kind_, numberOfRow(row))));
}

ListEntryInput ListRecordsDialog::controlValues() const {
    ListEntryInput input;
    input.description = toPageBytes(edit(controls_.description)->text(), kListDescriptionMaxChars);
    if (controls_.colour != 0) input.color_position = combo(controls_.colour)->currentIndex();
    if (controls_.no_loop != 0) {
        if (check(controls_.no_loop)->isChecked()) input.flag_bits |= kWaypointNoLoop;
        if (check(controls_.blue)->isChecked()) input.flag_bits |= kWaypointBlueTeam;
        if (check(controls_.red)->isChecked()) input.flag_bits |= kWaypointRedTeam;
    }
    return input;
}

void ListRecordsDialog::storeRow(int row) {
    listdlg_Store(page_, kind_, numberOfRow(row), controlValues());
}

void ListRecordsDialog::showRow(int row) {
    const int number = numberOfRow(row);
    const ListEntryInput shown = listdlg_Shown(page_, kind_, number);
    if (controls_.size_text != 0)
        label(controls_.size_text)->setText(sizeText(listdlg_MemberCount(page_, kind_, number)));
    if (controls_.colour != 0) {
        // Showing a record is not a change of its colour.
        const QSignalBlocker blocker(combo(controls_.colour));
        combo(controls_.colour)->setCurrentIndex(shown.color_position);
    }
    if (controls_.no_loop != 0) {
        check(controls_.no_loop)->setChecked((shown.flag_bits & kWaypointNoLoop) != 0);
        check(controls_.blue)->setChecked((shown.flag_bits & kWaypointBlueTeam) != 0);
        check(controls_.red)->setChecked((shown.flag_bits & kWaypointRedTeam) != 0);
    }
    edit(controls_.description)->setText(fromPageBytes(shown.description));
}

void ListRecordsDialog::storeAndRedraw() {
    if (editor_->firstNotificationPending()) return;
    editor_->storeShown();
    redraw();
}

void ListRecordsDialog::selectItems() {
    // The group dialog stores only its description, which typing has stored already.
    if (kind_ != ListDialogKind::Groups) editor_->storeShown();
    listdlg_SelectItems(page_, kind_, numberOfRow(editor_->shownRow()), hooks_.show_flags);
    redraw();
}

void ListRecordsDialog::printList() {
    const std::string path = services().chooseFile(this, FileDialogKind::Save, file_TextFilter(),
                                                   file_ChooserStart(file_StoredPath(page_)));
    if (path.empty()) return;
    // A failure is shown by the report writer.
    listdlg_WriteReport(page_, kind_, path.c_str());
}

void ListRecordsDialog::confirm() {
    editor_->storeShown();
    done(1);
}

void ListRecordsDialog::reject() {
    confirm();
}

void ListRecordsDialog::redraw() {
    if (hooks_.redrawMap) hooks_.redrawMap();
}

DialogResult dialogs_RunListRecords(QWidget* parent, MissionPage& page, ShellServices& services,
                                    ListDialogKind kind, ListDialogHooks hooks) {
    ListRecordsDialog dialog(parent, page, services, kind, std::move(hooks));
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
