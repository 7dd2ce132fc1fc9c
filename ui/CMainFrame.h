#pragma once
// The main window: the command bar, the caption bar, the tree pane, the log
// pane, the content panel and the status bar with its progress bar. It owns
// the commands (Open, Stop, Save, Help, About), the close procedure, the log
// and the engine objects of the current run, and it is the receiver of every
// report that background threads send (through the sinks, which call the
// handlers below on the window's thread while the sender waits).
//
// Display code plugs in through setDisplayController: tree selections and
// the paging buttons then run its operations on a background thread.

#include <QMainWindow>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "app/RecoveryLog.h"
#include "app/RunContext.h"
#include "presentation/EngineHolder.h"
#include "presentation/TreeSink.h"

class QAction;

namespace pw {
class ContentSink;
class DisplayController;
class ObjectDisplay;
class MessageSink;
}  // namespace pw

namespace pw::ui {

class COrvexAboutDlg;
class COrvexListCtrl;
class COrvexStatic;
class COutputWnd;
class CFileView;
class CMyCaptionBar;
class CRibbonBar;
class CRibbonStatusBarCls;
class CXHtmlTree;
class GuiMessageSink;
class GuiTreeSink;
class GuiContentSink;
class Prompter;
enum class Command;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // `context` and `prompter` must outlive the window.
    explicit CMainFrame(RunContext& context, Prompter& prompter, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // --- Plug-in points --------------------------------------------------
    // The display code for tree selections and paging (not owned; may be
    // null). The window starts with its own ObjectDisplay.
    void setDisplayController(DisplayController* controller) { display_ = controller; }
    // The window's own display code, which also builds the tree of each run.
    ObjectDisplay& objectDisplay() { return *objectDisplay_; }
    // Shows the options dialog; true when confirmed. Default: the dialog.
    void setOptionsProvider(std::function<bool(RecoveryOptions&)> provider);
    // Ends the process after a confirmed Close. Default: immediate exit -1.
    void setTerminator(std::function<void(int)> terminator);
    // Opens the help page. Default: the system's URL handler.
    void setHelpOpener(std::function<void()> opener);
    // Runs the Save command when idle. Default: nothing.
    void setSaveHandler(std::function<void()> handler);
    // Starts `body` on the one background thread (the Save command's export);
    // false while another background thread still runs.
    bool runInBackground(std::function<void()> body) { return startBackground(std::move(body)); }

    // The interfaces background threads use.
    MessageSink& messageSink();
    TreeSink& treeSink();
    ContentSink& contentSink();

    // --- Commands --------------------------------------------------------
    void OnOpen();
    void OnStop();
    void OnSave();
    void OnHelp();
    void OnAbout();

    // --- Frame messages (window thread) ------------------------------------
    void OnSetProgressRange(uint32_t lower, uint32_t upper);
    void OnSetProgressPos(uint32_t position);
    void OnSetStatusText(const QString& text);
    void OnRecoveryError(const QString& text);
    void OnAddLogLine(const QString& text);
    int OnObjectSelected(TreeItem item);
    int OnPreviousRecords();
    int OnNextRecords();

    // --- Shared window operations -------------------------------------------
    void SetCaptionText(const QString& text);
    void AppendLogLine(const QString& text);
    void ReplaceLastLogLine(const QString& text);
    void WriteLogFileLine(const QString& text);
    void ShowProgress(bool show);
    // Deletes the record list's rows and columns, empties the definition
    // window and the tree.
    void ClearPanels();

    // True while a run or display is flagged, or a stopped thread has not
    // yet ended; commands that start work are refused meanwhile.
    bool isBusy() const;
    // Waits (handling window events) until the background thread has ended.
    void waitForBackgroundThread();

    RunContext& context() { return context_; }
    RecoveryLog& log() { return log_; }
    EngineHolder& engine() { return engine_; }
    Prompter& prompter() { return prompter_; }
    CXHtmlTree* tree() const;
    COrvexStatic* contentPanel() const { return content_; }
    COrvexListCtrl* logList() const;
    CFileView* treePane() const { return treePane_; }
    COutputWnd* logPane() const { return logPane_; }
    CMyCaptionBar* captionBar() const { return caption_; }
    CRibbonStatusBarCls* statusBarCls() const { return statusBar_; }
    QAction* commandAction(Command command) const;
    COrvexAboutDlg* aboutBox();
    TreeItem rememberedItem() const { return remembered_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void buildWindow();
    void updateCommandStates();
    void releaseEngine();
    // Starts the one background thread; false when one still runs.
    bool startBackground(std::function<void()> body);
    void reapBackground();
    bool refuseWhileBusy();

    RunContext& context_;
    Prompter& prompter_;
    RecoveryLog log_;
    int logLineCounter_ = 0;
    EngineHolder engine_;
    DisplayController* display_ = nullptr;
    TreeItem remembered_ = kNoTreeItem;
    std::string selectedPath_;

    CRibbonBar* ribbon_ = nullptr;
    CMyCaptionBar* caption_ = nullptr;
    CFileView* treePane_ = nullptr;
    COutputWnd* logPane_ = nullptr;
    COrvexStatic* content_ = nullptr;
    CRibbonStatusBarCls* statusBar_ = nullptr;
    COrvexAboutDlg* about_ = nullptr;

    std::unique_ptr<GuiMessageSink> messageSink_;
    std::unique_ptr<GuiTreeSink> treeSink_;
    std::unique_ptr<GuiContentSink> contentSink_;
    std::unique_ptr<ObjectDisplay> objectDisplay_;

    std::function<bool(RecoveryOptions&)> optionsProvider_;
    std::function<void(int)> terminator_;
    std::function<void()> helpOpener_;
    std::function<void()> saveHandler_;

    std::thread background_;
    std::atomic<bool> backgroundAlive_{false};
};

}  // namespace pw::ui
