// The application end to end: a corpus file opened through the options
// dialog, its tree against the catalog truth, rows, paging, definitions,
// key scripts, Stop during the mapping pass, and the log file's bytes.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <map>

#include "presentation/ObjectDisplay.h"
#include "tools/fixtures/PagingFixture.h"
#include "ui/CMainFrame.h"
#include "ui/COrvexFileSettingDlg.h"
#include "ui/COrvexListCtrl.h"
#include "ui/COrvexStatic.h"
#include "ui/CXHtmlTree.h"
#include "ui/tests/TestPrompter.h"
#include "ui/tests/UiTests.h"

namespace pw::ui::test {
namespace {

const QString kCompleted = QStringLiteral("Scanning process completed.");
const QString kWait = QStringLiteral("Please wait for the running process.");

QString corpusDir() { return QStringLiteral(PW_SOURCE_DIR "/../shared/corpus"); }

// Names of the file's objects by type code, from truth/objects.tsv.
std::map<QString, QStringList> truthObjects(const QString& file) {
    std::map<QString, QStringList> byType;
    QFile truth(corpusDir() + QStringLiteral("/truth/objects.tsv"));
    if (!truth.open(QIODevice::ReadOnly)) return byType;
    QTextStream in(&truth);
    in.readLine();  // header
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(QLatin1Char('\t'));
        if (fields.size() >= 4 && fields[0] == file) byType[fields[3]] << fields[2];
    }
    return byType;
}

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

// The order of a sorted tree folder: by text, case aside.
QStringList textOrder(QStringList list) {
    list.sort(Qt::CaseInsensitive);
    return list;
}

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        prompter.clear();
        prompter.answer = true;
        logs = std::make_unique<QTemporaryDir>();
        context = std::make_unique<RunContext>();
        frame = std::make_unique<CMainFrame>(*context, prompter);
        frame->resize(1200, 800);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    void cleanup() {
        frame->waitForBackgroundThread();
        frame.reset();
        context.reset();
    }

    void aCorpusFileOpenedThroughTheDialogGivesTheCatalogsTree() {
        const QString name = QStringLiteral("v655_northwind_script2008.mdf");
        if (!requireCorpus()) return;
        openThroughDialog(corpusDir() + QStringLiteral("/files/") + name);
        QVERIFY(prompter.messages().contains(kCompleted));
        QVERIFY(!context->isRunning);

        const TreeFolders& f = frame->objectDisplay().treeBuilder().folders();
        CXHtmlTree* tree = frame->tree();
        QCOMPARE(tree->itemText(f.root), QStringLiteral("C:\\DBS\\NORTHWND.MDF"));
        std::map<QString, QStringList> truth = truthObjects(name);
        const struct {
            TreeItem folder;
            QStringList types;
        } folders[] = {
            {f.views, {QStringLiteral("V ")}},
            {f.storedProcedures, {QStringLiteral("P ")}},
            {f.functions, {QStringLiteral("FN"), QStringLiteral("IF"), QStringLiteral("TF")}},
            {f.triggers, {QStringLiteral("TR")}},
            {f.defaults, {QStringLiteral("D ")}},
            {f.userTables, {QStringLiteral("U ")}},
            {f.systemTables, {QStringLiteral("S ")}},
        };
        for (const auto& folder : folders) {
            QStringList expected;
            for (const QString& type : folder.types) expected << truth[type];
            QCOMPARE(sorted(childTexts(folder.folder)), sorted(expected));
        }
        // Sorted folders read in text order; user tables with rows are bold.
        QCOMPARE(childTexts(f.userTables), textOrder(truth[QStringLiteral("U ")]));
        QCOMPARE(childTexts(f.storedProcedures), textOrder(truth[QStringLiteral("P ")]));
        QVERIFY(tree->isBold(child(f.userTables, QStringLiteral("Orders"))));
        QVERIFY(!tree->isBold(child(f.userTables, QStringLiteral("CustomerDemographics"))));

        // A click on a table lists its rows.
        TreeItem shippers = child(f.userTables, QStringLiteral("Shippers"));
        clickLabel(shippers);
        COrvexStatic* panel = frame->contentPanel();
        QCOMPARE(panel->rowCount(), 3);
        QCOMPARE(panel->recordList()->horizontalHeaderItem(0)->text(), QStringLiteral("ShipperID"));
        QCOMPARE(panel->recordList()->item(0, 1)->text(), QStringLiteral("Speedy Express"));
        QCOMPARE(panel->pageLabelText(), QStringLiteral("Page1 - [3](1-3) Records"));
        QVERIFY(panel->recordList()->isVisible());
        QVERIFY(!panel->nextButton()->isEnabled());
        QCOMPARE(frame->logList()->lines().last(), kCompleted);

        // A view's definition.
        clickLabel(child(f.views, QStringLiteral("Current Product List")));
        QVERIFY(panel->definitionWindow()->isVisible());
        QVERIFY(!panel->recordList()->isVisible());
        QVERIFY2(panel->definitionText().contains(QStringLiteral("create view \"Current Product List\"")),
                 qPrintable(panel->definitionText()));

        // A primary-key script from the catalog's index.
        TreeItem key = child(child(shippers, QStringLiteral("PrimaryKey")), QStringLiteral("PK_Shippers"));
        QVERIFY(key != kNoTreeItem);
        clickLabel(key);
        QCOMPARE(panel->definitionText(),
                 QStringLiteral("ALTER TABLE [dbo].[Shippers] ADD CONSTRAINT [PK_Shippers] PRIMARY KEY CLUSTERED "
                                "([ShipperID] ASC)"));
    }

