#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "presentation/ContentSink.h"
#include "presentation/DisplayController.h"
#include "ui/CFileView.h"
#include "ui/CMainFrame.h"
#include "ui/CMyCaptionBar.h"
#include "ui/COrvexListCtrl.h"
#include "ui/COrvexStatic.h"
#include "ui/COutputWnd.h"
#include "ui/CRibbonBar.h"
#include "ui/CRibbonStatusBarCls.h"
#include "ui/CXHtmlTree.h"
#include "ui/tests/TestPrompter.h"
#include "ui/tests/UiTests.h"

namespace pw::ui::test {
namespace {

const QString kWait = QStringLiteral("Please wait for the running process.");

// A display that fills the panel through the sinks, as the record list does.
class FakeDisplay : public DisplayController {
public:
    FakeDisplay(RunContext& context, TreeSink& tree, ContentSink& content)
        : context_(context), tree_(tree), content_(content) {}
    void resetPaging() override { ++resets; }
    void displaySelectedObject(TreeItem item) override {
        shownText = tree_.itemText(item);
        content_.showRecordList(true);
        content_.insertColumn(0, "id", 200);
        content_.insertColumn(1, "name", 200);
        content_.appendRow({"1", "alpha"});
        content_.appendRow({"2", "beta"});
        content_.replaceLastLogLine(" row 2 inserted");
        content_.setPageLabel("Page1 - [2](1-2) Records");
        content_.setPreviousEnabled(false);
        content_.setNextEnabled(false);
        content_.showProgress(false);
        context_.isRunning = false;
        content_.appendLogLine("Scanning process completed.");
    }
    void showPreviousRecords() override { finish(); }
    void showNextRecords() override {
        ++nextPages;
        finish();
    }

    int resets = 0;
    int nextPages = 0;
    std::string shownText;

private:
    void finish() {
        content_.showProgress(false);
        context_.isRunning = false;
    }
    RunContext& context_;
    TreeSink& tree_;
    ContentSink& content_;
};

QString corpusFile(const char* name) {
    return QStringLiteral(PW_SOURCE_DIR "/../shared/corpus/files/") + QString::fromLatin1(name);
}

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        prompter.clear();
        prompter.answer = false;
        context = std::make_unique<RunContext>();
        frame = std::make_unique<CMainFrame>(*context, prompter);
        frame->resize(1024, 700);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    void cleanup() {
        frame.reset();
        context.reset();
    }

    void windowBuilds() {
        QCOMPARE(frame->windowTitle(), QStringLiteral("Orvex Pagewright"));
        QCOMPARE(frame->treePane()->windowTitle(), QStringLiteral("MS SQL Database Objects"));
        QCOMPARE(frame->logPane()->windowTitle(), QStringLiteral("Output"));
        for (QDockWidget* pane : {static_cast<QDockWidget*>(frame->treePane()),
                                  static_cast<QDockWidget*>(frame->logPane())}) {
            QVERIFY(!(pane->features() & QDockWidget::DockWidgetClosable));
            QVERIFY(!(pane->features() & QDockWidget::DockWidgetFloatable));
        }
        QCOMPARE(frame->dockWidgetArea(frame->treePane()), Qt::LeftDockWidgetArea);
        QCOMPARE(frame->dockWidgetArea(frame->logPane()), Qt::BottomDockWidgetArea);
        QCOMPARE(frame->captionBar()->text(),
                 QStringLiteral("Select MDF database file to continue the recovery process."));
        QVERIFY(!frame->statusBarCls()->progressBar()->isVisible());
        QVERIFY(frame->contentPanel()->definitionWindow()->isVisible());
        QVERIFY(frame->contentPanel()->definitionWindow()->isReadOnly());
        QVERIFY(!frame->contentPanel()->recordList()->isVisible());
        QVERIFY(!frame->contentPanel()->pageLabel()->isVisible());
        QCOMPARE(frame->contentPanel()->previousButton()->toolTip(), QStringLiteral("Previous Records"));
        QCOMPARE(frame->contentPanel()->nextButton()->toolTip(), QStringLiteral("Next Records"));
        QCOMPARE(frame->contentPanel()->columnCount(), 1);

        const struct {
            Command command;
            const char* text;
            const char* tip;
        } commands[] = {
            {Command::Open, "Open", "Open Database file"},
            {Command::Stop, "Stop", "Stop running process"},
            {Command::Save, "Save", "Save recovered data"},
            {Command::Help, "Help", "Help for Orvex Pagewright"},
            {Command::About, "About", "About Orvex Pagewright"},
        };
        for (const auto& c : commands) {
            QAction* action = frame->commandAction(c.command);
            QVERIFY(action);
            QCOMPARE(action->text(), QString::fromLatin1(c.text));
            QCOMPARE(action->toolTip(), QString::fromLatin1(c.tip));
            QCOMPARE(action->isEnabled(), c.command != Command::Stop);
        }
    }

