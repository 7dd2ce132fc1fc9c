#include "ui/Prompter.h"

#include <QMessageBox>

#include "ui/AppTexts.h"

namespace pw::ui {
namespace {

QMessageBox::Icon boxIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Error: return QMessageBox::Critical;
        case PromptIcon::Question: return QMessageBox::Question;
        case PromptIcon::Information: break;
    }
    return QMessageBox::Information;
}

}  // namespace

void MessageBoxPrompter::message(QWidget* owner, const QString& text, PromptIcon icon) {
    QMessageBox box(boxIcon(icon), QString::fromUtf8(kAppTitle), text, QMessageBox::Ok, owner);
    box.exec();
}

bool MessageBoxPrompter::askYesNo(QWidget* owner, const QString& text, PromptIcon icon) {
    QMessageBox box(boxIcon(icon), QString::fromUtf8(kAppTitle), text, QMessageBox::Yes | QMessageBox::No, owner);
    return box.exec() == QMessageBox::Yes;
}

Prompter& defaultPrompter() {
    static MessageBoxPrompter prompter;
    return prompter;
}

}  // namespace pw::ui