    void aSql2000FileGivesItsTreeToo() {
        const QString name = QStringLiteral("v539_pubs_sql2000_msi.mdf");
        if (!requireCorpus()) return;
        openThroughDialog(corpusDir() + QStringLiteral("/files/") + name);
        QVERIFY(prompter.messages().contains(kCompleted));
        const TreeFolders& f = frame->objectDisplay().treeBuilder().folders();
        std::map<QString, QStringList> truth = truthObjects(name);
        QCOMPARE(childTexts(f.userTables), textOrder(truth[QStringLiteral("U ")]));
        QCOMPARE(sorted(childTexts(f.views)), sorted(truth[QStringLiteral("V ")]));
        clickLabel(child(f.userTables, QStringLiteral("authors")));
        QCOMPARE(frame->contentPanel()->rowCount(), 23);
        QCOMPARE(frame->contentPanel()->pageLabelText(), QStringLiteral("Page1 - [23](1-23) Records"));
    }

    void aTableOf2500RowsPagesBy1000() {
        const QString path = logs->filePath(QStringLiteral("paging.mdf"));
        QVERIFY(fixtures::writePagingDatabase(std::filesystem::path(path.toStdString()), {{"Numbers", 2500}}));
        openThroughDialog(path);
        QVERIFY(prompter.messages().contains(kCompleted));
        COrvexStatic* panel = frame->contentPanel();
        clickLabel(child(frame->objectDisplay().treeBuilder().folders().userTables, QStringLiteral("Numbers")));
        QCOMPARE(panel->rowCount(), 1000);
        QCOMPARE(panel->pageLabelText(), QStringLiteral("Page1 - [1000](1-1000) Records"));
        QVERIFY(!panel->previousButton()->isEnabled());
        QVERIFY(panel->nextButton()->isEnabled());

        page(panel->nextButton());
        QCOMPARE(panel->rowCount(), 1000);
        QCOMPARE(panel->recordList()->item(0, 0)->text(), QStringLiteral("1001"));
        QCOMPARE(panel->pageLabelText(), QStringLiteral("Page2 - [1000](1001-2000) Records"));
        page(panel->nextButton());
        QCOMPARE(panel->rowCount(), 500);
        QCOMPARE(panel->recordList()->item(499, 1)->text(), QStringLiteral("row 2500"));
        QCOMPARE(panel->pageLabelText(), QStringLiteral("Page3 - [500](2001-2500) Records"));
        QVERIFY(!panel->nextButton()->isEnabled());
        page(panel->previousButton());
        QCOMPARE(panel->rowCount(), 1000);
        QCOMPARE(panel->recordList()->item(0, 0)->text(), QStringLiteral("1001"));
        QCOMPARE(panel->recordList()->item(999, 0)->text(), QStringLiteral("2000"));
        QCOMPARE(panel->pageLabelText(), QStringLiteral("Page2 - [1000](1001-2000) Records"));
        QVERIFY(panel->previousButton()->isEnabled());
        QVERIFY(panel->nextButton()->isEnabled());
        QVERIFY(!context->isRunning);
    }

