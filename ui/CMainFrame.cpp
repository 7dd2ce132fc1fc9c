#include "ui/CMainFrame.h"
#include "ui/SaveCommand.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QSettings>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <chrono>
#include <cstdlib>

#include "ui/AppTexts.h"
#include "ui/ApplicationLook.h"
#include "ui/CFileView.h"
#include "ui/CMyCaptionBar.h"
#include "ui/COrvexAboutDlg.h"
#include "ui/COrvexFileSettingDlg.h"
#include "ui/COrvexListCtrl.h"
#include "ui/COrvexStatic.h"
#include "ui/COutputWnd.h"
#include "ui/CRibbonBar.h"
#include "ui/CRibbonStatusBarCls.h"
#include "ui/CXHtmlTree.h"
#include "ui/GuiSinks.h"
#include "ui/Icons.h"
#include "ui/Prompter.h"
#include "ui/RecoveryWorker.h"
#include "presentation/DisplayController.h"
#include "presentation/ObjectDisplay.h"

namespace pw::ui {
namespace {

constexpr int kCommandUpdateMilliseconds = 100;

int clampToInt(uint32_t value) { return value > uint32_t(INT32_MAX) ? INT32_MAX : int(value); }

QToolBar* fixedToolBar(QMainWindow* window, const QString& title, QWidget* content) {
    auto* bar = new QToolBar(title, window);
    bar->setObjectName(title);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setVisible(false);
    bar->addWidget(content);
    window->addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}

}  // namespace

CMainFrame::CMainFrame(RunContext& context, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), context_(context), prompter_(prompter) {
    optionsProvider_ = [this](RecoveryOptions& options) {
        COrvexFileSettingDlg dialog(options, prompter_, this);
        return dialog.exec() == QDialog::Accepted;
    };
    terminator_ = [](int code) { std::_Exit(code); };
    helpOpener_ = [] { QDesktopServices::openUrl(QUrl(QString::fromUtf8(kHelpUrl))); };
    buildWindow();
    messageSink_ = std::make_unique<GuiMessageSink>(*this);
    treeSink_ = std::make_unique<GuiTreeSink>(*this, *tree());
    contentSink_ = std::make_unique<GuiContentSink>(*this);
    objectDisplay_ = std::make_unique<ObjectDisplay>(context_, engine_, *treeSink_, *contentSink_);
    display_ = objectDisplay_.get();
    context_.sink = messageSink_.get();
}

CMainFrame::~CMainFrame() {
    // A test or an abnormal end may leave a background thread running: ask
    // it to stop and let it finish its calls into this window first.
    context_.stopRequested = true;
    waitForBackgroundThread();
    context_.stopRequested = false;
    context_.sink = &nullMessageSink();
}

void CMainFrame::buildWindow() {
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setWindowIcon(icons::application());
    setObjectName(QStringLiteral("mainFrame"));
    {
        QSettings settings;
        setUpApplicationLook(settings);
    }
    setContextMenuPolicy(Qt::PreventContextMenu);

    ribbon_ = new CRibbonBar(this);
    fixedToolBar(this, QStringLiteral("Pagewright"), ribbon_);
    addToolBarBreak(Qt::TopToolBarArea);
    caption_ = new CMyCaptionBar(this);
    fixedToolBar(this, QStringLiteral("Caption"), caption_);
    caption_->setText(QString::fromUtf8(kInitialCaption));

    statusBar_ = new CRibbonStatusBarCls(this);
    setStatusBar(statusBar_);

    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    treePane_ = new CFileView(this);
    logPane_ = new COutputWnd(this);
    addDockWidget(Qt::LeftDockWidgetArea, treePane_);
    addDockWidget(Qt::BottomDockWidgetArea, logPane_);
    resizeDocks({treePane_}, {200}, Qt::Horizontal);
    resizeDocks({logPane_}, {100}, Qt::Vertical);

    content_ = new COrvexStatic(this);
    setCentralWidget(content_);

    connect(ribbon_->action(Command::Open), &QAction::triggered, this, &CMainFrame::OnOpen);
    connect(ribbon_->action(Command::Stop), &QAction::triggered, this, &CMainFrame::OnStop);
    connect(ribbon_->action(Command::Save), &QAction::triggered, this, &CMainFrame::OnSave);
    connect(ribbon_->action(Command::Help), &QAction::triggered, this, &CMainFrame::OnHelp);
    connect(ribbon_->action(Command::About), &QAction::triggered, this, &CMainFrame::OnAbout);
    connect(tree(), &CXHtmlTree::objectSelected, this, &CMainFrame::OnObjectSelected);
    connect(content_, &COrvexStatic::previousRecordsClicked, this, &CMainFrame::OnPreviousRecords);
    connect(content_, &COrvexStatic::nextRecordsClicked, this, &CMainFrame::OnNextRecords);

    // Commands follow the busy flag, which background threads change.
    auto* commandTimer = new QTimer(this);
    connect(commandTimer, &QTimer::timeout, this, &CMainFrame::updateCommandStates);
    commandTimer->start(kCommandUpdateMilliseconds);

    SetCaptionText(QString::fromUtf8(kSelectFileCaption));
    ShowProgress(false);
    logLineCounter_ = 0;
    log_.close();
    updateCommandStates();
}

void CMainFrame::setOptionsProvider(std::function<bool(RecoveryOptions&)> provider) {
    optionsProvider_ = std::move(provider);
}
void CMainFrame::setTerminator(std::function<void(int)> terminator) { terminator_ = std::move(terminator); }
void CMainFrame::setHelpOpener(std::function<void()> opener) { helpOpener_ = std::move(opener); }
void CMainFrame::setSaveHandler(std::function<void()> handler) { saveHandler_ = std::move(handler); }

MessageSink& CMainFrame::messageSink() { return *messageSink_; }
TreeSink& CMainFrame::treeSink() { return *treeSink_; }
ContentSink& CMainFrame::contentSink() { return *contentSink_; }

CXHtmlTree* CMainFrame::tree() const { return treePane_->tree(); }
COrvexListCtrl* CMainFrame::logList() const { return logPane_->list(); }
QAction* CMainFrame::commandAction(Command command) const { return ribbon_->action(command); }

COrvexAboutDlg* CMainFrame::aboutBox() {
    if (!about_) about_ = new COrvexAboutDlg(this);  // kept for the life of the window
    return about_;
}

void CMainFrame::updateCommandStates() {
    ribbon_->action(Command::Stop)->setEnabled(context_.isRunning.load());
}

bool CMainFrame::isBusy() const { return context_.isRunning.load() || backgroundAlive_.load(); }

bool CMainFrame::refuseWhileBusy() {
    if (!isBusy()) return false;
    prompter_.information(this, QString::fromUtf8(kWaitForRunning));
    return true;
}

// --- Background thread ------------------------------------------------------------

bool CMainFrame::startBackground(std::function<void()> body) {
    if (backgroundAlive_) return false;
    if (background_.joinable()) background_.join();  // ended already; only reaped late
    backgroundAlive_ = true;
    background_ = std::thread([this, body = std::move(body)] {
        try {
            body();
        } catch (const std::exception&) {
            // Only the standard library throws (memory): the work is over.
            context_.isRunning = false;
        }
        backgroundAlive_ = false;
        QMetaObject::invokeMethod(this, [this] { reapBackground(); }, Qt::QueuedConnection);
    });
    updateCommandStates();
    return true;
}

void CMainFrame::reapBackground() {
    if (!backgroundAlive_ && background_.joinable()) background_.join();
    updateCommandStates();
}

void CMainFrame::waitForBackgroundThread() {
    // The thread may be waiting for this window: keep handling its calls.
    while (backgroundAlive_) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (background_.joinable()) background_.join();
    updateCommandStates();
}

void CMainFrame::releaseEngine() {
    // The display's page list and tree handles belong to the released run.
    objectDisplay_->resetForRun();
    engine_.release();
}

// --- Commands ------------------------------------------------------------------

void CMainFrame::OnOpen() {
    if (refuseWhileBusy()) return;
    if (!optionsProvider_ || !optionsProvider_(context_.options)) return;
    context_.isRunning = true;
    selectedPath_ = context_.options.mdfPath;

    tree()->deleteAll();
    content_->setDefinitionText(QString());
    content_->setPageLabel(QString());
    content_->deleteAllRows();
    content_->setPreviousEnabled(false);
    content_->setNextEnabled(false);

    const QString path = QString::fromStdString(selectedPath_);
    SetCaptionText(path);
    statusBar_->setProgressPos(0);
    ShowProgress(true);

    log_.open(context_.options.logFolder, currentLogTimestamp());
    AppendLogLine(path + QStringLiteral(" File is selected for recovery...."));

    releaseEngine();
    ClearPanels();
    startBackground([this, runPath = selectedPath_] {
        GuiRecoveryHost host(*this);
        RecoveryJob job{context_, engine_, host, *treeSink_, runPath, objectDisplay_.get()};
        runRecovery(job);
    });
}

void CMainFrame::OnStop() {
    if (!context_.isRunning) return;
    if (prompter_.askYesNo(this, QString::fromUtf8(kAskStop), PromptIcon::Information)) {
        context_.isRunning = false;
        context_.stopRequested = true;
    }
    updateCommandStates();
}

void CMainFrame::OnSave() {
    if (refuseWhileBusy()) return;
    if (saveHandler_)
        saveHandler_();
    else
        SaveCommand(*this)();
}

void CMainFrame::OnHelp() {
    if (context_.isRunning) {
        prompter_.information(this, QString::fromUtf8(kStopToContinue));
        return;
    }
    if (helpOpener_) helpOpener_();
}

void CMainFrame::OnAbout() {
    if (context_.isRunning) {
        prompter_.information(this, QString::fromUtf8(kStopToContinue));
        return;
    }
    aboutBox()->exec();
}

// --- Frame messages --------------------------------------------------------------

void CMainFrame::OnSetProgressRange(uint32_t lower, uint32_t upper) {
    statusBar_->setProgressRange(clampToInt(lower), clampToInt(upper));
}

void CMainFrame::OnSetProgressPos(uint32_t position) { statusBar_->setProgressPos(clampToInt(position)); }

void CMainFrame::OnSetStatusText(const QString& text) { content_->setDefinitionText(text); }

void CMainFrame::OnRecoveryError(const QString& text) {
    statusBar_->setProgressPos(0);
    content_->setDefinitionText(QString());
    releaseEngine();
    ClearPanels();
    prompter_.error(this, text);
}

void CMainFrame::OnAddLogLine(const QString& text) { AppendLogLine(text); }

int CMainFrame::OnObjectSelected(TreeItem item) {
    if (isBusy()) {
        // The item being displayed keeps the selection.
        if (tree()->widgetItem(remembered_)) {
            tree()->selectTreeItem(remembered_);
        } else {
            tree()->clearSelection();
            tree()->setCurrentItem(nullptr);
        }
        prompter_.information(this, QString::fromUtf8(kWaitForRunning));
        return 0;
    }
    context_.isRunning = true;
    remembered_ = item;
    content_->deleteAllRows();
    content_->setDefinitionText(QString());
    content_->setPageLabel(QString());
    const QString text = tree()->itemText(item);
    SetCaptionText(text);
    AppendLogLine(QStringLiteral("Please wait while ") + text + QStringLiteral(" folder is scanning."));
    statusBar_->setProgressPos(0);
    ShowProgress(true);
    if (display_) display_->resetPaging();
    startBackground([this, item] {
        if (display_) {
            display_->displaySelectedObject(item);
            return;
        }
        // Nothing loaded to display.
        context_.isRunning = false;
        contentSink_->showProgress(false);
    });
    return 1;
}

int CMainFrame::OnPreviousRecords() {
    if (refuseWhileBusy()) return 0;
    if (!display_) return 1;
    context_.isRunning = true;
    startBackground([this] { display_->showPreviousRecords(); });
    return 1;
}

int CMainFrame::OnNextRecords() {
    if (refuseWhileBusy()) return 0;
    if (!display_) return 1;
    context_.isRunning = true;
    startBackground([this] { display_->showNextRecords(); });
    return 1;
}

// --- Shared window operations --------------------------------------------------------

void CMainFrame::SetCaptionText(const QString& text) { caption_->setText(text); }

void CMainFrame::AppendLogLine(const QString& text) {
    int index = logLineCounter_++;
    logList()->insertLine(index, text);
    log_.writeLine(text.toStdString());
}

void CMainFrame::ReplaceLastLogLine(const QString& text) { logList()->replaceLastLine(text); }

void CMainFrame::WriteLogFileLine(const QString& text) { log_.writeLine(text.toStdString()); }

void CMainFrame::ShowProgress(bool show) { statusBar_->showProgress(show); }

void CMainFrame::ClearPanels() {
    content_->deleteAllColumns();
    content_->setDefinitionText(QString());
    tree()->deleteAll();
}

// --- Close ----------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (context_.isRunning) {
        prompter_.information(this, QString::fromUtf8(kStopToClose));
        event->ignore();
        return;
    }
    if (!prompter_.askYesNo(this, QString::fromUtf8(kAskClose), PromptIcon::Question)) {
        event->ignore();
        return;
    }
    // A stopped thread that has not ended yet still uses the engine objects;
    // the process ends below anyway.
    if (!backgroundAlive_) releaseEngine();
    if (log_.fileExists())
        prompter_.information(this, QString::fromUtf8(kLogFilePathPrefix) + QString::fromStdString(log_.path()));
    if (terminator_) terminator_(-1);
    event->accept();
}

}  // namespace pw::ui
