#pragma once
// A prompter for the GUI tests: records every box and answers Yes/No
// questions from a preset answer, without any modal loop.

#include <QString>
#include <QStringList>
#include <mutex>

#include "ui/Prompter.h"

namespace pw::ui::test {

class TestPrompter : public Prompter {
public:
    void message(QWidget*, const QString& text, PromptIcon icon) override {
        std::lock_guard lock(mutex_);
        messages_ << text;
        icons_.push_back(icon);
    }
    bool askYesNo(QWidget*, const QString& text, PromptIcon icon) override {
        std::lock_guard lock(mutex_);
        questions_ << text;
        icons_.push_back(icon);
        return answer;
    }
    QStringList messages() const {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    QStringList questions() const {
        std::lock_guard lock(mutex_);
        return questions_;
    }
    PromptIcon lastIcon() const {
        std::lock_guard lock(mutex_);
        return icons_.empty() ? PromptIcon::Information : icons_.back();
    }
    void clear() {
        std::lock_guard lock(mutex_);
        messages_.clear();
        questions_.clear();
        icons_.clear();
    }

    bool answer = false;

private:
    mutable std::mutex mutex_;
    QStringList messages_;
    QStringList questions_;
    std::vector<PromptIcon> icons_;
};

}  // namespace pw::ui::test
