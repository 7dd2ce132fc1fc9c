// The Save command: refused while busy, the "Select Saving Mode" dialog's
// validation, an export of the demo database to every target, checked
// tables only, and no overwrite without confirmation.

#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "tools/fixtures/DemoDatabase.h"
#include "ui/CMainFrame.h"
#include "ui/COrvexSaveDlg.h"
#include "ui/CXHtmlTree.h"
#include "ui/SaveCommand.h"
#include "ui/tests/TestPrompter.h"
#include "ui/tests/UiTests.h"

namespace pw::ui::test {
namespace {

const QString kCompleted = QStringLiteral("Saving process completed.");

size_t lineCount(const std::filesystem::path& path) {
    std::ifstream in(path);
    size_t lines = 0;
    std::string line;
    while (std::getline(in, line)) ++lines;
    return lines;
}

class SaveCommandTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        prompter.clear();
        prompter.answer = true;
        folder = std::make_unique<QTemporaryDir>();
        demo = folder->filePath(QStringLiteral("demo.mdf"));
        QVERIFY(fixtures::writeDemoDatabase(demo.toStdString()));
        context = std::make_unique<RunContext>();
        frame = std::make_unique<CMainFrame>(*context, prompter);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    void cleanup() {
        frame->waitForBackgroundThread();
        frame.reset();
        context.reset();
    }

    void saveWithoutADatabaseAsksForOne() {
        SaveCommand save(*frame);
        save.chooseOptions = [](ExportOptions&) { return true; };
        save();
        QCOMPARE(prompter.messages().value(0), QStringLiteral("Please open a database file to save its recovered data."));
    }

    void saveWhileBusyIsRefused() {
        context->isRunning = true;
        frame->OnSave();
        QCOMPARE(prompter.messages().value(0), QStringLiteral("Please wait for the running process."));
        context->isRunning = false;
    }

    void theDialogRequiresATarget() {
        COrvexSaveDlg dialog(prompter);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(prompter.messages().value(0), QStringLiteral("Please select valid folder path to save the recovered data."));
        dialog.scriptFolder()->setText(folder->path());
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.options().target, ExportTarget::SqlScript);
        QVERIFY(dialog.options().keepMaxLength);
    }

    void everyTargetSavesTheDemoDatabase() {
        openDemo();
        const std::filesystem::path out = folder->filePath(QStringLiteral("out")).toStdString();
        std::filesystem::create_directories(out);
        for (ExportTarget target : {ExportTarget::SqlScript, ExportTarget::Csv, ExportTarget::Sqlite}) {
            prompter.clear();
            SaveCommand save(*frame);
            save.chooseOptions = [&](ExportOptions& options) {
                options.target = target;
                options.outputPath = target == ExportTarget::Sqlite ? (out / "demo.sqlite").string() : out.string();
                return true;
            };
            save();
            frame->waitForBackgroundThread();
            QCOMPARE(prompter.messages().value(0), kCompleted);
            QVERIFY(!context->isRunning);
        }
        QVERIFY(std::filesystem::exists(out / "PagewrightDemo.sql"));
        QVERIFY(std::filesystem::exists(out / "demo.sqlite"));
        QCOMPARE(lineCount(out / "Customers.csv"), size_t(1501));
        QCOMPARE(lineCount(out / "Orders.csv"), size_t(3001));
    }

    void onlyCheckedTablesAreSavedAndFilesAreNotReplacedWithoutYes() {
        openDemo();
        CXHtmlTree* tree = frame->tree();
        TreeItem products = kNoTreeItem;
        for (int top = 0; top < tree->topLevelItemCount() && products == kNoTreeItem; ++top)
            products = find(tree, tree->handleOf(tree->topLevelItem(top)), QStringLiteral("Products"));
        QVERIFY(products != kNoTreeItem);
        tree->toggleCheck(products);
        QCOMPARE(SaveCommand::checkedUserTables(*tree), std::vector<std::string>{"Products"});

        const std::filesystem::path out = folder->filePath(QStringLiteral("csv")).toStdString();
        std::filesystem::create_directories(out);
        auto csv = [&](ExportOptions& options) {
            options.target = ExportTarget::Csv;
            options.outputPath = out.string();
            return true;
        };
        SaveCommand save(*frame);
        save.chooseOptions = csv;
        save();
        frame->waitForBackgroundThread();
        QVERIFY(std::filesystem::exists(out / "Products.csv"));
        QVERIFY(!std::filesystem::exists(out / "Customers.csv"));

        prompter.clear();
        prompter.answer = false;
        std::filesystem::resize_file(out / "Products.csv", 3);
        save();
        frame->waitForBackgroundThread();
        QCOMPARE(prompter.questions().size(), 1);
        QCOMPARE(std::filesystem::file_size(out / "Products.csv"), uintmax_t(3));
    }

private:
    static TreeItem find(CXHtmlTree* tree, TreeItem item, const QString& text) {
        if (tree->itemText(item) == text) return item;
        for (TreeItem c = tree->firstChild(item); c != kNoTreeItem; c = tree->nextSibling(c))
            if (TreeItem found = find(tree, c, text); found != kNoTreeItem) return found;
        return kNoTreeItem;
    }
    void openDemo() {
        const QString logFolder = folder->path() + QLatin1Char('/');
        frame->setOptionsProvider([this, logFolder](RecoveryOptions& options) {
            options.mdfPath = demo.toStdString();
            options.logFolder = logFolder.toStdString();
            options.recoveryMode = 1;
            return true;
        });
        frame->OnOpen();
        frame->waitForBackgroundThread();
        prompter.clear();
    }

    TestPrompter prompter;
    std::unique_ptr<QTemporaryDir> folder;
    QString demo;
    std::unique_ptr<RunContext> context;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace

std::unique_ptr<QObject> makeSaveCommandTest() { return std::make_unique<SaveCommandTest>(); }

}  // namespace pw::ui::test

#include "SaveCommandTest.moc"
