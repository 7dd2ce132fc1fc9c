#include <QSignalSpy>
#include <QtTest>
#include <thread>

#include "ui/CMainFrame.h"
#include "ui/CXHtmlTree.h"
#include "ui/GuiSinks.h"
#include "ui/tests/TestPrompter.h"
#include "ui/tests/UiTests.h"

namespace pw::ui::test {
namespace {

using Area = CXHtmlTree::HitArea;

// A point of `item`'s row that falls in `area`, found by walking the row.
QPoint pointIn(const CXHtmlTree& tree, TreeItem item, Area area) {
    QRect row = tree.visualItemRect(tree.widgetItem(item));
    for (int x = 0; x < tree.viewport()->width(); ++x) {
        QPoint point(x, row.center().y());
        TreeItem hit = kNoTreeItem;
        if (tree.hitTest(point, &hit) == area && hit == item) return point;
    }
    return QPoint(-1, -1);
}

class TreeTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        tree = std::make_unique<CXHtmlTree>();
        tree->resize(400, 300);
        root = tree->insertItem(kNoTreeItem, "Northwind", false);
        tables = tree->insertItem(root, "Tables", true);
        users = tree->insertItem(tables, "User Tables", true);
        orders = tree->insertItem(users, "Orders", true);
        customers = tree->insertItem(users, "Customers", true);
        tree->expandAll();
        tree->show();
        QVERIFY(QTest::qWaitForWindowExposed(tree.get()));
    }
    void cleanup() { tree.reset(); }

    void firstChildInsertionReversesOrder() {
        QCOMPARE(tree->itemText(tree->firstChild(users)), QStringLiteral("Customers"));
        QCOMPARE(tree->itemText(tree->nextSibling(customers)), QStringLiteral("Orders"));
        QCOMPARE(tree->nextSibling(orders), kNoTreeItem);
        QCOMPARE(tree->parentOf(orders), users);
        QCOMPARE(tree->insertItem(123456, "nowhere", true), kNoTreeItem);
    }

    void sortChildrenSortsOneLevelByText() {
        TreeItem zeta = tree->insertItem(users, "zeta", true);
        tree->insertItem(zeta, "b", true);
        tree->insertItem(zeta, "a", true);
        tree->sortChildren(users);
        QCOMPARE(tree->itemText(tree->firstChild(users)), QStringLiteral("Customers"));
        QCOMPARE(tree->itemText(tree->nextSibling(tree->firstChild(users))), QStringLiteral("Orders"));
        QCOMPARE(tree->itemText(tree->nextSibling(orders)), QStringLiteral("zeta"));
        // One level only: zeta's children keep their order.
        QCOMPARE(tree->itemText(tree->firstChild(zeta)), QStringLiteral("a"));
        tree->sortChildren(zeta);
        QCOMPARE(tree->itemText(tree->firstChild(zeta)), QStringLiteral("a"));
    }

    void itemDataAndBold() {
        QCOMPARE(tree->itemData(orders), int64_t(0));
        tree->setItemData(orders, 1234567890123LL);
        QCOMPARE(tree->itemData(orders), int64_t(1234567890123LL));
        tree->setBold(orders, true);
        QVERIFY(tree->isBold(orders));
        QVERIFY(!tree->isBold(customers));
    }

