// The desktop application: single instance, collation list, main window.
//
//   pagewright                         the interactive application
//   pagewright --screenshot OUT [FILE] draws the window (after a run over
//                                      FILE when given) into the image OUT

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <cstdio>

#include "app/CollationList.h"
#include "app/RunContext.h"
#include "ui/AppTexts.h"
#include "ui/CMainFrame.h"
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

int takeScreenshot(pw::RunContext& context, const QString& outPath, const QString& dataFile) {
    ConsolePrompter prompter;
    pw::ui::CMainFrame frame(context, prompter);
    frame.resize(1280, 800);
    frame.show();
    QApplication::processEvents();
    if (!dataFile.isEmpty()) {
        frame.setOptionsProvider([&](pw::RecoveryOptions& options) {
            options.mdfPath = QDir::toNativeSeparators(dataFile).toStdString();
            options.recoveryMode = int32_t(pw::RecoveryMode::Standard);
            options.logFolder = QDir::toNativeSeparators(QDir::tempPath() + QLatin1Char('/')).toStdString();
            return true;
        });
        frame.OnOpen();
        frame.waitForBackgroundThread();
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
    return app.exec();
}
