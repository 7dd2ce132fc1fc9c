// The GUI tests run offscreen with their own home and settings folders.

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <vector>

#include "ui/tests/UiTests.h"

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("OrvexTest"));
    QCoreApplication::setApplicationName(QStringLiteral("PagewrightTest"));

    int status = 0;
    for (auto& suite : pw::ui::test::makeSuites()) status |= QTest::qExec(suite.get(), argc, argv);
    return status;
}