    void labelClickReportsTheItem() {
        QSignalSpy selected(tree.get(), &CXHtmlTree::objectSelected);
        QPoint label = pointIn(*tree, orders, Area::Label);
        QVERIFY(label.x() >= 0);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, label);
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.at(0).at(0).value<TreeItem>(), orders);
        QCOMPARE(tree->selectedTreeItem(), orders);
    }

    void checkBoxAndExpandButtonClicksReportNothing() {
        QSignalSpy selected(tree.get(), &CXHtmlTree::objectSelected);
        QSignalSpy checked(tree.get(), &CXHtmlTree::checkboxClicked);
        QPoint box = pointIn(*tree, orders, Area::CheckBox);
        QVERIFY(box.x() >= 0);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, box);
        QCOMPARE(checked.count(), 1);
        QCOMPARE(tree->checkState(orders), CheckState::Checked);
        QCOMPARE(tree->widgetItem(orders)->checkState(0), Qt::Checked);
        QCOMPARE(tree->widgetItem(users)->checkState(0), Qt::PartiallyChecked);

        QPoint button = pointIn(*tree, users, Area::ExpandButton);
        QVERIFY(button.x() >= 0);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, button);
        QVERIFY(!tree->widgetItem(users)->isExpanded());
        QCOMPARE(selected.count(), 0);
    }

    void keyboardNavigationReportsNothingAndSpaceToggles() {
        QSignalSpy selected(tree.get(), &CXHtmlTree::objectSelected);
        tree->setFocus();
        tree->selectTreeItem(users);
        QTest::keyClick(tree.get(), Qt::Key_Down);
        QCOMPARE(tree->selectedTreeItem(), customers);
        QTest::keyClick(tree.get(), Qt::Key_Space);
        QCOMPARE(tree->checkState(customers), CheckState::Checked);
        QCOMPARE(selected.count(), 0);
    }

    void checkingAFolderChecksEverythingBelowAndUncheckingOneMakesAncestorsTriState() {
        QVERIFY(tree->toggleCheck(tables));
        for (TreeItem item : {tables, users, orders, customers})
            QCOMPARE(tree->widgetItem(item)->checkState(0), Qt::Checked);
        QCOMPARE(tree->widgetItem(root)->checkState(0), Qt::Checked);
        QVERIFY(tree->toggleCheck(orders));
        QCOMPARE(tree->widgetItem(orders)->checkState(0), Qt::Unchecked);
        for (TreeItem item : {users, tables, root})
            QCOMPARE(tree->widgetItem(item)->checkState(0), Qt::PartiallyChecked);
    }

    void disabledItemsTakeNoToggleAndStayOutOfTheSummary() {
        tree->setItemEnabled(orders, false);
        QVERIFY(!tree->toggleCheck(orders));
        QVERIFY(tree->toggleCheck(customers));
        QCOMPARE(tree->widgetItem(users)->checkState(0), Qt::Checked);
    }

    void deleteAllForgetsEveryHandle() {
        tree->deleteAll();
        QCOMPARE(tree->topLevelItemCount(), 0);
        QCOMPARE(tree->itemText(orders), QString());
        QCOMPARE(tree->firstChild(root), kNoTreeItem);
        tree->setBold(orders, true);  // a stale handle does nothing
    }

    void treeSinkWorksFromABackgroundThread() {
        TestPrompter prompter;
        RunContext context;
        CMainFrame frame(context, prompter);
        TreeSink& sink = frame.treeSink();
        TreeItem folder = kNoTreeItem, last = kNoTreeItem;
        std::string text;
        std::atomic<bool> done{false};
        std::thread worker([&] {
            folder = sink.insertItem(kNoTreeItem, "Views", false);
            sink.insertItem(folder, "B", true);
            last = sink.insertItem(folder, "A", true);
            sink.setItemData(last, 7);
            text = sink.itemText(sink.firstChild(folder));
            done = true;
        });
        QTRY_VERIFY(done.load());
        worker.join();
        QCOMPARE(text, std::string("A"));
        QCOMPARE(frame.tree()->itemData(last), int64_t(7));
        QCOMPARE(frame.tree()->topLevelItemCount(), 1);
    }

private:
    std::unique_ptr<CXHtmlTree> tree;
    TreeItem root = kNoTreeItem, tables = kNoTreeItem, users = kNoTreeItem;
    TreeItem orders = kNoTreeItem, customers = kNoTreeItem;
};

}  // namespace

std::unique_ptr<QObject> makeTreeTest() { return std::make_unique<TreeTest>(); }

}  // namespace pw::ui::test

#include "TreeTest.moc"
