#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/COrvexFileSettingDlg.h"
#include "ui/tests/TestPrompter.h"
#include "ui/tests/UiTests.h"

namespace pw::ui::test {
namespace {

const QString kBadSqlPath = QStringLiteral("Please select valid SQL file path to continue the recovery process.");
const QString kBadLogPath = QStringLiteral("Please select valid Log file path to continue the recovery process.");

void touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

class FileSettingDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        options = RecoveryOptions{};
        options.collations = parseCollationList("b_collation\t5\t1252\nA_collation\t9\t936\nc_collation\t2\t1250\n");
        options.autoDetectCollation = false;
        prompter.clear();
        QVERIFY(folder.isValid());
    }

    void startsInItsInitialState() {
        COrvexFileSettingDlg dialog(options, prompter);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Corrupted MDF file"));
        QCOMPARE(dialog.modeList()->count(), 2);
        QCOMPARE(dialog.modeList()->itemText(0), QStringLiteral("Standard Mode"));
        QCOMPARE(dialog.modeList()->itemText(1), QStringLiteral("Advanced Mode"));
        QCOMPARE(dialog.modeList()->currentIndex(), 0);
        QVERIFY(dialog.autoDetectButton()->isChecked());
        QVERIFY(!dialog.manualButton()->isChecked());
        QVERIFY(!dialog.collationList()->isEnabled());
        QVERIFY(options.autoDetectCollation);
        // Sorted by name, each carrying its id; the first is chosen.
        QCOMPARE(dialog.collationList()->count(), 3);
        QCOMPARE(dialog.collationList()->itemText(0), QStringLiteral("A_collation"));
        QCOMPARE(dialog.collationList()->itemText(1), QStringLiteral("b_collation"));
        QCOMPARE(dialog.collationList()->itemText(2), QStringLiteral("c_collation"));
        QCOMPARE(options.manualCollationId, int64_t(9));
        QVERIFY(dialog.mdfPathEdit()->isReadOnly());
        QVERIFY(dialog.logFolderEdit()->isReadOnly());
        QCOMPARE(dialog.mdfPathEdit()->text(), QString());
        QCOMPARE(dialog.logFolderEdit()->text(), COrvexFileSettingDlg::desktopFolder());
        QVERIFY(QFileInfo(dialog.logFolderEdit()->text()).isDir());
        QVERIFY(!dialog.sql2000Box()->isChecked());
        QVERIFY(!dialog.showDeletedBox()->isChecked());
        QVERIFY(!dialog.showAdvancedDeletedBox()->isChecked());
        QCOMPARE(dialog.sql2000Box()->text(), QStringLiteral("Is SQL 2000"));
        QCOMPARE(dialog.showDeletedBox()->text(), QStringLiteral("Show deleted records"));
        QCOMPARE(dialog.showAdvancedDeletedBox()->text(), QStringLiteral("Show Advanced Deleted records"));
    }

