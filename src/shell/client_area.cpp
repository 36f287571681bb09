#include "shell/client_area.h"

#include "editor/control_layout.h"
#include "editor/info_text.h"
#include "gamedata/string_table.h"
#include "shell/game_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QVariant>

#include <algorithm>

namespace {

constexpr const char* kControlIdProperty = "controlId";

// The rectangle of a control, moved right by `shift` when it stands right of the centre
// information window.
QRect controlRect(const ControlDef& def, const ShellMetrics& metrics, int shift) {
    const LayoutRect r = layout_ControlRect(def, metrics.charWidth, metrics.lineHeight);
    return QRect(r.x + (ctl_IsRightOfCenterInfo(def.id) ? shift : 0), r.y, r.width, r.height);
}

// A child window rectangle is given with inclusive edges.
QRect childRect(const ChildWindowRect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
}

} // namespace

int shell_ControlId(const QWidget* widget) {
    return widget != nullptr ? widget->property(kControlIdProperty).toInt() : 0;
}

ClientArea::ClientArea(const ShellMetrics& metrics, QWidget* parent) : QWidget(parent), metrics_(metrics) {
    createControls();
}

void ClientArea::createControls() {
    QButtonGroup* radioGroup = nullptr;
    for (const ControlDef& def : ctl_Controls()) {
        QWidget* widget = nullptr;
        QAbstractButton* button = nullptr;
        switch (def.kind) {
        case ControlKind::RadioButton: {
            auto* radio = new QPushButton(this);
            radio->setCheckable(true);
            if (def.starts_group || radioGroup == nullptr) {
                radioGroup = new QButtonGroup(this);
                radioGroup->setExclusive(true);
            }
            radioGroup->addButton(radio, def.id);
            widget = button = radio;
            break;
        }
        case ControlKind::PushButton:
            widget = button = new QPushButton(this);
            break;
        case ControlKind::CheckBox:
            widget = button = new QCheckBox(this);
            break;
        case ControlKind::GroupBox: {
            auto* box = new QGroupBox(this);
            // The frame runs through the middle of the title, so the rows the table places one
            // line below the box's top stand inside the frame.
            box->setStyleSheet(
                QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 2px;"
                               " margin-top: %1px; }"
                               "QGroupBox::title { subcontrol-origin: margin; left: %2px;"
                               " padding: 0 2px; }")
                    .arg(metrics_.lineHeight / 2)
                    .arg(metrics_.charWidth));
            widget = box;
            break;
        }
        case ControlKind::StaticText:
            widget = new QLabel(this);
            break;
        }
        if (def.kind != ControlKind::RadioButton && def.starts_group) radioGroup = nullptr;
        widget->setObjectName(QStringLiteral("control%1").arg(def.id));
        widget->setProperty(kControlIdProperty, def.id);
        widget->setGeometry(controlRect(def, metrics_, 0));
        if (button != nullptr) {
            // Clicks leave the keyboard focus where it was: the main window takes the keys.
            button->setFocusPolicy(Qt::TabFocus);
            const int id = def.id;
            connect(button, &QAbstractButton::clicked, this, [this, id] { Q_EMIT controlClicked(id); });
        }
        controls_.emplace(def.id, widget);
    }
}

void ClientArea::applyTexts() {
    for (const ControlDef& def : ctl_Controls()) {
        QWidget* widget = control(def.id);
        const QString label = shell_Text(kControlTextSection, def.label_key);
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(label);
        else if (auto* box = qobject_cast<QGroupBox*>(widget))
            box->setTitle(label);
        else if (auto* text = qobject_cast<QLabel*>(widget))
            text->setText(label);
    }
    // The centre window takes the width of the widest text it can show in the current format;
    // the buttons right of it make room.
    const auto* centerFrame = qobject_cast<const QFrame*>(centerInfo_);
    const int frame = centerFrame != nullptr ? 2 * centerFrame->frameWidth() : 0;
    centerInfoWidth_ =
        QFontMetrics(metrics_.font).horizontalAdvance(shell_DecodeText(info_WidestCenterText())) +
        2 * kInfoTextMargin + frame;
    const int shift = layout_RightOfCenterShift(metrics_.charWidth, centerInfoWidth_);
    for (const ControlDef& def : ctl_Controls())
        if (ctl_IsRightOfCenterInfo(def.id)) control(def.id)->setGeometry(controlRect(def, metrics_, shift));
    placeChildWindows();
}

QWidget* ClientArea::control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

void ClientArea::setControlCheck(int id, bool checked) {
    auto* button = qobject_cast<QAbstractButton*>(control(id));
    if (button == nullptr || !button->isCheckable()) return;
    if (checked || button->group() == nullptr || !button->group()->exclusive()) {
        button->setChecked(checked);
        return;
    }
    // An exclusive group refuses to uncheck its checked button directly.
    QButtonGroup* group = button->group();
    group->setExclusive(false);
    button->setChecked(false);
    group->setExclusive(true);
}

void ClientArea::setGridSizeText(const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(control(kControlGridSizeText))) label->setText(text);
}

void ClientArea::setChildWindows(QWidget* mapView, QWidget* itemInfo, QWidget* centerInfo) {
    mapView_ = mapView;
    itemInfo_ = itemInfo;
    centerInfo_ = centerInfo;
    for (QWidget* child : {mapView_, itemInfo_, centerInfo_}) {
        if (child != nullptr) child->setParent(this);
    }
    placeChildWindows();
}

QSize ClientArea::minimumSizeHint() const {
    int right = 0;
    int bottom = 0;
    const int shift = layout_RightOfCenterShift(metrics_.charWidth, centerInfoWidth_);
    for (const ControlDef& def : ctl_Controls()) {
        const QRect r = controlRect(def, metrics_, shift);
        right = std::max(right, r.x() + r.width());
        bottom = std::max(bottom, r.y() + r.height());
    }
    // Room for the item information window below the Show box and a map view right of it.
    const int lh = metrics_.lineHeight;
    return QSize(right + metrics_.charWidth, std::max(bottom, 24 * lh) + 8 * lh);
}

void ClientArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeChildWindows();
}

void ClientArea::placeChildWindows() {
    // The client rectangle's right and bottom edges, as the platform reports them (exclusive).
    const ChildWindowLayout layout =
        layout_ChildWindows(width(), height(), metrics_.charWidth, metrics_.lineHeight, centerInfoWidth_);
    const std::pair<QWidget*, ChildWindowRect> placements[] = {
        {mapView_, layout.map_view}, {itemInfo_, layout.item_info}, {centerInfo_, layout.center_info}};
    for (const auto& [child, rect] : placements) {
        if (child == nullptr) continue;
        const QRect r = childRect(rect);
        child->setGeometry(r.isValid() ? r : QRect(r.topLeft(), QSize(0, 0)));
    }
}
