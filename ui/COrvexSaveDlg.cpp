#include "ui/COrvexSaveDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/Prompter.h"

namespace pw::ui {
namespace {

QLineEdit* pathField(QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    field->setMinimumWidth(320);
    return field;
}

}  // namespace

COrvexSaveDlg::COrvexSaveDlg(Prompter& prompter, QWidget* parent) : QDialog(parent), prompter_(prompter) {
    setWindowTitle(QStringLiteral("Select Saving Mode"));
    auto* layout = new QVBoxLayout(this);

    auto* targets = new QGroupBox(this);
    auto* grid = new QGridLayout(targets);
    scriptRadio_ = new QRadioButton(QStringLiteral("SQL Server Compatible SQL Scripts"), targets);
    scriptRadio_->setObjectName(QStringLiteral("1013"));
    scriptFolder_ = pathField(targets);
    scriptFolder_->setObjectName(QStringLiteral("1019"));
    scriptBrowse_ = new QPushButton(QStringLiteral("...."), targets);
    scriptBrowse_->setObjectName(QStringLiteral("1020"));
    compatible_ = new QCheckBox(QStringLiteral("Create Compatible queries(Support older version)"), targets);
    compatible_->setObjectName(QStringLiteral("1000"));
    perTable_ = new QCheckBox(QStringLiteral("One script file per table"), targets);
    csvRadio_ = new QRadioButton(QStringLiteral("CSV Files (one per table)"), targets);
    csvFolder_ = pathField(targets);
    csvBrowse_ = new QPushButton(QStringLiteral("...."), targets);
    sqliteRadio_ = new QRadioButton(QStringLiteral("SQLite Database"), targets);
    sqliteFile_ = pathField(targets);
    sqliteBrowse_ = new QPushButton(QStringLiteral("...."), targets);
    grid->addWidget(scriptRadio_, 0, 0, 1, 3);
    grid->addWidget(scriptFolder_, 1, 0, 1, 2);
    grid->addWidget(scriptBrowse_, 1, 2);
    grid->addWidget(compatible_, 2, 0, 1, 3);
    grid->addWidget(perTable_, 3, 0, 1, 3);
    grid->addWidget(csvRadio_, 4, 0, 1, 3);
    grid->addWidget(csvFolder_, 5, 0, 1, 2);
    grid->addWidget(csvBrowse_, 5, 2);
    grid->addWidget(sqliteRadio_, 6, 0, 1, 3);
    grid->addWidget(sqliteFile_, 7, 0, 1, 2);
    grid->addWidget(sqliteBrowse_, 7, 2);
    layout->addWidget(targets);
    auto* targetGroup = new QButtonGroup(this);
    for (QRadioButton* radio : {scriptRadio_, csvRadio_, sqliteRadio_}) targetGroup->addButton(radio);
    scriptRadio_->setChecked(true);

    auto* content = new QGroupBox(this);
    auto* contentLayout = new QGridLayout(content);
    schemaAndData_ = new QRadioButton(QStringLiteral("Export with schema and data"), content);
    schemaAndData_->setObjectName(QStringLiteral("1022"));
    schemaOnly_ = new QRadioButton(QStringLiteral("Export with only schema"), content);
    schemaOnly_->setObjectName(QStringLiteral("1021"));
    maximumLength_ = new QCheckBox(QStringLiteral("Save maximum length of column"), content);
    maximumLength_->setObjectName(QStringLiteral("1008"));
    maximumLength_->setChecked(true);
    collation_ = new QCheckBox(QStringLiteral("Save Collation of columns which are set manually"), content);
    collation_->setObjectName(QStringLiteral("1001"));
    contentLayout->addWidget(schemaAndData_, 0, 0);
    contentLayout->addWidget(schemaOnly_, 0, 1);
    contentLayout->addWidget(maximumLength_, 1, 0);
    contentLayout->addWidget(collation_, 1, 1);
    layout->addWidget(content);
    auto* contentGroup = new QButtonGroup(this);
    contentGroup->addButton(schemaAndData_);
    contentGroup->addButton(schemaOnly_);
    schemaAndData_->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &COrvexSaveDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COrvexSaveDlg::reject);
    connect(scriptBrowse_, &QPushButton::clicked, this,
            [this] { chooseFolder(scriptFolder_, QStringLiteral("Select location to save SQL script(s).")); });
    connect(csvBrowse_, &QPushButton::clicked, this,
            [this] { chooseFolder(csvFolder_, QStringLiteral("Select location to save CSV file(s).")); });
    connect(sqliteBrowse_, &QPushButton::clicked, this, &COrvexSaveDlg::chooseSqliteFile);
    connect(targetGroup, &QButtonGroup::buttonToggled, this, [this] { updateEnabled(); });
    connect(contentGroup, &QButtonGroup::buttonToggled, this, [this] { updateEnabled(); });
    updateEnabled();
}

