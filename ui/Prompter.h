#pragma once
// Message boxes go through a Prompter so that tests can answer and observe
// them without a modal loop. Every box is titled with the application title.

#include <QString>

class QWidget;

namespace pw::ui {

enum class PromptIcon { Information, Error, Question };

class Prompter {
public:
    virtual ~Prompter() = default;
    // A box with an OK button; returns when it is closed.
    virtual void message(QWidget* owner, const QString& text, PromptIcon icon) = 0;
    // A box with Yes and No; true for Yes.
    virtual bool askYesNo(QWidget* owner, const QString& text, PromptIcon icon) = 0;

    void information(QWidget* owner, const QString& text) { message(owner, text, PromptIcon::Information); }
    void error(QWidget* owner, const QString& text) { message(owner, text, PromptIcon::Error); }
};

// The real boxes (QMessageBox).
class MessageBoxPrompter : public Prompter {
public:
    void message(QWidget* owner, const QString& text, PromptIcon icon) override;
    bool askYesNo(QWidget* owner, const QString& text, PromptIcon icon) override;
};

// The application's prompter unless a window is given another one.
Prompter& defaultPrompter();

}  // namespace pw::ui
