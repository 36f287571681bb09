#include "dialogs/visible_layers_dialog.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/field_text.h"
#include "dialogs/list_editing.h"
#include "foundation/safe_format.h"
#include "gamedata/string_table.h"
#include "mission/mission_page.h"
#include "shell/literal_caption.h"
#include "shell/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
constexpr int kLayerBoxRows = 8; // two columns of eight boxes
// The widest a layer's caption may be, in dialog units (a quarter of the average character
// width): two columns of boxes fit the template's width of 327 units.
constexpr int kLayerCaptionUnits = 124;
// The fewest characters the default-layer list is sized for; longer names are cut in it.
constexpr int kDefaultListChars = 30;

bool isLayer(int32_t layer) {
    return layer >= 0 && layer < kMaxLayers;
}
} // namespace

VisibleLayersDialog::VisibleLayersDialog(QWidget* parent, MissionPage& page, ShellServices& services,
                                         std::function<void()> renderMap)
    : DialogFrame(parent, services), page_(page), renderMap_(std::move(renderMap)) {
    setWindowTitle(dialogText("VISIBLE_LAYERS"));

    auto* boxes = add(kVisibleLayersGroup, new QGroupBox(dialogText("LAYER_VISIBILITY"), this));
    auto* boxGrid = new QGridLayout(boxes);
    const int captionWidth = fontMetrics().averageCharWidth() * kLayerCaptionUnits / 4;
    for (int layer = 0; layer < kMaxLayers; ++layer) {
        // The name shows as typed ('&' included); a long one is cut, and whole in the tool tip.
        const QString text = layerText(page_, layer);
        auto* box = add(kVisibleLayersFirstBox + layer, new QCheckBox(boxes));
        box->setText(shell_ElidedLiteralCaption(text, box->fontMetrics(), captionWidth));
        if (box->fontMetrics().horizontalAdvance(text) > captionWidth)
            box->setToolTip(Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal));
        boxGrid->addWidget(box, layer % kLayerBoxRows, layer / kLayerBoxRows);
        connect(box, &QCheckBox::clicked, this, [this, layer](bool ticked) {
            if (ticked)
                page_.general.hidden_layers &= ~(1u << layer);
            else
                page_.general.hidden_layers |= 1u << layer;
            changed();
        });
    }

    auto* defaultLabel = add(kVisibleLayersDefaultLabel, new QLabel(dialogText("DEFAULT_LAYER"), this));
    auto* defaultList = add(kVisibleLayersDefaultList, new QComboBox(this));
    defaultLabel->setBuddy(defaultList);
    // Sized for ordinary names, not for the longest one; the entries keep their whole text.
    defaultList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    defaultList->setMinimumContentsLength(kDefaultListChars);
    for (int layer = 0; layer < kMaxLayers; ++layer) {
        const QString text = layerText(page_, layer);
        defaultList->addItem(text);
        defaultList->setItemData(layer, Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal),
                                 Qt::ToolTipRole);
    }
    // A layer number outside 0-15 (from a damaged file) selects nothing.
    defaultList->setCurrentIndex(isLayer(page_.general.current_layer) ? page_.general.current_layer : -1);

    auto* showAll = add(kVisibleLayersShowAll, new QPushButton(dialogText("SHOW_ALL"), this));
    auto* hideAll = add(kVisibleLayersHideAll, new QPushButton(dialogText("HIDE_ALL"), this));
    auto* ok = add(kControlOk, new QPushButton(dialogText("OK"), this));
    ok->setDefault(true);

    auto* defaultRow = new QHBoxLayout;
    defaultRow->addWidget(defaultLabel);
    defaultRow->addWidget(defaultList, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(showAll);
    buttons->addWidget(hideAll);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(boxes);
    layout->addLayout(defaultRow);
    layout->addLayout(buttons);

    connect(showAll, &QPushButton::clicked, this, [this] {
        page_.general.hidden_layers = 0;
        changed();
    });
    connect(hideAll, &QPushButton::clicked, this, [this] {
        page_.general.hidden_layers = 0xFFFFFFFFu;
        changed();
    });
    connect(defaultList, &QComboBox::currentIndexChanged, this, [this] { defaultLayerNotified(); });
    defaultList->installEventFilter(this);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });

    refresh();
    setTemplateSize(327, 210);
}

QString VisibleLayersDialog::layerText(const MissionPage& page, int layer) {
    const QString name = dialogs_FieldText(page.layers[layer].description);
    if (!name.isEmpty()) return ListEditor::numberedLine(layer + 1, name);
    return fromPageBytes(
        text_FormatChecked(TextLookup("Dialog Message", "LAYERNAME"), "d", "Layer %i", {layer + 1}));
}

void VisibleLayersDialog::defaultLayerNotified() {
    if (firstNotification_) {
        firstNotification_ = false;
        return;
    }
    const int selected = combo(kVisibleLayersDefaultList)->currentIndex();
    if (selected < 0) return;
    page_.general.current_layer = selected;
    changed();
}

void VisibleLayersDialog::refresh() {
    if (isLayer(page_.general.current_layer))
        page_.general.hidden_layers &= ~(1u << page_.general.current_layer);
    for (int layer = 0; layer < kMaxLayers; ++layer)
        check(kVisibleLayersFirstBox + layer)->setChecked((page_.general.hidden_layers & (1u << layer)) == 0);
}

void VisibleLayersDialog::changed() {
    refresh();
    if (renderMap_) renderMap_();
}

void VisibleLayersDialog::reject() {
    done(1);
}

bool VisibleLayersDialog::eventFilter(QObject* watched, QEvent* event) {
    // The list's focus counts as a notification, so the first one - which only clears the flag -
    // comes before the user can change the selection.
    if (watched == control(kVisibleLayersDefaultList) && event->type() == QEvent::FocusIn)
        defaultLayerNotified();
    return DialogFrame::eventFilter(watched, event);
}

DialogResult dialogs_RunVisibleLayers(QWidget* parent, MissionPage& page, ShellServices& services) {
    std::function<void()> renderMap;
    if (auto* window = qobject_cast<MainWindow*>(parent)) renderMap = [window] { window->redrawMap(); };
    VisibleLayersDialog dialog(parent, page, services, std::move(renderMap));
    return dialog.exec() == 1 ? DialogResult::Accepted : DialogResult::Cancelled;
}
