#pragma once
// The visible layers dialog ("VISIBLELAYERS"): a check box per layer (ticked = drawn), the layer
// that receives new items, "Show All" and "Hide All". Every change goes into the page at once and
// the map is drawn again; the current layer is always kept visible. OK and closing the window
// both close with 1.

#include "dialogs/dialog_frame.h"

#include <functional>

struct MissionPage;

constexpr int kVisibleLayersGroup = 1205;
constexpr int kVisibleLayersDefaultLabel = 1206;
constexpr int kVisibleLayersFirstBox = 4800; // 4800 + k is layer k
constexpr int kVisibleLayersShowAll = 4851;
constexpr int kVisibleLayersHideAll = 4852;
constexpr int kVisibleLayersDefaultList = 4853;

class VisibleLayersDialog : public DialogFrame {
    Q_OBJECT
  public:
    // `renderMap` draws the map of the current page again; it may be empty.
    VisibleLayersDialog(QWidget* parent, MissionPage& page, ShellServices& services,
                        std::function<void()> renderMap);

    // The text of layer `layer` (0-15): "%2i - name", or "LAYERNAME" with the layer's number when
    // it has no name. Its check box shows it as typed ('&' included), cut with an ellipsis when
    // it is too long for the box, the whole text then in the box's tool tip; the default-layer
    // list shows it whole.
    static QString layerText(const MissionPage& page, int layer);

    // One notification from the default-layer list (its selection changing or it gaining the
    // input focus). The first one after opening changes nothing.
    void defaultLayerNotified();
    bool firstNotificationPending() const { return firstNotification_; }

  public:
    void reject() override; // closing the window keeps the changes: result 1

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void refresh();
    void changed();

    MissionPage& page_;
    std::function<void()> renderMap_;
    bool firstNotification_ = true;
};
