// The desktop application: single instance, collation list, main window.
//
//   pagewright [FILE]                  the interactive application; with FILE
//                                      it opens FILE with the default options
//   pagewright --screenshot OUT [FILE] draws the window into the image OUT;
//                                      with FILE after a run over FILE and the
//                                      first display page of its user table
//                                      with the most rows

#include <QApplication>
#include <QTimer>
#include <QCommandLineParser>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <cstdio>
#include <memory>

#include "app/CollationList.h"
#include "app/RunContext.h"
#include "ui/AppTexts.h"
#include "presentation/ObjectDisplay.h"
#include "ui/CMainFrame.h"
#include "ui/COrvexFileSettingDlg.h"
#include "ui/CFileView.h"
#include "ui/CXHtmlTree.h"
#include "ui/Prompter.h"
#include "ui/SingleInstanceGuard.h"

namespace {

// Answers every box at once and writes its text to the error stream.
class ConsolePrompter : public pw::ui::Prompter {
public:
    void message(QWidget*, const QString& text, pw::ui::PromptIcon) override {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
    bool askYesNo(QWidget*, const QString& text, pw::ui::PromptIcon) override {
        std::fprintf(stderr, "%s [No]\n", text.toLocal8Bit().constData());
        return false;
    }
};

// The options of a run started from the command line: Standard mode, the
// log in the temporary folder.
void useDefaultOptions(pw::RecoveryOptions& options, const QString& dataFile) {
    options.mdfPath = QDir::toNativeSeparators(dataFile).toStdString();
    options.recoveryMode = int32_t(pw::RecoveryMode::Standard);
    options.logFolder = QDir::toNativeSeparators(QDir::tempPath() + QLatin1Char('/')).toStdString();
}

// Shows the tree's folders and the user table with the most rows, selected
// and displayed; waits for its first display page.
void showLargestTable(pw::ui::CMainFrame& frame) {
    if (!frame.engine().hasDatabase()) return;
    const std::string name = pw::userTableWithMostRows(*frame.engine().database);
    pw::ui::CXHtmlTree* tree = frame.tree();
    const pw::TreeFolders& folders = frame.objectDisplay().treeBuilder().folders();
    for (pw::TreeItem folder : {folders.root, folders.tables, folders.userTables, folders.views,
                                folders.programmability, folders.storedProcedures})
        if (QTreeWidgetItem* item = tree->widgetItem(folder)) item->setExpanded(true);
    pw::TreeItem table = pw::kNoTreeItem;
    for (pw::TreeItem child = tree->firstChild(folders.userTables); child != pw::kNoTreeItem && !name.empty();
         child = tree->nextSibling(child)) {
        if (tree->itemText(child).toStdString() == name) {
            table = child;
            break;
        }
    }
    if (table == pw::kNoTreeItem) return;
    tree->selectTreeItem(table);
    tree->scrollToItem(tree->widgetItem(table), QAbstractItemView::PositionAtCenter);
    frame.OnObjectSelected(table);
    frame.waitForBackgroundThread();
}

int takeScreenshot(pw::RunContext& context, const QString& outPath, const QString& dataFile) {
    ConsolePrompter prompter;
    pw::ui::CMainFrame frame(context, prompter);
    frame.resize(1280, 800);
    frame.show();
    frame.resizeDocks({frame.treePane()}, {300}, Qt::Horizontal);
    QApplication::processEvents();
    if (!dataFile.isEmpty()) {
        frame.setOptionsProvider([&](pw::RecoveryOptions& options) {
            useDefaultOptions(options, dataFile);
            return true;
        });
        frame.OnOpen();
        frame.waitForBackgroundThread();
        showLargestTable(frame);
    }
    QApplication::processEvents();
    if (!frame.grab().save(outPath)) {
        std::fprintf(stderr, "cannot write %s\n", outPath.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Orvex"));
    QCoreApplication::setApplicationName(QStringLiteral("Pagewright"));
    QGuiApplication::setApplicationDisplayName(QString::fromUtf8(pw::ui::kAppTitle));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(pw::ui::kAppTitle));
    parser.addHelpOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Draw the window into <image> and end."), QStringLiteral("image"));
    parser.addOption(screenshot);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Data file to recover (with --screenshot)."),
                                 QStringLiteral("[file]"));
    parser.process(app);

    pw::RunContext context;
    if (parser.isSet(screenshot)) {
        context.options.collations = pw::loadCollationList(pw::collationFileBesideExecutable());
        const QStringList files = parser.positionalArguments();
        return takeScreenshot(context, parser.value(screenshot), files.isEmpty() ? QString() : files.first());
    }

    pw::ui::SingleInstanceGuard guard;
    if (!guard.acquire()) {
        QMessageBox::information(nullptr, QString::fromUtf8(pw::ui::kAppTitle),
                                 QString::fromUtf8(pw::ui::kAnotherInstance));
        return 0;
    }
    context.options.collations = pw::loadCollationList(pw::collationFileBesideExecutable());

    pw::ui::CMainFrame frame(context, pw::ui::defaultPrompter());
    frame.showMaximized();
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) {
        // The first Open takes the file of the command line; later ones ask.
        const QString dataFile = files.first();
        auto firstRun = std::make_shared<bool>(true);
        frame.setOptionsProvider([&frame, dataFile, firstRun](pw::RecoveryOptions& options) {
            if (*firstRun) {
                *firstRun = false;
                useDefaultOptions(options, dataFile);
                return true;
            }
            pw::ui::COrvexFileSettingDlg dialog(options, frame.prompter(), &frame);
            return dialog.exec() == QDialog::Accepted;
        });
        QTimer::singleShot(0, &frame, [&frame] { frame.OnOpen(); });
    }
    return app.exec();
}
