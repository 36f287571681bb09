#pragma once
// The about box ("ABOUT_QZMED"): program name, version, credits, rights notice and a usage hint
// beside the application icon. It changes nothing; every way of closing it gives result 1.

#include "dialogs/dialog_frame.h"

// Control ids of the texts.
constexpr int kAboutTextProgram = 1182;
constexpr int kAboutTextVersion = 1183;
constexpr int kAboutTextRights = 1184;
constexpr int kAboutTextCoder = 1185;
constexpr int kAboutTextHelp = 1234;

// The version the about box names.
inline constexpr const char* kAboutVersion = "1.43";

class AboutDialog : public DialogFrame {
    Q_OBJECT
  public:
    AboutDialog(QWidget* parent, ShellServices& services);

    // The version line: "ABOUT_VERSION" filled with kAboutVersion when that text takes exactly one
    // "%s", else a built-in "Version %s".
    static QString versionText();

  public Q_SLOTS:
    void reject() override;
};
