#pragma once
// The player waypoint names dialog ("WAYPOINTNAMES"): the eight waypoint name ids of each team as
// integers, one edit per entry. OK, the Escape key and the window's close box all store the
// sixteen values and close with 1; no value is range-checked.

#include "dialogs/dialog_frame.h"

struct MissionPage;

// Row k (1-8) of a team's column is the edit first + k - 1.
constexpr int kWaypointNamesFirstBlue = 5000;
constexpr int kWaypointNamesFirstRed = 5010;

class WaypointNamesDialog : public DialogFrame {
    Q_OBJECT
  public:
    WaypointNamesDialog(QWidget* parent, MissionPage& page, ShellServices& services);

  public:
    void accept() override;
    void reject() override;

  private:
    void storeAll();

    MissionPage& page_;
};