void COrvexSaveDlg::updateEnabled() {
    bool script = scriptRadio_->isChecked(), csv = csvRadio_->isChecked(), sqlite = sqliteRadio_->isChecked();
    scriptFolder_->setEnabled(script);
    scriptBrowse_->setEnabled(script);
    compatible_->setEnabled(script && !schemaOnly_->isChecked());
    perTable_->setEnabled(script);
    csvFolder_->setEnabled(csv);
    csvBrowse_->setEnabled(csv);
    sqliteFile_->setEnabled(sqlite);
    sqliteBrowse_->setEnabled(sqlite);
    maximumLength_->setEnabled(script);
    collation_->setEnabled(script);
}

void COrvexSaveDlg::chooseFolder(QLineEdit* field, const QString& title) {
    QString folder = QFileDialog::getExistingDirectory(this, title, field->text());
    if (!folder.trimmed().isEmpty()) field->setText(QDir::toNativeSeparators(folder.trimmed()));
}

void COrvexSaveDlg::chooseSqliteFile() {
    QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Save recovered data as"), sqliteFile_->text(),
                                                QStringLiteral("SQLite database (*.sqlite *.db)"), nullptr,
                                                QFileDialog::DontConfirmOverwrite);
    if (!file.isEmpty()) sqliteFile_->setText(QDir::toNativeSeparators(file));
}

void COrvexSaveDlg::accept() {
    if (scriptRadio_->isChecked() || csvRadio_->isChecked()) {
        QLineEdit* field = scriptRadio_->isChecked() ? scriptFolder_ : csvFolder_;
        if (field->text().isEmpty() || !QFileInfo(field->text()).isDir()) {
            prompter_.information(this, QStringLiteral("Please select valid folder path to save the recovered data."));
            return;
        }
    } else {
        QFileInfo file(sqliteFile_->text());
        if (sqliteFile_->text().isEmpty() || file.isDir() || !file.absoluteDir().exists()) {
            prompter_.information(this, QStringLiteral("Please select valid file path to save the recovered data."));
            return;
        }
    }
    QDialog::accept();
}

ExportOptions COrvexSaveDlg::options() const {
    ExportOptions options;
    if (scriptRadio_->isChecked()) {
        options.target = ExportTarget::SqlScript;
        options.outputPath = QDir::fromNativeSeparators(scriptFolder_->text()).toStdString();
    } else if (csvRadio_->isChecked()) {
        options.target = ExportTarget::Csv;
        options.outputPath = QDir::fromNativeSeparators(csvFolder_->text()).toStdString();
    } else {
        options.target = ExportTarget::Sqlite;
        options.outputPath = QDir::fromNativeSeparators(sqliteFile_->text()).toStdString();
    }
    options.schemaOnly = schemaOnly_->isChecked();
    options.compatibleInserts = compatible_->isChecked();
    options.scriptPerTable = perTable_->isChecked();
    options.keepMaxLength = maximumLength_->isChecked();
    options.saveCollation = collation_->isChecked();
    return options;
}

}  // namespace pw::ui
