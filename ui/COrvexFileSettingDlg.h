#pragma once
// The options dialog "Select Corrupted MDF file" shown before every recovery
// run: the data file, the recovery mode, the deleted-record switches, the
// collation choice and the log folder. OK validates the two paths and writes
// the options; the collation controls write their two fields at once, so
// Cancel keeps their effect.

#include <QDialog>

#include "app/RecoveryOptions.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pw::ui {

class Prompter;

class COrvexFileSettingDlg : public QDialog {
    Q_OBJECT
public:
    COrvexFileSettingDlg(RecoveryOptions& options, Prompter& prompter, QWidget* parent = nullptr);

    // The desktop folder (created when missing), with native separators.
    static QString desktopFolder();

    // Handlers of the controls, callable directly by tests.
    void chooseMdfFile();                           // "..." beside the MDF path
    void acceptChosenMdfPath(const QString& path);  // what the file chooser returned
    void chooseLogFolder();                         // "..." beside the log folder
    void acceptChosenLogFolder(const QString& path);
    void onAutoDetect();
    void onManual();
    void onCollationChanged(int index);
    void onOk();

    QLineEdit* mdfPathEdit() const { return mdfPath_; }
    QLineEdit* logFolderEdit() const { return logFolder_; }
    QComboBox* modeList() const { return mode_; }
    QComboBox* collationList() const { return collation_; }
    QCheckBox* sql2000Box() const { return sql2000_; }
    QCheckBox* showDeletedBox() const { return showDeleted_; }
    QCheckBox* showAdvancedDeletedBox() const { return showAdvancedDeleted_; }
    QRadioButton* autoDetectButton() const { return autoDetect_; }
    QRadioButton* manualButton() const { return manual_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void buildControls();
    void initialise();

    RecoveryOptions& options_;
    Prompter& prompter_;
    QLineEdit* mdfPath_ = nullptr;
    QPushButton* browseMdf_ = nullptr;
    QComboBox* mode_ = nullptr;
    QCheckBox* sql2000_ = nullptr;
    QCheckBox* showDeleted_ = nullptr;
    QCheckBox* showAdvancedDeleted_ = nullptr;
    QRadioButton* autoDetect_ = nullptr;
    QRadioButton* manual_ = nullptr;
    QComboBox* collation_ = nullptr;
    QLineEdit* logFolder_ = nullptr;
    QPushButton* browseLog_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace pw::ui
