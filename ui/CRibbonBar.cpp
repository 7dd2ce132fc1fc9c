#include "ui/CRibbonBar.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/Icons.h"

namespace pw::ui {
namespace {

struct CommandSpec {
    Command command;
    const char* text;
    const char* toolTip;
    QIcon (*icon)();
};

const CommandSpec kCommands[] = {
    {Command::Open, "Open", "Open Database file", icons::open},
    {Command::Stop, "Stop", "Stop running process", icons::stop},
    {Command::Save, "Save", "Save recovered data", icons::save},
    {Command::Help, "Help", "Help for Orvex Pagewright", icons::help},
    {Command::About, "About", "About Orvex Pagewright", icons::about},
};

}  // namespace

CRibbonBar::CRibbonBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ribbonBar"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->setSpacing(0);

    auto* tabs = new QHBoxLayout;
    tabs->setSpacing(4);
    auto* applicationButton = new QToolButton(this);
    applicationButton->setObjectName(QStringLiteral("applicationButton"));
    applicationButton->setIcon(icons::application());
    applicationButton->setIconSize(QSize(24, 24));
    applicationButton->setAutoRaise(true);
    tabs->addWidget(applicationButton);
    auto* category = new QTabBar(this);
    category->setObjectName(QStringLiteral("ribbonCategory"));
    category->addTab(QStringLiteral("Pagewright"));
    category->setDrawBase(false);
    tabs->addWidget(category, 0, Qt::AlignBottom);
    tabs->addStretch(1);
    outer->addLayout(tabs);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("ribbonPanel"));
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(4, 2, 4, 2);
    buttons->setSpacing(2);
    for (const CommandSpec& spec : kCommands) {
        auto* action = new QAction(spec.icon(), QString::fromUtf8(spec.text), this);
        action->setToolTip(QString::fromUtf8(spec.toolTip));
        action->setObjectName(QStringLiteral("command%1").arg(int(spec.command)));
        actions_[spec.command] = action;
        auto* button = new QToolButton(panel);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(32, 32));
        button->setAutoRaise(true);
        button->setMinimumWidth(52);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    outer->addWidget(panel);
}

QAction* CRibbonBar::action(Command command) const {
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

}  // namespace pw::ui
