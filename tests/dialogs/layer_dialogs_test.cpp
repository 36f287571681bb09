// The visible layers dialog (hidden layer bits, the layer for new items, redrawing) and the layer
// names dialog (the numbered-list editing of the sixteen layer names).

#include "shell_test_support.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/layer_names_dialog.h"
#include "dialogs/list_editing.h"
#include "dialogs/visible_layers_dialog.h"
#include "mission/page_ops.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>
#include <QTimer>

#include <cstring>

namespace {

void setLayerName(MissionPage& page, int layer, const char* name) {
    std::memset(page.layers[layer].description, 0, sizeof page.layers[layer].description);
    std::strncpy(page.layers[layer].description, name, sizeof page.layers[layer].description - 1);
}

QString layerName(const MissionPage& page, int layer) {
    return QString::fromLatin1(page.layers[layer].description);
}

// The layers whose boxes are ticked.
QList<int> tickedLayers(const VisibleLayersDialog& dialog) {
    QList<int> layers;
    for (int layer = 0; layer < kMaxLayers; ++layer)
        if (dialog.check(kVisibleLayersFirstBox + layer)->isChecked()) layers << layer;
    return layers;
}

void sendFocusIn(QWidget* widget) {
    QFocusEvent event(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &event);
}

const QString kLongName = QString(100, QLatin1Char('n'));

} // namespace

class LayerDialogsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QVERIFY(fixture.start()); }
    void cleanupTestCase() { fixture.stop(); }

    void init() {
        page_Clear(page());
        setLayerName(page(), 0, "Roads");
        setLayerName(page(), 3, "Bunkers");
        page().general.current_layer = 5;
        page().general.hidden_layers = (1u << 1) | (1u << 3) | (1u << 20);
        renders = 0;
    }

    // ---- Visible layers ----

    void boxesShowTheLayersThatAreNotHidden() {
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        QCOMPARE(tickedLayers(dialog), (QList<int>{0, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
        QCOMPARE(dialog.combo(kVisibleLayersDefaultList)->currentIndex(), 5);
        QCOMPARE(renders, 0);
    }

    void openingMakesAHiddenCurrentLayerVisible() {
        page().general.hidden_layers = 0xFFFFFFFFu;
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        QCOMPARE(page().general.hidden_layers, ~(1u << 5));
        QCOMPARE(tickedLayers(dialog), QList<int>{5});
    }

    void namedLayersAreNumberedAndUnnamedOnesUseTheLayerNameText() {
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        QCOMPARE(dialog.check(kVisibleLayersFirstBox + 0)->text(), QStringLiteral(" 1 - Roads"));
        QCOMPARE(dialog.check(kVisibleLayersFirstBox + 3)->text(), QStringLiteral(" 4 - Bunkers"));
        QCOMPARE(dialog.check(kVisibleLayersFirstBox + 2)->text(), QStringLiteral("Layer 3"));
        QCOMPARE(dialog.check(kVisibleLayersFirstBox + 15)->text(), QStringLiteral("Layer 16"));
        QComboBox* list = dialog.combo(kVisibleLayersDefaultList);
        QCOMPARE(list->count(), kMaxLayers);
        QCOMPARE(list->itemText(0), QStringLiteral(" 1 - Roads"));
        QCOMPARE(list->itemText(2), QStringLiteral("Layer 3"));
    }

    void ampersandsInLayerNamesShowAsTyped() {
        setLayerName(page(), 0, "R&D");
        setLayerName(page(), 1, "&&Fuel & Ammo&");
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        // Each '&' doubled in the caption shows as one '&' and makes no mnemonic.
        QCheckBox* first = dialog.check(kVisibleLayersFirstBox + 0);
        QCOMPARE(first->text(), QStringLiteral(" 1 - R&&D"));
        QVERIFY(first->shortcut().isEmpty());
        QCheckBox* second = dialog.check(kVisibleLayersFirstBox + 1);
        QCOMPARE(second->text(), QStringLiteral(" 2 - &&&&Fuel && Ammo&&"));
        QVERIFY(second->shortcut().isEmpty());
        QCOMPARE(dialog.combo(kVisibleLayersDefaultList)->itemText(0), QStringLiteral(" 1 - R&D"));
    }

    void longLayerNamesAreCutInsteadOfWideningTheDialog() {
        VisibleLayersDialog ordinary(nullptr, page(), fixture.services, counter());
        const int templateWidth = 327 * ordinary.fontMetrics().averageCharWidth() / 4;
        const QString longName =
            QStringLiteral("Layer of the eastern ridge bunkers, trenches, & the minefield ") +
            QString(17, QLatin1Char('x'));
        QCOMPARE(longName.size(), 79);
        for (int layer = 0; layer < kMaxLayers; ++layer)
            setLayerName(page(), layer, longName.toLatin1().constData());
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        QVERIFY2(dialog.sizeHint().width() <= templateWidth,
                 qPrintable(QStringLiteral("%1 > %2").arg(dialog.sizeHint().width()).arg(templateWidth)));
        QCheckBox* box = dialog.check(kVisibleLayersFirstBox + 7);
        QVERIFY(box->text().endsWith(QChar(0x2026)));
        QVERIFY(box->text().startsWith(QStringLiteral(" 8 - Layer of the")));
        // The whole name stays within reach: in the tool tip and in the default-layer list.
        QVERIFY(box->toolTip().contains(QStringLiteral("the minefield xxxx")));
        QCOMPARE(dialog.combo(kVisibleLayersDefaultList)->itemText(7), QStringLiteral(" 8 - ") + longName);
        // Short names are not cut and have no tool tip.
        QVERIFY(ordinary.check(kVisibleLayersFirstBox)->toolTip().isEmpty());
    }

    void hideAllLeavesExactlyTheCurrentLayerVisible() {
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        dialog.button(kVisibleLayersHideAll)->click();
        QCOMPARE(page().general.hidden_layers, ~(1u << 5));
        QCOMPARE(tickedLayers(dialog), QList<int>{5});
        QCOMPARE(renders, 1);
    }

    void showAllClearsEveryBit() {
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        dialog.button(kVisibleLayersShowAll)->click();
        QCOMPARE(page().general.hidden_layers, 0u);
        QCOMPARE(tickedLayers(dialog).size(), kMaxLayers);
        QCOMPARE(renders, 1);
    }

    void choosingAnotherDefaultLayerShowsItAndKeepsThePreviousAsItWas() {
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        dialog.button(kVisibleLayersHideAll)->click();
        QComboBox* list = dialog.combo(kVisibleLayersDefaultList);
        sendFocusIn(list); // the first notification
        QCOMPARE(page().general.current_layer, 5);
        list->setCurrentIndex(9);
        QCOMPARE(page().general.current_layer, 9);
        QCOMPARE(page().general.hidden_layers, ~((1u << 5) | (1u << 9)));
        QCOMPARE(tickedLayers(dialog), (QList<int>{5, 9}));
    }

    void firstNotificationOfTheDefaultListOnlyClearsTheFlag() {
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        QVERIFY(dialog.firstNotificationPending());
        dialog.combo(kVisibleLayersDefaultList)->setCurrentIndex(1);
        QVERIFY(!dialog.firstNotificationPending());
        QCOMPARE(page().general.current_layer, 5);
        QCOMPARE(renders, 0);
        dialog.combo(kVisibleLayersDefaultList)->setCurrentIndex(1);
        dialog.combo(kVisibleLayersDefaultList)->setCurrentIndex(2);
        QCOMPARE(page().general.current_layer, 2);
        QCOMPARE(renders, 1);
    }

    void theFirstChoiceByKeyboardTakesEffect() {
        // Reaching the list gives it the focus first; that is the notification the flag swallows.
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QComboBox* list = dialog.combo(kVisibleLayersDefaultList);
        list->setFocus(Qt::TabFocusReason);
        QVERIFY(list->hasFocus());
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(page().general.current_layer, 6);
    }

    void clickingABoxHidesOrShowsItsLayer() {
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        QCheckBox* layer2 = dialog.check(kVisibleLayersFirstBox + 2);
        layer2->click();
        QVERIFY(!layer2->isChecked());
        QCOMPARE(page().general.hidden_layers, (1u << 1) | (1u << 2) | (1u << 3) | (1u << 20));
        dialog.check(kVisibleLayersFirstBox + 3)->click();
        QCOMPARE(page().general.hidden_layers, (1u << 1) | (1u << 2) | (1u << 20));
        QCOMPARE(renders, 2);
    }

    void theCurrentLayersBoxCannotBeCleared() {
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        QCheckBox* current = dialog.check(kVisibleLayersFirstBox + 5);
        current->click();
        QVERIFY(current->isChecked());
        QCOMPARE(page().general.hidden_layers & (1u << 5), 0u);
        QCOMPARE(renders, 1);
    }

    void aCurrentLayerOutsideTheRangeIsLeftAlone() {
        page().general.current_layer = 40;
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        QCOMPARE(dialog.combo(kVisibleLayersDefaultList)->currentIndex(), -1);
        dialog.button(kVisibleLayersHideAll)->click();
        QCOMPARE(page().general.hidden_layers, 0xFFFFFFFFu);
        QCOMPARE(page().general.current_layer, 40);
        QVERIFY(tickedLayers(dialog).isEmpty());
    }

    void okAndClosingTheWindowBothCloseWithOne() {
        VisibleLayersDialog dialog(nullptr, page(), fixture.services, counter());
        dialog.show();
        dialog.close();
        QCOMPARE(dialog.result(), 1);
        dialog.setResult(0);
        dialog.show();
        dialog.button(kControlOk)->click();
        QCOMPARE(dialog.result(), 1);
        QVERIFY(!dialog.isVisible());
    }

    void runnerKeepsTheChangesAndAnswersAccepted() {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<DialogFrame*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->button(kVisibleLayersShowAll)->click();
            dialog->close();
        });
        QCOMPARE(dialogs_RunVisibleLayers(fixture.window.get(), page(), fixture.services),
                 DialogResult::Accepted);
        QCOMPARE(page().general.hidden_layers, 0u);
    }

    // ---- Layer names ----

    void layerNamesListsSixteenNumberedLinesEmptyNamesWithNothingAfterTheDash() {
        LayerNamesDialog dialog(nullptr, page(), fixture.services);
        QListWidget* list = dialog.list(kLayerNamesList);
        QCOMPARE(list->count(), kMaxLayers);
        QCOMPARE(list->item(0)->text(), QStringLiteral(" 1 - Roads"));
        QCOMPARE(list->item(1)->text(), QStringLiteral(" 2 - "));
        QCOMPARE(list->item(3)->text(), QStringLiteral(" 4 - Bunkers"));
        QCOMPARE(list->item(15)->text(), QStringLiteral("16 - "));
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(dialog.edit(kLayerNamesEdit)->text(), QStringLiteral("Roads"));
        QVERIFY(dialog.listEditor().firstNotificationPending());
    }

    void firstListNotificationOnlyClearsTheFlag() {
        // A name longer than the edit takes: storing layer 1 would cut it.
        setLayerName(page(), 0, kLongName.toLatin1().constData());
        LayerNamesDialog dialog(nullptr, page(), fixture.services);
        dialog.list(kLayerNamesList)->setCurrentRow(3);
        QVERIFY(!dialog.listEditor().firstNotificationPending());
        QCOMPARE(layerName(page(), 0), kLongName);
        QCOMPARE(dialog.listEditor().shownRow(), 3);
        QCOMPARE(dialog.edit(kLayerNamesEdit)->text(), QStringLiteral("Bunkers"));
    }

    void focusOfTheListIsANotification() {
        LayerNamesDialog dialog(nullptr, page(), fixture.services);
        sendFocusIn(dialog.list(kLayerNamesList));
        QVERIFY(!dialog.listEditor().firstNotificationPending());
    }

    void theListHasTheFocusWhenTheDialogAppearsSoTypingAtOnceIsStored() {
        LayerNamesDialog dialog(nullptr, page(), fixture.services);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QVERIFY(!dialog.listEditor().firstNotificationPending());
        QLineEdit* name = dialog.edit(kLayerNamesEdit);
        name->setFocus(Qt::TabFocusReason);
        QTest::keyClick(name, Qt::Key_End); // tabbing in selected the whole name
        QTest::keyClicks(name, QStringLiteral(" East"));
        QCOMPARE(layerName(page(), 0), QStringLiteral("Roads East"));
        QCOMPARE(dialog.list(kLayerNamesList)->item(0)->text(), QStringLiteral(" 1 - Roads East"));
    }

    void nameChangesAreIgnoredWhileTheFlagIsSet() {
        LayerNamesDialog dialog(nullptr, page(), fixture.services);
        dialog.edit(kLayerNamesEdit)->setText(QStringLiteral("Early"));
        QCOMPARE(layerName(page(), 0), QStringLiteral("Roads"));
        QCOMPARE(dialog.list(kLayerNamesList)->item(0)->text(), QStringLiteral(" 1 - Roads"));
    }

    void switchingRowsStoresTheShownName() {
        LayerNamesDialog dialog(nullptr, page(), fixture.services);
        QListWidget* list = dialog.list(kLayerNamesList);
        sendFocusIn(list);
        list->setCurrentRow(6);
        {
            // Without the live update, only the switch can store the name.
            const QSignalBlocker blocker(dialog.edit(kLayerNamesEdit));
            dialog.edit(kLayerNamesEdit)->setText(QStringLiteral("Trenches"));
        }
        QCOMPARE(layerName(page(), 6), QString());
        list->setCurrentRow(0);
        QCOMPARE(layerName(page(), 6), QStringLiteral("Trenches"));
        QCOMPARE(dialog.edit(kLayerNamesEdit)->text(), QStringLiteral("Roads"));
        QCOMPARE(layerName(page(), 0), QStringLiteral("Roads"));
    }

    void typingStoresAtOnceAndUpdatesTheLine() {
        LayerNamesDialog dialog(nullptr, page(), fixture.services);
        QListWidget* list = dialog.list(kLayerNamesList);
        sendFocusIn(list);
        list->setCurrentRow(1);
        QTest::keyClicks(dialog.edit(kLayerNamesEdit), QStringLiteral("Mines"));
        QCOMPARE(layerName(page(), 1), QStringLiteral("Mines"));
        QCOMPARE(list->item(1)->text(), QStringLiteral(" 2 - Mines"));
        QCOMPARE(list->currentRow(), 1);
        QCOMPARE(dialog.listEditor().shownRow(), 1);
        dialog.edit(kLayerNamesEdit)->clear();
        QCOMPARE(layerName(page(), 1), QString());
        QCOMPARE(list->item(1)->text(), QStringLiteral(" 2 - "));
    }

    void namesAreCutAtSeventyNineCharacters() {
        LayerNamesDialog dialog(nullptr, page(), fixture.services);
        sendFocusIn(dialog.list(kLayerNamesList));
        dialog.edit(kLayerNamesEdit)->setText(kLongName);
        QCOMPARE(layerName(page(), 0), kLongName.left(kLayerDialogMaxChars));
        QCOMPARE(dialog.list(kLayerNamesList)->item(0)->text(),
                 " 1 - " + kLongName.left(kLayerDialogMaxChars));
    }

    void okStoresTheShownNameAndClosesWithOne() {
        LayerNamesDialog dialog(nullptr, page(), fixture.services);
        dialog.show();
        {
            const QSignalBlocker blocker(dialog.edit(kLayerNamesEdit));
            dialog.edit(kLayerNamesEdit)->setText(QStringLiteral("Airfield"));
        }
        dialog.button(kControlOk)->click();
        QCOMPARE(layerName(page(), 0), QStringLiteral("Airfield"));
        QCOMPARE(dialog.result(), 1);
        QVERIFY(!dialog.isVisible());
    }

    void onlyOkClosesTheLayerNames() {
        LayerNamesDialog dialog(nullptr, page(), fixture.services);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        dialog.close();
        QVERIFY(dialog.isVisible());
    }

    void runnerOfTheLayerNamesAnswersAcceptedOnOk() {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<DialogFrame*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            const QSignalBlocker blocker(dialog->edit(kLayerNamesEdit));
            dialog->edit(kLayerNamesEdit)->setText(QStringLiteral("Depot"));
            dialog->button(kControlOk)->click();
        });
        QCOMPARE(dialogs_RunLayerNames(fixture.window.get(), page(), fixture.services),
                 DialogResult::Accepted);
        QCOMPARE(layerName(page(), 0), QStringLiteral("Depot"));
    }

  private:
    MissionPage& page() { return fixture.window->editor().currentPage(); }
    std::function<void()> counter() {
        return [this] { ++renders; };
    }

    EditorWindowFixture fixture;
    int renders = 0;
};

QZ_SHELL_TEST(LayerDialogsTest);
#include "layer_dialogs_test.moc"
