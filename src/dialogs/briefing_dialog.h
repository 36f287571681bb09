#pragma once
// The briefing dialog ("EDITBRIEFING"): the mission briefing of the page in a multi-line edit.
//
// The page keeps line breaks as carriage return + line feed, as the game's own text box gives
// them, and at most 255 bytes, a line break counting as two. The edit shows line breaks as
// plain ones and holds no more than fits: typing beyond the limit is refused, a paste or drop is
// cut to fit, and a stored briefing that would not fit once its line breaks are CR LF opens cut.
// OK stores the text into the page; Cancel (or Escape) stores nothing. Both close with 1.

#include "dialogs/dialog_frame.h"

#include <QStringView>

#include <string>

struct MissionPage;

// Control ids.
constexpr int kBriefingEdit = 1001;
constexpr int kBriefingLabel = 1229;

// Bytes a briefing may hold (the field's size less its terminating zero).
constexpr int kBriefingLimit = 255;

class BriefingDialog : public DialogFrame {
    Q_OBJECT
  public:
    BriefingDialog(QWidget* parent, MissionPage& page, ShellServices& services);

    // The text shown for the page's briefing bytes: CR LF, a lone CR and a lone LF each become one
    // line break. Not yet cut to the limit.
    static QString shownText(const char* briefing, size_t size);
    // The page bytes of a shown text: line breaks as CR LF, characters outside Latin-1 as '?',
    // cut to kBriefingLimit bytes without splitting a line break.
    static std::string storedBytes(const QString& text);
    // The number of bytes storedBytes would give before cutting.
    static qsizetype storedLength(QStringView text);
    // The number of characters at the start of `text` that take at most `room` bytes when
    // stored (0 for a room below 1); never ends between the halves of a surrogate pair.
    static qsizetype fittingPrefix(QStringView text, qsizetype room);

  public Q_SLOTS:
    void reject() override;

  private:
    void buildControls();
    // The last resort for changes that do not come from the user's input (which the edit cuts
    // before it arrives): cuts what the change inserted so that the text fits again.
    void enforceLimit();
    void storeAndClose();

    MissionPage& page_;
    int changePosition_ = 0;
    int changeAdded_ = 0;
    bool adjusting_ = false;
};