    void stopIsEnabledExactlyWhileRunning() {
        QVERIFY(!frame->commandAction(Command::Stop)->isEnabled());
        context->isRunning = true;
        QTRY_VERIFY(frame->commandAction(Command::Stop)->isEnabled());
        context->isRunning = false;
        QTRY_VERIFY(!frame->commandAction(Command::Stop)->isEnabled());
    }

    void openWhileBusyIsRefused() {
        int dialogs = 0;
        frame->setOptionsProvider([&](RecoveryOptions&) { return ++dialogs, false; });
        context->isRunning = true;
        frame->OnOpen();
        QCOMPARE(prompter.messages(), QStringList{kWait});
        QCOMPARE(prompter.lastIcon(), PromptIcon::Information);
        QCOMPARE(dialogs, 0);
        context->isRunning = false;
        frame->OnOpen();  // cancelled options dialog: nothing starts
        QCOMPARE(dialogs, 1);
        QVERIFY(!context->isRunning);
        QVERIFY(frame->logList()->lines().isEmpty());
    }

    void stopAsksAndRaisesTheStopFlag() {
        context->isRunning = true;
        prompter.answer = false;
        frame->OnStop();
        QCOMPARE(prompter.questions(), QStringList{QStringLiteral("Are you sure to stop the running process?")});
        QVERIFY(context->isRunning);
        QVERIFY(!context->stopRequested);
        prompter.answer = true;
        frame->OnStop();
        QVERIFY(!context->isRunning);
        QVERIFY(context->stopRequested);
        context->stopRequested = false;
    }

    void helpAboutAndSaveWhileRunning() {
        int helps = 0;
        frame->setHelpOpener([&] { ++helps; });
        context->isRunning = true;
        frame->OnHelp();
        frame->OnAbout();
        frame->OnSave();
        const QString stopFirst = QStringLiteral("Please stop the running process to continue the process.");
        QCOMPARE(prompter.messages(), (QStringList{stopFirst, stopFirst, kWait}));
        QCOMPARE(helps, 0);
        context->isRunning = false;
        frame->OnHelp();
        QCOMPARE(helps, 1);
    }

    void closeIsRefusedWhileRunningAndConfirmedOtherwise() {
        int ended = 0, code = 0;
        frame->setTerminator([&](int exitCode) { ++ended, code = exitCode; });
        context->isRunning = true;
        frame->close();
        QCOMPARE(prompter.messages(),
                 QStringList{QStringLiteral("Please stop the running process to close the application.")});
        QVERIFY(frame->isVisible());
        context->isRunning = false;
        prompter.answer = false;
        frame->close();
        QCOMPARE(prompter.questions(), QStringList{QStringLiteral("Do you want to close the application?")});
        QCOMPARE(prompter.lastIcon(), PromptIcon::Question);
        QVERIFY(frame->isVisible());
        QCOMPARE(ended, 0);
        prompter.answer = true;
        frame->close();
        QCOMPARE(ended, 1);
        QCOMPARE(code, -1);
        QCOMPARE(prompter.messages().size(), 1);  // no log file yet: no path shown
    }

