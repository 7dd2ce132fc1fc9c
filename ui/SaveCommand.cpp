#include "ui/SaveCommand.h"

#include <filesystem>

#include <QMetaObject>

#include "catalog/Database.h"
#include "export/Exporter.h"
#include "export/SqlScriptWriter.h"
#include "ui/AppTexts.h"
#include "ui/CMainFrame.h"
#include "ui/COrvexSaveDlg.h"
#include "ui/CXHtmlTree.h"
#include "ui/Prompter.h"

namespace pw::ui {
namespace {

TreeItem childNamed(const CXHtmlTree& tree, TreeItem parent, const QString& text) {
    for (TreeItem item = tree.firstChild(parent); item != kNoTreeItem; item = tree.nextSibling(item))
        if (tree.itemText(item) == text) return item;
    return kNoTreeItem;
}

}  // namespace

std::vector<std::string> SaveCommand::checkedUserTables(const CXHtmlTree& tree) {
    std::vector<std::string> names;
    for (int top = 0; top < tree.topLevelItemCount(); ++top) {
        TreeItem root = tree.handleOf(tree.topLevelItem(top));
        TreeItem tables = childNamed(tree, root, QStringLiteral("Tables"));
        TreeItem user = tables == kNoTreeItem ? kNoTreeItem : childNamed(tree, tables, QStringLiteral("User Tables"));
        if (user == kNoTreeItem) continue;
        for (TreeItem item = tree.firstChild(user); item != kNoTreeItem; item = tree.nextSibling(item))
            if (tree.checkModel().isChecked(item)) names.push_back(tree.itemText(item).toStdString());
    }
    return names;
}

std::vector<std::string> SaveCommand::existingOutputs(const ExportOptions& options,
                                                      const std::vector<std::string>& tableNames) {
    std::vector<std::string> existing;
    std::error_code ec;
    auto check = [&](const std::filesystem::path& path) {
        if (std::filesystem::exists(path, ec)) existing.push_back(path.string());
    };
    std::filesystem::path folder(options.outputPath);
    switch (options.target) {
        case ExportTarget::Sqlite: check(folder); break;
        case ExportTarget::Csv:
            for (const std::string& table : tableNames) check(folder / (safeFileName(table) + ".csv"));
            break;
        case ExportTarget::SqlScript:
            if (options.scriptPerTable) {
                for (const std::string& table : tableNames) check(folder / (safeFileName("dbo." + table) + ".sql"));
                check(folder / (safeFileName(options.databaseName) + "_objects.sql"));
            } else {
                check(folder / (safeFileName(options.databaseName) + ".sql"));
            }
            break;
    }
    return existing;
}

void SaveCommand::operator()() {
    Prompter& prompter = frame_.prompter();
    EngineHolder& engine = frame_.engine();
    if (!engine.hasDatabase() || !engine.hasFile()) {
        prompter.information(&frame_, QStringLiteral("Please open a database file to save its recovered data."));
        return;
    }
    ExportOptions options;
    if (chooseOptions) {
        if (!chooseOptions(options)) return;
    } else {
        COrvexSaveDlg dialog(prompter, &frame_);
        if (dialog.exec() != QDialog::Accepted) return;
        options = dialog.options();
    }
    if (frame_.tree()) options.tables = checkedUserTables(*frame_.tree());
    options.databaseName = scriptBaseName(engine.file->databaseName);
    options.sourcePath = engine.file->path;

    std::vector<std::string> names = options.tables;
    if (names.empty())
        for (const CatalogObject& object : engine.database->objects)
            if (object.type == "U " && !object.name.empty()) names.push_back(object.name);
    std::vector<std::string> existing = existingOutputs(options, names);
    if (!existing.empty()) {
        QString text = QString::fromStdString(existing.front()) +
                       (existing.size() > 1 ? QStringLiteral(" and %1 other file(s)").arg(existing.size() - 1) : QString()) +
                       QStringLiteral(" already exist. Do you want to replace them?");
        if (!prompter.askYesNo(&frame_, text, PromptIcon::Question)) return;
        options.overwrite = true;
    }

    RunContext& context = frame_.context();
    context.isRunning = true;
    context.stopRequested = false;
    frame_.ShowProgress(true);
    frame_.SetCaptionText(QStringLiteral("Saving recovered data..........."));
    CMainFrame* frame = &frame_;
    bool started = frame_.runInBackground([frame, options] {
        EngineHolder& holder = frame->engine();
        ExportSummary summary = exportDatabase(*holder.database, *holder.file, frame->context(), options);
        QMetaObject::invokeMethod(
            frame,
            [frame, summary] {
                frame->context().isRunning = false;
                frame->context().stopRequested = false;
                frame->ShowProgress(false);
                uint64_t rows = 0, undecodable = 0;
                for (const TableExportSummary& table : summary.tables) {
                    rows += table.rows;
                    undecodable += table.undecodableValues;
                }
                QString line = QStringLiteral("Saved %1 rows of %2 table(s); %3 values could not be decoded.")
                                   .arg(rows)
                                   .arg(summary.tables.size())
                                   .arg(undecodable);
                frame->AppendLogLine(line);
                frame->SetCaptionText(line);
                if (!summary.ok)
                    frame->prompter().error(frame, QString::fromStdString(summary.error));
                else
                    frame->prompter().information(frame, summary.stopped ? QStringLiteral("Saving process stopped.")
                                                                         : QStringLiteral("Saving process completed."));
            },
            Qt::BlockingQueuedConnection);
    });
    if (!started) {
        context.isRunning = false;
        frame_.ShowProgress(false);
        prompter.information(&frame_, QString::fromUtf8(kWaitForRunning));
    }
}

}  // namespace pw::ui
