#pragma once
// The map centre dialog ("GETCENTER"): the centre of the view state it is given, X and Y in whole
// metres.
//
// Result 1 (OK): the centre becomes the typed metres times 256 (its fraction 0); Z is kept.
// Metres beyond what 32-bit world units hold are clamped to the largest whole metre that fits.
// Result 0 (Cancel, Escape, closing): the centre is unchanged.

#include "dialogs/dialog_frame.h"
#include "render/view_state.h"

#include <cstdint>

// Control ids.
constexpr int kCenterEditX = 2900;
constexpr int kCenterEditY = 2901;
constexpr int kCenterLabelX = 1203;
constexpr int kCenterLabelY = 1202;

class CenterDialog : public DialogFrame {
    Q_OBJECT
  public:
    CenterDialog(QWidget* parent, ShellServices& services, ViewState& view);

    // World units of `metres` whole metres, clamped to the whole metres a 32-bit value holds.
    static int32_t worldUnitsOfMetres(int32_t metres);

  private:
    void buildControls();
    void storeAndAccept();

    ViewState& view_;
};