    void theLogFileHoldsTheRunAndTheRows() {
        const QString path = logs->filePath(QStringLiteral("gaps.mdf"));
        QVERIFY(fixtures::writePagingDatabase(std::filesystem::path(path.toStdString()), {}));
        openThroughDialog(path);
        clickLabel(child(frame->objectDisplay().treeBuilder().folders().userTables, QStringLiteral("Gaps")));
        QCOMPARE(frame->contentPanel()->recordList()->item(1, 0)->text(), QStringLiteral("NULL"));

        QFile log(QString::fromStdString(frame->log().path()));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray bytes = log.readAll();
        QVERIFY(bytes.startsWith(QByteArray("\xFF\xFE", 2)));
        QCOMPARE(bytes.size() % 2, 0);
        const QString text =
            QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
        const QString separator = QStringLiteral("\r\n") + QString(80, QLatin1Char('*')) + QStringLiteral("\r\n");
        QVERIFY(text.startsWith(separator + QDir::toNativeSeparators(path) +
                                QStringLiteral(" File is selected for recovery....\r\n")));
        QVERIFY(text.contains(QStringLiteral("Creating Tree.........\r\nProcess done.........\r\n")));
        const QString display = QStringLiteral(
            "Scanning completed for selected mdf file.\r\n"
            "Please wait while Gaps folder is scanning.\r\n"
            " row 1 inserted\r\n row 2 inserted\r\n row 3 inserted\r\n row 4 inserted\r\n"
            "Gaps[4]\r\nScanning process completed.\r\n");
        QVERIFY2(text.endsWith(display), qPrintable(text.right(400)));
        // The pane keeps only the last row report.
        const QStringList pane = frame->logList()->lines();
        QCOMPARE(pane.mid(pane.size() - 3),
                 (QStringList{QStringLiteral(" row 4 inserted"), QStringLiteral("Gaps[4]"), kCompleted}));
    }

    void stopDuringTheMappingPassLeavesTheApplicationUsable() {
        // A large file: its pages are mostly a sparse tail.
        const QString path = logs->filePath(QStringLiteral("large.mdf"));
        const std::filesystem::path file(path.toStdString());
        QVERIFY(fixtures::writePagingDatabase(file, {{"Numbers", 2500}}));
        const auto pagingSize = std::filesystem::file_size(file);
        std::filesystem::resize_file(file, uint64_t(1) << 31);

        bool stopped = false;
        QStringList refusals;
        const QString mapping = QStringLiteral("Mapping Database Objects...........");
        auto hook = connect(frame->contentPanel()->definitionWindow(), &QPlainTextEdit::textChanged, frame.get(), [&] {
            if (stopped || frame->contentPanel()->definitionText() != mapping) return;
            stopped = true;
            const int before = int(prompter.messages().size());
            frame->OnOpen();  // refused while the run works
            refusals = prompter.messages().mid(before);
            frame->OnStop();
        });
        useFile(path);
        frame->OnOpen();
        frame->waitForBackgroundThread();
        disconnect(hook);
        QVERIFY(stopped);
        QCOMPARE(refusals, QStringList{kWait});
        QVERIFY(!context->isRunning);
        QVERIFY(!frame->isBusy());
        QCOMPARE(frame->logList()->lines().last(), QStringLiteral("Scanning process aborted."));
        QVERIFY(prompter.questions().contains(QStringLiteral("Are you sure to stop the running process?")));

        // Still usable: the same data without the tail opens and shows rows.
        std::filesystem::resize_file(file, pagingSize);
        prompter.clear();
        frame->OnOpen();
        frame->waitForBackgroundThread();
        QVERIFY(prompter.messages().contains(kCompleted));
        clickLabel(child(frame->objectDisplay().treeBuilder().folders().userTables, QStringLiteral("Numbers")));
        QCOMPARE(frame->contentPanel()->rowCount(), 1000);
    }

private:
    bool requireCorpus() {
        if (QFile::exists(corpusDir() + QStringLiteral("/MANIFEST.tsv"))) return true;
        if (qEnvironmentVariableIsSet("CI")) {
            QTest::qFail("../shared/corpus is missing", __FILE__, __LINE__);
            return false;
        }
        QTest::qSkip("../shared/corpus is absent; corpus tests skipped", __FILE__, __LINE__);
        return false;
    }

