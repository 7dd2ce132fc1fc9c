#pragma once
// The command bar at the top of the frame: one category "Pagewright" with
// one panel holding the commands Open, Stop, Save, Help and About, drawn as
// large buttons with their text under the image.

#include <QWidget>
#include <map>

class QAction;

namespace pw::ui {

enum class Command { Open = 313, Stop = 314, Save = 315, Help = 319, About = 320 };

class CRibbonBar : public QWidget {
    Q_OBJECT
public:
    explicit CRibbonBar(QWidget* parent = nullptr);
    QAction* action(Command command) const;

private:
    std::map<Command, QAction*> actions_;
};

}  // namespace pw::ui