    void aRunOverATinyFileReportsTheErrorAndEndsIdle() {
        QTemporaryDir folder;
        QString path = folder.filePath(QStringLiteral("tiny.mdf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(100, 'x'));
        file.close();
        useOptions(path, folder.path() + QLatin1Char('/'));
        frame->OnOpen();
        frame->waitForBackgroundThread();
        QVERIFY(!context->isRunning);
        QCOMPARE(prompter.messages(),
                 (QStringList{QStringLiteral("Wheteher File is not valid mdf file or file is highly corrupted..........."),
                              QStringLiteral("Scanning process aborted.")}));
        QCOMPARE(frame->logList()->lines().last(), QStringLiteral("Scanning process aborted."));
        QVERIFY(!frame->statusBarCls()->progressBar()->isVisible());
        QVERIFY(!frame->commandAction(Command::Stop)->isEnabled());
    }

    void aRunOverACorpusFileLogsEveryStep() {
        QString path = corpusFile("v539_pubs_sql2000_msi.mdf");
        if (!QFile::exists(path)) {
            if (qEnvironmentVariableIsSet("CI")) QFAIL("../shared/corpus is missing");
            QSKIP("../shared/corpus is absent; corpus tests skipped");
        }
        QTemporaryDir logs;
        useOptions(path, logs.path() + QLatin1Char('/'));
        frame->OnOpen();
        QVERIFY(frame->isBusy());
        frame->OnOpen();  // a second Open while the run works
        frame->waitForBackgroundThread();

        QStringList lines = frame->logList()->lines();
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines[0], path + QStringLiteral(" File is selected for recovery...."));
        QCOMPARE(lines[1], QStringLiteral("Browse File Path:\t") + path + QStringLiteral("\r\n"));
        QCOMPARE(lines[2], QStringLiteral("Standard mode is selected for file recovery."));
        QCOMPARE(lines[3], QStringLiteral("Scanning of file starts..."));
        QVERIFY(lines[4].startsWith(QStringLiteral("Database version: ")));
        QVERIFY(lines[5].startsWith(QStringLiteral("Collation Type: ")));
        QCOMPARE(lines[6], QStringLiteral("Creating Tree........."));
        QCOMPARE(lines[7], QStringLiteral("Process done........."));
        QCOMPARE(lines[8], QStringLiteral("Retrieving Objects of Sysobjvalues System Tables..........."));
        QCOMPARE(lines[9],
                 QStringLiteral("Retrieving  Objects of Sysobjvalues System Tables has been done..........."));
        QCOMPARE(lines[10], QStringLiteral("Scanning completed for selected mdf file."));
        QCOMPARE(prompter.messages(), (QStringList{kWait, QStringLiteral("Scanning process completed.")}));
        QCOMPARE(frame->captionBar()->text(), QStringLiteral("Scanning completed for selected mdf file"));
        QVERIFY(!context->isRunning);
        QVERIFY(frame->engine().hasFile());

        // The log file holds the same lines after its mark and separator.
        QFile log(QString::fromStdString(frame->log().path()));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QByteArray bytes = log.readAll();
        QVERIFY(bytes.startsWith("\xFF\xFE\r\0\n\0*\0"));
        QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                          (bytes.size() - 2) / 2);
        QVERIFY(text.endsWith(QStringLiteral("Scanning completed for selected mdf file.\r\n")));
        QVERIFY(text.contains(lines[1] + QStringLiteral("\r\n")));

        // Close now shows where the log is.
        prompter.answer = true;
        frame->setTerminator([](int) {});
        frame->close();
        QCOMPARE(prompter.messages().last(), QStringLiteral("Log file path : ") + log.fileName());
        QVERIFY(!frame->engine().hasFile());
    }