    // The Open command with the real options dialog, filled and confirmed
    // as a user would; waits for the run to end.
    void openThroughDialog(const QString& path) {
        const QString logFolder = logs->path() + QLatin1Char('/');
        frame->setOptionsProvider([this, path, logFolder](RecoveryOptions& options) {
            COrvexFileSettingDlg dialog(options, prompter, frame.get());
            QTimer::singleShot(0, &dialog, [&dialog, path, logFolder] {
                dialog.acceptChosenMdfPath(path);
                dialog.acceptChosenLogFolder(logFolder);
                dialog.okButton()->click();
            });
            return dialog.exec() == QDialog::Accepted;
        });
        frame->OnOpen();
        frame->waitForBackgroundThread();
    }
    void useFile(const QString& path) {
        const QString logFolder = logs->path() + QLatin1Char('/');
        frame->setOptionsProvider([path, logFolder](RecoveryOptions& options) {
            options.mdfPath = path.toStdString();
            options.logFolder = logFolder.toStdString();
            options.recoveryMode = 1;
            return true;
        });
    }

    QStringList childTexts(TreeItem item) const {
        QStringList texts;
        for (TreeItem c = frame->tree()->firstChild(item); c != kNoTreeItem; c = frame->tree()->nextSibling(c))
            texts << frame->tree()->itemText(c);
        return texts;
    }
    TreeItem child(TreeItem item, const QString& text) const {
        for (TreeItem c = frame->tree()->firstChild(item); c != kNoTreeItem; c = frame->tree()->nextSibling(c))
            if (frame->tree()->itemText(c) == text) return c;
        return kNoTreeItem;
    }

    // A left click on the item's label; waits for the display to end.
    void clickLabel(TreeItem item) {
        CXHtmlTree* tree = frame->tree();
        QTreeWidgetItem* widget = tree->widgetItem(item);
        QVERIFY(widget);
        for (QTreeWidgetItem* up = widget->parent(); up; up = up->parent()) up->setExpanded(true);
        tree->scrollToItem(widget);
        QApplication::processEvents();
        const QRect row = tree->visualItemRect(widget);
        QPoint label(-1, -1);
        for (int x = 0; x < tree->viewport()->width() && label.x() < 0; ++x)
            if (tree->hitTest(QPoint(x, row.center().y())) == CXHtmlTree::HitArea::Label)
                label = QPoint(x, row.center().y());
        QVERIFY(label.x() >= 0);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, label);
        frame->waitForBackgroundThread();
        QVERIFY(!context->isRunning);
    }
    void page(QToolButton* button) {
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        frame->waitForBackgroundThread();
        QVERIFY(!context->isRunning);
    }

    TestPrompter prompter;
    std::unique_ptr<QTemporaryDir> logs;
    std::unique_ptr<RunContext> context;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace

std::unique_ptr<QObject> makeEndToEndTest() { return std::make_unique<EndToEndTest>(); }

}  // namespace pw::ui::test

#include "EndToEndTest.moc"
