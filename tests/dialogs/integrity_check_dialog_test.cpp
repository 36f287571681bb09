// The integrity check window: which slots it lists, the count it reports, what "Select All"
// selects, and how it closes.

#include "shell_test_support.h"

#include "dialogs/dialog_catalogue.h"
#include "dialogs/integrity_check_dialog.h"
#include "gamedata/item_defs.h"
#include "mission/item_lookup.h"
#include "mission/page_ops.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// An id that no loaded item definition has.
int32_t unknownTypeId() {
    int32_t id = 900000;
    while (item_FindDefIndex(id) >= 0)
        ++id;
    return id;
}

QStringList listTexts(QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

std::vector<int32_t> selectedSlots(const MissionPage& page) {
    return std::vector<int32_t>(page.selection.slots, page.selection.slots + page.selection.count);
}

} // namespace

class IntegrityCheckDialogTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(fixture.start());
        QVERIFY(itemdef_Count() >= 2);
        firstKnownId = itemdef_Get(0)->id;
        secondKnownId = itemdef_Get(1)->id;
    }
    void cleanupTestCase() { fixture.stop(); }

    // Twelve items; slots 2, 10 and 11 carry a type no definition has.
    void init() {
        page_Clear(page());
        for (int slot = 0; slot < 12; ++slot) {
            const bool unknown = slot == 2 || slot == 10 || slot == 11;
            const int32_t type = unknown ? unknownTypeId() : (slot % 2 == 0 ? firstKnownId : secondKnownId);
            QCOMPARE(page_AddItem(page(), type, slot * 256, 0, 0), slot);
            page().items[slot].type_id = type;
        }
    }

    // Slots 0, 4, 6 and 8 use the definition with index 0: they are known items.
    void listsTheUnknownSlotsSortedAsText() {
        IntegrityCheckDialog dialog(nullptr, page(), fixture.services);
        QCOMPARE(listTexts(dialog.list(kIntegrityList)), (QStringList{"10", "11", "2"}));
    }

    void summaryShowsTheCountInTheTableText() {
        IntegrityCheckDialog dialog(nullptr, page(), fixture.services);
        QCOMPARE(dialog.label(kIntegritySummary)->text(),
                 QStringLiteral("Items without an item definition: 3"));
    }

    void selectAllSelectsExactlyTheUnknownItemsAndClosesWithOne() {
        sel_Add(page(), 5);
        sel_Add(page(), 11);
        IntegrityCheckDialog dialog(nullptr, page(), fixture.services);
        dialog.show();
        dialog.button(kIntegritySelectAll)->click();
        QCOMPARE(selectedSlots(page()), (std::vector<int32_t>{2, 10, 11}));
        QCOMPARE(dialog.result(), 1);
        QVERIFY(!dialog.isVisible());
    }

    void pageWithOnlyKnownItemsShowsZeroAndSelectAllLeavesNothingSelected() {
        for (int slot = 0; slot < page().num_items; ++slot)
            page().items[slot].type_id = secondKnownId;
        sel_Add(page(), 3);
        IntegrityCheckDialog dialog(nullptr, page(), fixture.services);
        QCOMPARE(dialog.list(kIntegrityList)->count(), 0);
        QCOMPARE(dialog.label(kIntegritySummary)->text(),
                 QStringLiteral("Items without an item definition: 0"));
        dialog.button(kIntegritySelectAll)->click();
        QCOMPARE(page().selection.count, 0);
        QCOMPARE(dialog.result(), 1);
    }

    void printIsThereButDisabled() {
        IntegrityCheckDialog dialog(nullptr, page(), fixture.services);
        QVERIFY(dialog.button(kIntegrityPrint) != nullptr);
        QVERIFY(!dialog.button(kIntegrityPrint)->isEnabled());
    }

    void enterClosesWithOneWithoutSelecting() {
        IntegrityCheckDialog dialog(nullptr, page(), fixture.services);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.list(kIntegrityList)->setFocus();
        QTest::keyClick(dialog.list(kIntegrityList), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(page().selection.count, 0);
    }

    void closingTheWindowClosesWithZero() {
        IntegrityCheckDialog dialog(nullptr, page(), fixture.services);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), 0);
        dialog.show();
        dialog.close();
        QCOMPARE(dialog.result(), 0);
    }

    void runnerAnswersAcceptedAfterSelectAllAndCancelledAfterClosing() {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<DialogFrame*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->button(kIntegritySelectAll)->click();
        });
        QCOMPARE(dialogs_RunIntegrityCheck(fixture.window.get(), page(), fixture.services),
                 DialogResult::Accepted);
        QCOMPARE(selectedSlots(page()), (std::vector<int32_t>{2, 10, 11}));

        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            dialog->close();
        });
        QCOMPARE(dialogs_RunIntegrityCheck(fixture.window.get(), page(), fixture.services),
                 DialogResult::Cancelled);
    }

  private:
    MissionPage& page() { return fixture.window->editor().currentPage(); }

    EditorWindowFixture fixture;
    int32_t firstKnownId = 0;
    int32_t secondKnownId = 0;
};

QZ_SHELL_TEST(IntegrityCheckDialogTest);
#include "integrity_check_dialog_test.moc"
