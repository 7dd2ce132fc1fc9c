#pragma once
// The application's images, drawn at run time.

#include <QIcon>
#include <QPixmap>

namespace pw::ui::icons {

QIcon open();
QIcon stop();
QIcon save();
QIcon help();
QIcon about();
QIcon application();
// The one image of every object tree item.
QIcon treeNode();
// The image at the left of the caption bar.
QPixmap caption();
QIcon previousRecords();
QIcon nextRecords();
// The header across the top of the About box.
QPixmap aboutHeader(int width, int height, const QString& title);

}  // namespace pw::ui::icons
