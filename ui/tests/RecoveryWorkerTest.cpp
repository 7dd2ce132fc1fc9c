#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/RecoveryWorker.h"
#include "ui/tests/UiTests.h"

namespace pw::ui::test {
namespace {

class FakeHost : public RecoveryHost {
public:
    void appendLogLine(const std::string& text) override { lines.push_back(text); }
    void clearPanels() override { ++clears; }
    void emptyTree() override { ++treeEmptied; }
    void hideProgress() override { ++progressHidden; }
    void setCaptionText(const std::string& text) override { caption = text; }
    void information(const std::string& text) override { boxes.push_back(text); }

    std::vector<std::string> lines;
    std::vector<std::string> boxes;
    std::string caption;
    int clears = 0, treeEmptied = 0, progressHidden = 0;
};

class FakeSink : public MessageSink {
public:
    void recoveryError(const std::string& text) override { errors.push_back(text); }
    std::vector<std::string> errors;
};

class NullTree : public TreeSink {
public:
    TreeItem insertItem(TreeItem, const std::string&, bool) override { return kNoTreeItem; }
    void deleteAll() override {}
    std::string itemText(TreeItem) const override { return {}; }
    TreeItem parentOf(TreeItem) const override { return kNoTreeItem; }
    TreeItem firstChild(TreeItem) const override { return kNoTreeItem; }
    TreeItem nextSibling(TreeItem) const override { return kNoTreeItem; }
    void setItemData(TreeItem, int64_t) override {}
    int64_t itemData(TreeItem) const override { return 0; }
    void setBold(TreeItem, bool) override {}
    void sortChildren(TreeItem) override {}
    TreeItem selectedItem() const override { return kNoTreeItem; }
    void selectItem(TreeItem) override {}
    void redraw() override {}
};

QString corpusFile(const char* name) {
    return QStringLiteral(PW_SOURCE_DIR "/../shared/corpus/files/") + QString::fromLatin1(name);
}

class RecoveryWorkerTest : public QObject {
    Q_OBJECT

private slots:
    void backslashesAreDoubledForTheLog() {
        QCOMPARE(doubleBackslashes("C:\\Data\\x.mdf"), std::string("C:\\\\Data\\\\x.mdf"));
        QCOMPARE(doubleBackslashes("/data/x.mdf"), std::string("/data/x.mdf"));
        QCOMPARE(doubleBackslashes(""), std::string());
    }

    void anUnopenableFileAbortsTheRun() {
        QTemporaryDir folder;
        const std::string path = folder.filePath(QStringLiteral("missing.mdf")).toStdString();
        RunContext context;
        FakeSink sink;
        context.sink = &sink;
        context.isRunning = true;
        context.legacyCatalog = true;
        context.versionText = "Database version: Unknown SQL Version";  // left by an earlier run
        EngineHolder engine;
        FakeHost host;
        NullTree tree;
        RecoveryJob job{context, engine, host, tree, path};
        runRecovery(job);

        std::vector<std::string> expected{
            "Browse File Path:\t" + path + "\r\n",
            "Standard mode is selected for file recovery.",
            "Scanning of file starts...",
            "Scanning process aborted.",
        };
        QCOMPARE(host.lines, expected);
        QCOMPARE(host.boxes, std::vector<std::string>{"Scanning process aborted."});
        QCOMPARE(sink.errors, std::vector<std::string>{"File cannot be open..........."});
        QVERIFY(!context.isRunning);
        QVERIFY(!context.legacyCatalog);
        QVERIFY(context.versionText.empty());
        QCOMPARE(host.clears, 1);
        QCOMPARE(host.treeEmptied, 1);
        QCOMPARE(host.progressHidden, 1);
    }

    void aTinyFileIsNotValid() {
        QTemporaryDir folder;
        QString path = folder.filePath(QStringLiteral("tiny.mdf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(100, 'x'));
        file.close();
        RunContext context;
        FakeSink sink;
        context.sink = &sink;
        context.options.recoveryMode = 2;
        EngineHolder engine;
        FakeHost host;
        NullTree tree;
        RecoveryJob job{context, engine, host, tree, path.toStdString()};
        runRecovery(job);
        QCOMPARE(host.lines.at(1), std::string("Advanced mode is selected for file recovery."));
        QCOMPARE(host.lines.back(), std::string("Scanning process aborted."));
        QCOMPARE(sink.errors.size(), size_t(1));
        QVERIFY(engine.advancedMode);
    }

    void aGoodFileEndsWithTheCompletionReport() {
        QString path = corpusFile("v539_pubs_sql2000_msi.mdf");
        if (!QFile::exists(path)) {
            if (qEnvironmentVariableIsSet("CI")) QFAIL("../shared/corpus is missing");
            QSKIP("../shared/corpus is absent; corpus tests skipped");
        }
        RunContext context;
        context.isRunning = true;
        EngineHolder engine;
        FakeHost host;
        NullTree tree;
        RecoveryJob job{context, engine, host, tree, path.toStdString()};
        runRecovery(job);
        QVERIFY(engine.hasFile());
        QVERIFY(engine.file->isOpen());
        QCOMPARE(engine.file->databaseName, std::string("pubs"));
        QVERIFY(engine.hasDatabase());
        QVERIFY(!engine.database->objects.empty());
        QVERIFY(context.legacyCatalog);  // a SQL Server 2000 file
        QCOMPARE(host.lines.size(), size_t(6));
        QVERIFY(host.lines[3].rfind("Database version: ", 0) == 0);
        QVERIFY(host.lines[3] != "Database version: Unknown SQL Version");
        QVERIFY(host.lines[4].rfind("Collation Type: ", 0) == 0);
        QCOMPARE(host.lines[5], std::string("Scanning completed for selected mdf file."));
        QCOMPARE(host.caption, std::string("Scanning completed for selected mdf file"));
        QCOMPARE(host.boxes, std::vector<std::string>{"Scanning process completed."});
        QVERIFY(!context.isRunning);
    }
};

}  // namespace

std::unique_ptr<QObject> makeRecoveryWorkerTest() { return std::make_unique<RecoveryWorkerTest>(); }

}  // namespace pw::ui::test

#include "RecoveryWorkerTest.moc"
