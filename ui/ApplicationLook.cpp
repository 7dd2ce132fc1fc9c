#include "ui/ApplicationLook.h"

#include <QApplication>
#include <QPalette>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>

namespace pw::ui {
namespace {

constexpr const char* kSettingName = "ApplicationLook";

struct Look {
    int id;
    const char* style;
    QColor window;  // invalid: the style's own palette
    QColor highlight;
};

// 210 Windows 2000, 211 Office XP, 212 Windows XP, 213 Office 2003,
// 214 Visual Studio .NET 2005, 215-218 Office 2007 blue, black, silver, aqua.
const Look kLooks[] = {
    {210, "Windows", QColor(), QColor()},
    {211, "Windows", QColor(236, 233, 216), QColor(49, 106, 197)},
    {212, "Fusion", QColor(), QColor()},
    {213, "Fusion", QColor(216, 228, 248), QColor(49, 106, 197)},
    {214, "Fusion", QColor(238, 237, 229), QColor(51, 94, 168)},
    {215, "Fusion", QColor(214, 228, 245), QColor(61, 123, 200)},
    {216, "Fusion", QColor(83, 83, 83), QColor(240, 160, 60)},
    {217, "Fusion", QColor(221, 225, 230), QColor(96, 120, 150)},
    {218, "Fusion", QColor(207, 221, 232), QColor(48, 140, 170)},
};

const Look* findLook(int id) {
    for (const Look& look : kLooks)
        if (look.id == id) return &look;
    return nullptr;
}

QPalette paletteFor(const Look& look, const QPalette& base) {
    QPalette palette = base;
    if (!look.window.isValid()) return palette;
    const bool dark = look.window.lightness() < 128;
    palette.setColor(QPalette::Window, look.window);
    palette.setColor(QPalette::Button, dark ? look.window.lighter(130) : look.window.lighter(106));
    palette.setColor(QPalette::WindowText, dark ? Qt::white : Qt::black);
    palette.setColor(QPalette::ButtonText, dark ? Qt::white : Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, look.window.lighter(110));
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Highlight, look.highlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Dark, look.window.darker(160));
    palette.setColor(QPalette::Mid, look.window.darker(130));
    return palette;
}

}  // namespace

int storedApplicationLook(const QSettings& settings) {
    bool ok = false;
    int look = settings.value(kSettingName, kDefaultApplicationLook).toInt(&ok);
    return ok && findLook(look) ? look : kDefaultApplicationLook;
}

void applyApplicationLook(int id) {
    const Look* look = findLook(id);
    if (!look) look = findLook(kDefaultApplicationLook);
    if (QStyle* style = QStyleFactory::create(QString::fromLatin1(look->style))) QApplication::setStyle(style);
    QApplication::setPalette(paletteFor(*look, QApplication::style()->standardPalette()));
}

int setUpApplicationLook(QSettings& settings) {
    int look = storedApplicationLook(settings);
    applyApplicationLook(look);
    settings.setValue(kSettingName, look);
    return look;
}

}  // namespace pw::ui