    void aSelectionWhileBusyIsRefusedAndKeepsTheDisplayedItem() {
        CXHtmlTree* tree = frame->tree();
        TreeItem root = tree->insertItem(kNoTreeItem, "pubs", false);
        TreeItem a = tree->insertItem(root, "authors", true);
        TreeItem b = tree->insertItem(root, "titles", true);
        FakeDisplay display(*context, frame->treeSink(), frame->contentSink());
        frame->setDisplayController(&display);
        QCOMPARE(frame->OnObjectSelected(a), 1);
        frame->waitForBackgroundThread();
        QCOMPARE(display.shownText, std::string("authors"));
        QCOMPARE(display.resets, 1);
        QCOMPARE(frame->rememberedItem(), a);

        context->isRunning = true;
        tree->selectTreeItem(b);
        QCOMPARE(frame->OnObjectSelected(b), 0);
        QCOMPARE(tree->selectedTreeItem(), a);
        QCOMPARE(prompter.messages(), QStringList{kWait});
        QCOMPARE(frame->OnNextRecords(), 0);
        QCOMPARE(frame->OnPreviousRecords(), 0);
        QCOMPARE(display.nextPages, 0);
        context->isRunning = false;
        frame->setDisplayController(nullptr);
    }

    void aLabelClickRunsTheDisplayThroughTheSinks() {
        CXHtmlTree* tree = frame->tree();
        TreeItem root = tree->insertItem(kNoTreeItem, "pubs", false);
        TreeItem table = tree->insertItem(root, "authors", true);
        tree->expandAll();
        FakeDisplay display(*context, frame->treeSink(), frame->contentSink());
        frame->setDisplayController(&display);

        QRect row = tree->visualItemRect(tree->widgetItem(table));
        QPoint label(-1, -1);
        for (int x = 0; x < tree->viewport()->width() && label.x() < 0; ++x)
            if (tree->hitTest(QPoint(x, row.center().y())) == CXHtmlTree::HitArea::Label)
                label = QPoint(x, row.center().y());
        QVERIFY(label.x() >= 0);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, label);
        frame->waitForBackgroundThread();

        COrvexStatic* panel = frame->contentPanel();
        QCOMPARE(frame->captionBar()->text(), QStringLiteral("authors"));
        QStringList lines = frame->logList()->lines();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral(" row 2 inserted"));  // replaced the "Please wait" line
        QCOMPARE(lines[1], QStringLiteral("Scanning process completed."));
        QVERIFY(panel->recordList()->isVisible());
        QVERIFY(!panel->definitionWindow()->isVisible());
        QCOMPARE(panel->rowCount(), 2);
        QCOMPARE(panel->columnCount(), 3);  // two table columns before the filler
        QCOMPARE(panel->recordList()->item(1, 1)->text(), QStringLiteral("beta"));
        QCOMPARE(panel->pageLabelText(), QStringLiteral("Page1 - [2](1-2) Records"));
        QVERIFY(!frame->statusBarCls()->progressBar()->isVisible());

        QCOMPARE(frame->OnNextRecords(), 1);
        frame->waitForBackgroundThread();
        QCOMPARE(display.nextPages, 1);
        QVERIFY(!context->isRunning);
        frame->setDisplayController(nullptr);
    }

    void aSelectionWithoutADatabaseEndsQuietly() {
        TreeItem root = frame->tree()->insertItem(kNoTreeItem, "RepairDataBase", false);
        QCOMPARE(frame->OnObjectSelected(root), 1);
        frame->waitForBackgroundThread();
        QVERIFY(!context->isRunning);
        QCOMPARE(frame->logList()->lines(),
                 QStringList{QStringLiteral("Please wait while RepairDataBase folder is scanning.")});
        QVERIFY(!frame->statusBarCls()->progressBar()->isVisible());
        QVERIFY(prompter.messages().isEmpty());
    }

private:
    void useOptions(const QString& path, const QString& logFolder) {
        frame->setOptionsProvider([path, logFolder](RecoveryOptions& options) {
            options.mdfPath = path.toStdString();
            options.logFolder = logFolder.toStdString();
            options.recoveryMode = 1;
            return true;
        });
    }

    TestPrompter prompter;
    std::unique_ptr<RunContext> context;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace

std::unique_ptr<QObject> makeMainFrameTest() { return std::make_unique<MainFrameTest>(); }

}  // namespace pw::ui::test

#include "MainFrameTest.moc"
