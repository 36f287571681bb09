#pragma once
// The wav lists dialog ("WAVLISTS"): wav lists 1 to 31 as numbered lines; the description and
// the file name of the shown list in two edits. A list is stored when another line is chosen and
// by OK, which closes with 1 and is the only way to close it. The lines keep the texts they had
// when the dialog opened.

#include "dialogs/dialog_frame.h"

#include <memory>

struct MissionPage;
class ListEditor;

constexpr int kWavListsList = 4700;
constexpr int kWavListsDescription = 4703;
constexpr int kWavListsFileName = 4705;
constexpr int kWavDescriptionMaxChars = 79;
constexpr int kWavFileNameMaxChars = 15;

class WavListsDialog : public DialogFrame {
    Q_OBJECT
  public:
    WavListsDialog(QWidget* parent, MissionPage& page, ShellServices& services);
    ~WavListsDialog() override;

    ListEditor& listEditor() const { return *editor_; }
    // The wav list record shown on list row `row` (row 0 is wav list 1).
    static int recordOfRow(int row) { return row + 1; }

  public:
    void reject() override; // Escape and the window's close box do nothing

  private:
    QString lineText(int row) const;
    void storeRecord(int row);
    void showRecord(int row);
    void confirm();

    MissionPage& page_;
    std::unique_ptr<ListEditor> editor_;
};
