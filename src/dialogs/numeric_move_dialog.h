#pragma once
// The numeric move-or-copy dialog ("NUMERICMC"): offsets along X, Y and Z, each typed as whole
// metres and 1/256 m, and the choice between moving the selection and copying it. The values
// live in the NumericMoveMemory it is given (the editor's, kept for the whole run); the command
// reads them after result 1.
//
// Result 1 (OK): offsets (metres * 256 + fraction, neither range-checked; a sum beyond 32 bits is
// clamped to that range) and the move switch are remembered, the cancelled flag is cleared.
// Result 0 (Cancel, Escape, closing): the cancelled flag is set, the offsets stay as they were.

#include "dialogs/dialog_frame.h"
#include "editor/dialog_memory.h"

#include <cstdint>

// Control ids: edits of whole metres and of 1/256 m for X, Y, Z, and the two action buttons.
constexpr int kNumericEditMetresX = 3000;   // 3000-3002
constexpr int kNumericEditFractionX = 3010; // 3010-3012
constexpr int kNumericRadioCopy = 3003;
constexpr int kNumericRadioMove = 3004;

class NumericMoveDialog : public DialogFrame {
    Q_OBJECT
  public:
    NumericMoveDialog(QWidget* parent, ShellServices& services, NumericMoveMemory& memory);

    // The offset of `metres` whole metres plus `fraction` 1/256 m, in world units, clamped to
    // 32 bits.
    static int32_t offsetOf(int32_t metres, int32_t fraction);

  public Q_SLOTS:
    void reject() override;

  private:
    void buildControls();
    void storeAndAccept();

    NumericMoveMemory& memory_;
};
