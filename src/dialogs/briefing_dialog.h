#pragma once
// The briefing dialog ("EDITBRIEFING"): the mission briefing of the page in a multi-line edit.
//
// The page keeps at most 255 bytes, with line breaks in the form the briefing already uses (CR LF,
// a bare LF or a bare CR; CR LF for a briefing without breaks yet; briefing_text.h). The edit
// shows every break as one line break and counts the limit on the bytes that will be stored, a
// break counting as many bytes as its form has: typing beyond the limit is refused, a paste or
// drop is cut to fit. A stored briefing always opens whole. OK stores the text into the page when
// it was edited and leaves the page byte for byte as it was when it was not; Cancel (or Escape)
// stores nothing. Both close with 1.

#include "dialogs/dialog_frame.h"
#include "editor/briefing_text.h"

#include <QStringView>

#include <string>

struct MissionPage;

// Control ids.
constexpr int kBriefingEdit = 1001;
constexpr int kBriefingLabel = 1229;

// Bytes a briefing may hold (the field's size less its terminating zero).
constexpr int kBriefingLimit = static_cast<int>(kBriefingMaxBytes);

class BriefingDialog : public DialogFrame {
    Q_OBJECT
  public:
    BriefingDialog(QWidget* parent, MissionPage& page, ShellServices& services);

    // The text shown for the page's briefing bytes (up to the first NUL, at most kBriefingLimit):
    // CR LF, a lone CR and a lone LF each become one line break.
    static QString shownText(const char* briefing, size_t size);
    // The page bytes of a shown text: line breaks in `form`, characters outside the page's
    // character set as '?', cut to kBriefingLimit bytes without splitting a line break.
    static std::string storedBytes(const QString& text, BriefingBreak form);
    // The number of bytes storedBytes would give before cutting.
    static qsizetype storedLength(QStringView text, BriefingBreak form);
    // The number of characters at the start of `text` that take at most `room` bytes when
    // stored with `form` (0 for a room below 1); never ends between the halves of a surrogate
    // pair.
    static qsizetype fittingPrefix(QStringView text, qsizetype room, BriefingBreak form);

    // The form in which this dialog stores line breaks.
    BriefingBreak breakForm() const { return form_; }

  public Q_SLOTS:
    void reject() override;

  private:
    void buildControls();
    // The last resort for changes that do not come from the user's input (which the edit cuts
    // before it arrives): cuts what the change inserted so that the text fits again.
    void enforceLimit();
    void storeAndClose();

    MissionPage& page_;
    BriefingBreak form_ = BriefingBreak::CrLf;
    QString opened_; // the text as it was shown on opening
    int changePosition_ = 0;
    int changeAdded_ = 0;
    bool adjusting_ = false;
};
