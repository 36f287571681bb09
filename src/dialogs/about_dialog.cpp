#include "dialogs/about_dialog.h"

#include "dialogs/dialog_catalogue.h"
#include "foundation/safe_format.h"
#include "gamedata/string_table.h"
#include "shell/app_icon.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kIconSize = 48;

QLabel* iconLabel(const QString& name) {
    auto* icon = new QLabel;
    icon->setObjectName(name);
    icon->setPixmap(shell_AppIcon().pixmap(kIconSize, kIconSize));
    icon->setAlignment(Qt::AlignCenter);
    return icon;
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent, ShellServices& services) : DialogFrame(parent, services) {
    setWindowTitle(dialogText("ABOUT_QZMED"));
    setWindowIcon(shell_AppIcon());

    struct TextRow {
        int id;
        QString text;
    };
    const TextRow rows[] = {
        {kAboutTextProgram, dialogText("ABOUT_QZ2MED")}, {kAboutTextVersion, versionText()},
        {kAboutTextCoder, dialogText("ABOUT_CODER_QZ")}, {kAboutTextRights, dialogText("ABOUT_RIGHTS_QZ")},
        {kAboutTextHelp, dialogText("ABOUT_HELP_QZ")},
    };
    auto* texts = new QVBoxLayout;
    for (const TextRow& row : rows) {
        auto* line = add(row.id, new QLabel(row.text));
        // Table texts are shown as they are, never as markup.
        line->setTextFormat(Qt::PlainText);
        line->setWordWrap(true);
        line->setAlignment(Qt::AlignHCenter);
        texts->addWidget(line);
    }
    QFont programFont = label(kAboutTextProgram)->font();
    programFont.setBold(true);
    label(kAboutTextProgram)->setFont(programFont);

    auto* top = new QHBoxLayout;
    top->addWidget(iconLabel(QStringLiteral("iconLeft")), 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    top->addWidget(iconLabel(QStringLiteral("iconRight")), 0, Qt::AlignTop);

    auto* ok = add(kControlOk, new QPushButton(dialogText("OK")));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    setTemplateSize(187, 175);
}

QString AboutDialog::versionText() {
    return fromPageBytes(text_FormatChecked(TextLookup("Dialog Message", "ABOUT_VERSION"), "s", "Version %s",
                                            {kAboutVersion}));
}

void AboutDialog::reject() {
    done(1);
}

DialogResult dialogs_RunAbout(QWidget* parent, MissionPage&, ShellServices& services) {
    AboutDialog dialog(parent, services);
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
