#pragma once
// The layer names dialog ("LAYERNAMES"): the 16 layers as numbered lines, the name of the shown
// layer in an edit. Names are stored into the page as they are typed (the line follows at once)
// and when another line is chosen; OK stores the shown name and closes with 1. OK is the only way
// to close it.

#include "dialogs/dialog_frame.h"

#include <memory>

struct MissionPage;
class ListEditor;

constexpr int kLayerNamesList = 4900;
constexpr int kLayerNamesLabel = 4901;
constexpr int kLayerNamesEdit = 4902;

class LayerNamesDialog : public DialogFrame {
    Q_OBJECT
  public:
    LayerNamesDialog(QWidget* parent, MissionPage& page, ShellServices& services);
    ~LayerNamesDialog() override;

    ListEditor& listEditor() const { return *editor_; }

  public:
    void reject() override; // Escape and the window's close box do nothing

  private:
    QString lineText(int layer) const;
    void storeLayer(int layer);
    void showLayer(int layer);
    void confirm();

    MissionPage& page_;
    std::unique_ptr<ListEditor> editor_;
};
