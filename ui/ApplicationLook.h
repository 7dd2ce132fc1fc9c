#pragma once
// The visual look of the application, kept in the settings value
// "ApplicationLook" (ids 210 to 218, default 215) and applied once when the
// main window is created. Each id maps to a Qt style and palette.

class QSettings;

namespace pw::ui {

constexpr int kDefaultApplicationLook = 215;

// The stored look; a missing or unknown value gives the default.
int storedApplicationLook(const QSettings& settings);
// Sets the application's style and palette for `look`.
void applyApplicationLook(int look);
// Reads the stored look, applies it and writes it back; returns it.
int setUpApplicationLook(QSettings& settings);

}  // namespace pw::ui
