#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "ui/COrvexAboutDlg.h"
#include "ui/tests/UiTests.h"

namespace pw::ui::test {
namespace {

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void enterAndEscapeLeaveTheBoxOpen() {
        COrvexAboutDlg box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.windowTitle(), QStringLiteral("Orvex Pagewright"));
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(&box, key);
            QVERIFY(box.isVisible());
            // Also with the focus on OK itself.
            box.okButton()->setFocus();
            QTest::keyClick(box.okButton(), key);
            QVERIFY(box.isVisible());
        }
        QCOMPARE(box.result(), 0);
    }

    void okClosesTheBox() {
        COrvexAboutDlg box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseClick(box.okButton(), Qt::LeftButton);
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
    }

    void linksCarryTheirToolTips() {
        COrvexAboutDlg box;
        QStringList tips;
        for (QPushButton* button : box.findChildren<QPushButton*>())
            if (!button->toolTip().isEmpty()) tips << button->toolTip();
        QCOMPARE(tips, (QStringList{QStringLiteral("Company website"), QStringLiteral("Support email address"),
                                    QStringLiteral("Sales email address")}));
    }
};

}  // namespace

std::unique_ptr<QObject> makeAboutBoxTest() { return std::make_unique<AboutBoxTest>(); }

}  // namespace pw::ui::test

#include "AboutBoxTest.moc"
