#pragma once
// The integrity check window ("INTEGRITYCHECK"): the slots of the items whose type has no item
// definition, sorted as text, and their count. "Select All" selects exactly those items and
// closes with 1; Enter closes with 1; closing the window closes with 0. Nothing else changes the
// page.

#include "dialogs/dialog_frame.h"

struct MissionPage;

constexpr int kIntegritySummary = 4500;
constexpr int kIntegrityList = 4501;
constexpr int kIntegritySelectAll = 4502;
constexpr int kIntegrityPrint = 103;

class IntegrityCheckDialog : public DialogFrame {
    Q_OBJECT
  public:
    IntegrityCheckDialog(QWidget* parent, MissionPage& page, ShellServices& services);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void selectAll();

    MissionPage& page_;
};
