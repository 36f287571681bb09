#pragma once
// The base of every editor dialog. Each control is registered under its numeric control id, so
// the dialog logic and the tests address controls by the ids of the dialog descriptions
// (edit(2900), list(4501), check(4800)). A registered control's object name is "control<id>".
//
// Texts: captions come from the interface string table (section "Dialog Message" unless a dialog
// says otherwise), or from our own texts where a dialog's template carries fixed captions. Texts
// of the mission page and of the tables are bytes of the game's 8-bit code page, shown through the
// editor's one codec (shell/game_text.h), under which every byte survives a round trip through an
// edit unchanged.

#include <QDialog>
#include <QString>

#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class ShellServices;

// The ids of the standard buttons.
constexpr int kControlOk = 1;
constexpr int kControlCancel = 2;

class DialogFrame : public QDialog {
    Q_OBJECT
  public:
    DialogFrame(QWidget* parent, ShellServices& services);

    // The control registered under `id`, or null.
    QWidget* control(int id) const;
    // The control under `id` as the given kind; null when there is none or it is of another kind.
    QLineEdit* edit(int id) const;
    QPlainTextEdit* textEdit(int id) const;
    QListWidget* list(int id) const;
    QComboBox* combo(int id) const;
    QCheckBox* check(int id) const;
    QRadioButton* radio(int id) const;
    QPushButton* button(int id) const;
    QLabel* label(int id) const;
    QGroupBox* group(int id) const;

    ShellServices& services() const { return services_; }

    // ---- Texts ----
    // The text of `key` in section "Dialog Message" (the key itself when it is missing).
    static QString dialogText(const char* key);
    // The text of `key` in `section`.
    static QString lookupText(const char* section, const char* key);
    // Our own text under `key` (gamedata/own_texts.h).
    static QString ownText(const char* key);
    // Page bytes to a shown text and back. toPageBytes cuts the result to `limit` bytes.
    static QString fromPageBytes(const char* bytes);
    static QString fromPageBytes(const std::string& bytes) { return fromPageBytes(bytes.c_str()); }
    static std::string toPageBytes(const QString& text, size_t limit = std::string::npos);
    // Copies `text` into a fixed character field of `size` bytes, always zero-terminated (so at
    // most size - 1 characters are kept).
    static void storeField(char* field, size_t size, const QString& text);
    // The standard decimal conversion of an edit's text: leading blanks, an optional sign and the
    // digits that follow; 0 when there are none. Values beyond 32 bits are clamped to that range.
    static int32_t parseInteger(const QString& text);

  protected:
    // Registers `widget` under `id` and returns it.
    template <typename Widget> Widget* add(int id, Widget* widget) {
        registerControl(id, widget);
        return widget;
    }
    // Sets the dialog's size from its template's size in dialog units.
    void setTemplateSize(int widthUnits, int heightUnits);

  private:
    void registerControl(int id, QWidget* widget);

    ShellServices& services_;
    std::map<int, QWidget*> controls_;
};
