#include <QApplication>
#include <QSettings>
#include <QStyle>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/ApplicationLook.h"
#include "ui/SingleInstanceGuard.h"
#include "ui/tests/UiTests.h"

namespace pw::ui::test {
namespace {

class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void aSecondInstanceIsRefused() {
        QTemporaryDir folder;
        auto first = std::make_unique<SingleInstanceGuard>(folder.path());
        QVERIFY(first->acquire());
        QVERIFY(first->lockPath().endsWith(QStringLiteral("ORVEXPAGEWRIGHT1.0_EXE_RUNNING1.lock")));
        SingleInstanceGuard second(folder.path());
        QVERIFY(!second.acquire());
        first.reset();
        SingleInstanceGuard third(folder.path());
        QVERIFY(third.acquire());
    }

    void lookDefaultsTo215AndIsWrittenBack() {
        QTemporaryDir folder;
        QSettings settings(folder.filePath(QStringLiteral("look.ini")), QSettings::IniFormat);
        QCOMPARE(storedApplicationLook(settings), 215);
        settings.setValue(QStringLiteral("ApplicationLook"), 999);
        QCOMPARE(setUpApplicationLook(settings), 215);
        QCOMPARE(settings.value(QStringLiteral("ApplicationLook")).toInt(), 215);
        QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
        settings.setValue(QStringLiteral("ApplicationLook"), 210);
        QCOMPARE(setUpApplicationLook(settings), 210);
        QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("windows"));
        applyApplicationLook(215);
    }
};

}  // namespace

std::unique_ptr<QObject> makeStartUpTest() { return std::make_unique<StartUpTest>(); }

}  // namespace pw::ui::test

#include "StartUpTest.moc"