    void okRefusesABadDataFilePath_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("create");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("missing mdf") << QStringLiteral("missing.mdf") << false;
        QTest::newRow("ndf") << QStringLiteral("data.ndf") << true;
        QTest::newRow("folder named mdf") << QStringLiteral("dir.mdf") << false;
    }
    void okRefusesABadDataFilePath() {
        QFETCH(QString, name);
        QFETCH(bool, create);
        QString path = name.isEmpty() ? QString() : folder.filePath(name);
        if (create) touch(path);
        if (name == QStringLiteral("dir.mdf")) QDir(folder.path()).mkdir(name);
        COrvexFileSettingDlg dialog(options, prompter);
        dialog.mdfPathEdit()->setText(path);
        dialog.onOk();
        QCOMPARE(prompter.messages(), QStringList{kBadSqlPath});
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(options.mdfPath.empty());
    }

    void okRefusesAMissingLogFolder() {
        QString mdf = folder.filePath(QStringLiteral("Data.MDF.bak"));  // .MDF anywhere passes
        touch(mdf);
        COrvexFileSettingDlg dialog(options, prompter);
        dialog.mdfPathEdit()->setText(mdf);
        dialog.logFolderEdit()->setText(folder.filePath(QStringLiteral("no-such-folder")));
        dialog.onOk();
        QCOMPARE(prompter.messages(), QStringList{kBadLogPath});
        dialog.logFolderEdit()->setText(QString());
        dialog.onOk();
        QCOMPARE(prompter.messages(), (QStringList{kBadLogPath, kBadLogPath}));
        QVERIFY(options.logFolder.empty());
    }

    void okStoresEveryOption() {
        QString mdf = folder.filePath(QStringLiteral("x.mdf"));
        touch(mdf);
        COrvexFileSettingDlg dialog(options, prompter);
        dialog.acceptChosenMdfPath(mdf);
        dialog.acceptChosenLogFolder(QStringLiteral("  ") + folder.path() + QStringLiteral("  "));
        QCOMPARE(dialog.logFolderEdit()->text(), QDir::toNativeSeparators(folder.path()));
        dialog.modeList()->setCurrentIndex(1);
        dialog.sql2000Box()->setChecked(true);
        dialog.showAdvancedDeletedBox()->setChecked(true);
        dialog.onOk();
        QVERIFY(prompter.messages().isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(QString::fromStdString(options.mdfPath), QDir::toNativeSeparators(mdf));
        QCOMPARE(QString::fromStdString(options.logFolder), QDir::toNativeSeparators(folder.path()) + QDir::separator());
        QCOMPARE(options.recoveryMode, 2);
        QVERIFY(options.legacyCatalog);
        QVERIFY(!options.showDeleted);
        QVERIFY(options.showAdvancedDeleted);
    }

    void aFolderEndingInASeparatorIsStoredUnchanged() {
        QString mdf = folder.filePath(QStringLiteral("x.mdf"));
        touch(mdf);
        COrvexFileSettingDlg dialog(options, prompter);
        dialog.mdfPathEdit()->setText(mdf);
        dialog.logFolderEdit()->setText(QDir::rootPath());
        dialog.onOk();
        QCOMPARE(QString::fromStdString(options.logFolder), QDir::rootPath());
        QCOMPARE(options.recoveryMode, 1);
    }

    void chosenMdfFileMustExist() {
        COrvexFileSettingDlg dialog(options, prompter);
        dialog.acceptChosenMdfPath(folder.filePath(QStringLiteral("gone.mdf")));
        QCOMPARE(prompter.messages(), QStringList{QStringLiteral("Please select valid mdf file.")});
        QCOMPARE(dialog.mdfPathEdit()->text(), QString());
        dialog.acceptChosenLogFolder(folder.filePath(QStringLiteral("gone")));
        QCOMPARE(dialog.logFolderEdit()->text(), COrvexFileSettingDlg::desktopFolder());
    }

    void collationChoiceOutlivesCancel() {
        {
            COrvexFileSettingDlg dialog(options, prompter);
            dialog.manualButton()->click();
            QVERIFY(!dialog.autoDetectButton()->isChecked());
            QVERIFY(dialog.manualButton()->isChecked());
            QVERIFY(dialog.collationList()->isEnabled());
            dialog.collationList()->setCurrentIndex(2);
            dialog.cancelButton()->click();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        QVERIFY(!options.autoDetectCollation);
        QCOMPARE(options.manualCollationId, int64_t(2));
        QVERIFY(options.mdfPath.empty());
        // Clicking a checked radio button keeps it checked.
        COrvexFileSettingDlg again(options, prompter);
        again.autoDetectButton()->click();
        QVERIFY(again.autoDetectButton()->isChecked());
        QVERIFY(options.autoDetectCollation);
    }

private:
    RecoveryOptions options;
    TestPrompter prompter;
    QTemporaryDir folder;
};

}  // namespace

std::unique_ptr<QObject> makeFileSettingDialogTest() { return std::make_unique<FileSettingDialogTest>(); }

}  // namespace pw::ui::test

#include "FileSettingDialogTest.moc"
