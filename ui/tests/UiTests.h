#pragma once
// The GUI test suites, one QObject per window or concern.

#include <QObject>
#include <memory>
#include <vector>

namespace pw::ui::test {

std::unique_ptr<QObject> makeTreeTest();
std::unique_ptr<QObject> makeFileSettingDialogTest();
std::unique_ptr<QObject> makeAboutBoxTest();
std::unique_ptr<QObject> makeMainFrameTest();
std::unique_ptr<QObject> makeRecoveryWorkerTest();
std::unique_ptr<QObject> makeStartUpTest();
std::unique_ptr<QObject> makeEndToEndTest();
std::unique_ptr<QObject> makeSaveCommandTest();

inline std::vector<std::unique_ptr<QObject>> makeSuites() {
    std::vector<std::unique_ptr<QObject>> suites;
    suites.push_back(makeTreeTest());
    suites.push_back(makeFileSettingDialogTest());
    suites.push_back(makeAboutBoxTest());
    suites.push_back(makeStartUpTest());
    suites.push_back(makeRecoveryWorkerTest());
    suites.push_back(makeMainFrameTest());
    suites.push_back(makeEndToEndTest());
    suites.push_back(makeSaveCommandTest());
    return suites;
}

}  // namespace pw::ui::test
