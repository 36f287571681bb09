#pragma once
// What the trigger dialog and the action dialog share: a type list and a sub-code list (group
// condition / AI change) whose entries carry their codes, four variable labels with their lists,
// and OK and Cancel. What the lists show comes from the rules of event_slot_editing.h; a change of
// type shows the new type with sub-code 0, a change of sub-code refills the labels and variable
// lists. Cancel (and Escape, and the close box) closes with 0 and writes nothing.

#include "dialogs/dialog_frame.h"
#include "editor/editor_view.h"
#include "editor/event_slot_editing.h"

#include <array>

class QGroupBox;
class QGridLayout;
class QLayout;

// The control ids and caption keys of one of the two dialogs.
struct EventSlotControls {
    const char* title_key;
    int type_label;
    const char* type_key;
    int type_list;
    int subtype_label;
    const char* subtype_key;
    int subtype_list;
    int variables_group;
    const char* variables_key;
    int first_variable_label; // four consecutive ids
    int first_variable_list;  // four consecutive ids
};

class EventSlotDialog : public DialogFrame {
    Q_OBJECT
  public:
    // The codes the lists show now (-1 for a list with nothing selected).
    int32_t chosenType() const;
    int32_t chosenSubtype() const;
    std::array<int32_t, kEventVariableSlots> chosenVariables() const;

    void reject() override;

  protected:
    EventSlotDialog(QWidget* parent, const EventSlotControls& ids, ShellServices& services);

    // What the dialog shows for (type, sub-code), with the slot's stored values selected.
    virtual EventSlotView viewFor(int32_t type, int32_t subtype) const = 0;
    // Fills every list from viewFor(type, subtype); called once the subclass can answer viewFor.
    void showSlot(int32_t type, int32_t subtype);

    // The parts for the subclass's layout (created by this class, laid out by the subclass).
    QLayout* takeTypeRows();
    QGroupBox* variablesGroup() const { return variables_; }
    QLayout* takeButtonRow();

  private:
    enum class Refill { TypeAndSubtype, Subtype, Neither };
    void present(const EventSlotView& view, Refill refill);
    void typeChosen();
    void subtypeChosen();

    EventSlotControls ids_;
    EventSlotView view_;
    QGridLayout* typeRows_ = nullptr;
    QGroupBox* variables_ = nullptr;
    QLayout* buttons_ = nullptr;
};
