#pragma once
// "Select Saving Mode": where and how the recovered tables are saved. The
// script group keeps its folder chooser and options; in place of the
// live-server group, which needs a server this tool does not ship, the CSV
// folder and the SQLite file targets.

#include <QDialog>

#include "export/ExportOptions.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pw::ui {

class Prompter;

class COrvexSaveDlg : public QDialog {
    Q_OBJECT
public:
    COrvexSaveDlg(Prompter& prompter, QWidget* parent = nullptr);

    // The choices, valid after the dialog was accepted.
    ExportOptions options() const;

    // For tests: the controls by their resource ids.
    QRadioButton* scriptRadio() const { return scriptRadio_; }
    QRadioButton* csvRadio() const { return csvRadio_; }
    QRadioButton* sqliteRadio() const { return sqliteRadio_; }
    QLineEdit* scriptFolder() const { return scriptFolder_; }
    QLineEdit* csvFolder() const { return csvFolder_; }
    QLineEdit* sqliteFile() const { return sqliteFile_; }
    QRadioButton* schemaOnlyRadio() const { return schemaOnly_; }
    QCheckBox* compatibleBox() const { return compatible_; }
    QCheckBox* maximumLengthBox() const { return maximumLength_; }
    QCheckBox* collationBox() const { return collation_; }
    QCheckBox* perTableBox() const { return perTable_; }

    void accept() override;

private:
    void updateEnabled();
    void chooseFolder(QLineEdit* field, const QString& title);
    void chooseSqliteFile();

    Prompter& prompter_;
    QRadioButton* scriptRadio_;
    QRadioButton* csvRadio_;
    QRadioButton* sqliteRadio_;
    QLineEdit* scriptFolder_;
    QLineEdit* csvFolder_;
    QLineEdit* sqliteFile_;
    QPushButton* scriptBrowse_;
    QPushButton* csvBrowse_;
    QPushButton* sqliteBrowse_;
    QCheckBox* compatible_;
    QCheckBox* perTable_;
    QRadioButton* schemaAndData_;
    QRadioButton* schemaOnly_;
    QCheckBox* maximumLength_;
    QCheckBox* collation_;
};

}  // namespace pw::ui
