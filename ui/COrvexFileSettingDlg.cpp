#include "ui/COrvexFileSettingDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "ui/Prompter.h"

namespace pw::ui {
namespace {

// Shows the wait cursor for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QPushButton* browseButton(QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("..."), parent);
    button->setAutoDefault(false);
    button->setFixedWidth(36);
    return button;
}

}  // namespace

COrvexFileSettingDlg::COrvexFileSettingDlg(RecoveryOptions& options, Prompter& prompter, QWidget* parent)
    : QDialog(parent), options_(options), prompter_(prompter) {
    setObjectName(QStringLiteral("fileSettingDialog"));
    setWindowTitle(QStringLiteral("Select Corrupted MDF file"));
    setModal(true);
    buildControls();
    initialise();
}

void COrvexFileSettingDlg::buildControls() {
    auto* layout = new QVBoxLayout(this);

    auto* fileGroup = new QGroupBox(this);
    auto* fileGrid = new QGridLayout(fileGroup);
    fileGrid->addWidget(new QLabel(QStringLiteral("Select MDF File Path:"), fileGroup), 0, 0);
    mdfPath_ = new QLineEdit(fileGroup);
    mdfPath_->setObjectName(QStringLiteral("mdfPath"));
    mdfPath_->setReadOnly(true);
    mdfPath_->setMinimumWidth(360);
    fileGrid->addWidget(mdfPath_, 0, 1, 1, 2);
    browseMdf_ = browseButton(fileGroup);
    fileGrid->addWidget(browseMdf_, 0, 3);
    fileGrid->addWidget(new QLabel(QStringLiteral("Select Recovery Mode:"), fileGroup), 1, 0);
    mode_ = new QComboBox(fileGroup);
    mode_->setObjectName(QStringLiteral("recoveryMode"));
    fileGrid->addWidget(mode_, 1, 1);
    sql2000_ = new QCheckBox(QStringLiteral("Is SQL 2000"), fileGroup);
    fileGrid->addWidget(sql2000_, 1, 2);
    showDeleted_ = new QCheckBox(QStringLiteral("Show deleted records"), fileGroup);
    fileGrid->addWidget(showDeleted_, 2, 1);
    showAdvancedDeleted_ = new QCheckBox(QStringLiteral("Show Advanced Deleted records"), fileGroup);
    fileGrid->addWidget(showAdvancedDeleted_, 2, 2, 1, 2);
    fileGrid->setColumnStretch(2, 1);
    layout->addWidget(fileGroup);

    auto* collationGroup = new QGroupBox(QStringLiteral("Collation Option:"), this);
    auto* collationRow = new QHBoxLayout(collationGroup);
    autoDetect_ = new QRadioButton(QStringLiteral("Auto detect"), collationGroup);
    manual_ = new QRadioButton(QStringLiteral("Manual"), collationGroup);
    // Each radio button is its own group; the handlers switch them.
    autoDetect_->setAutoExclusive(false);
    manual_->setAutoExclusive(false);
    collation_ = new QComboBox(collationGroup);
    collation_->setObjectName(QStringLiteral("collationList"));
    collation_->setMinimumWidth(220);
    collationRow->addWidget(autoDetect_);
    collationRow->addSpacing(24);
    collationRow->addWidget(manual_);
    collationRow->addWidget(collation_);
    collationRow->addStretch(1);
    layout->addWidget(collationGroup);

    auto* logGroup = new QGroupBox(this);
    auto* logGrid = new QGridLayout(logGroup);
    logGrid->addWidget(new QLabel(QStringLiteral("Select Log file path:"), logGroup), 0, 0, 1, 2);
    logFolder_ = new QLineEdit(logGroup);
    logFolder_->setObjectName(QStringLiteral("logFolder"));
    logFolder_->setReadOnly(true);
    logGrid->addWidget(logFolder_, 1, 0);
    browseLog_ = browseButton(logGroup);
    logGrid->addWidget(browseLog_, 1, 1);
    layout->addWidget(logGroup);

    auto* buttons = new QHBoxLayout;
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(browseMdf_, &QPushButton::clicked, this, &COrvexFileSettingDlg::chooseMdfFile);
    connect(browseLog_, &QPushButton::clicked, this, &COrvexFileSettingDlg::chooseLogFolder);
    connect(autoDetect_, &QRadioButton::clicked, this, &COrvexFileSettingDlg::onAutoDetect);
    connect(manual_, &QRadioButton::clicked, this, &COrvexFileSettingDlg::onManual);
    connect(collation_, &QComboBox::currentIndexChanged, this, &COrvexFileSettingDlg::onCollationChanged);
    connect(ok_, &QPushButton::clicked, this, &COrvexFileSettingDlg::onOk);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void COrvexFileSettingDlg::initialise() {
    // Position 0 means mode 1 (Standard), position 1 mode 2 (Advanced).
    mode_->insertItem(0, QStringLiteral("Standard Mode"));
    mode_->insertItem(1, QStringLiteral("Advanced Mode"));
    mode_->setCurrentIndex(0);

    onAutoDetect();

    // Every collation of the list, shown sorted by name, carrying its id.
    std::vector<std::pair<QString, int64_t>> entries;
    for (const auto& [id, entry] : options_.collations) entries.emplace_back(QString::fromStdString(entry.name), id);
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
    });
    {
        QSignalBlocker quiet(collation_);
        for (const auto& [name, id] : entries) collation_->addItem(name, QVariant::fromValue<qlonglong>(id));
    }
    if (collation_->count() > 0) {
        collation_->setCurrentIndex(0);
        onCollationChanged(0);
    }

    logFolder_->setText(desktopFolder());
    sql2000_->setChecked(false);
    showDeleted_->setChecked(false);
    showAdvancedDeleted_->setChecked(false);
}

QString COrvexFileSettingDlg::desktopFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (folder.isEmpty()) folder = QDir::homePath();
    QDir().mkpath(folder);
    return QDir::toNativeSeparators(folder);
}

void COrvexFileSettingDlg::chooseMdfFile() {
    QString chosen;
    {
        WaitCursor wait;
        chosen = QFileDialog::getOpenFileName(this, QString(), QStringLiteral("*.mdf"),
                                              QStringLiteral(".mdf Files (*.mdf)"));
    }
    if (chosen.isEmpty()) return;  // cancelled
    acceptChosenMdfPath(chosen);
}

void COrvexFileSettingDlg::acceptChosenMdfPath(const QString& path) {
    if (!QFileInfo::exists(path)) {
        prompter_.information(this, QStringLiteral("Please select valid mdf file."));
        return;
    }
    mdfPath_->setText(QDir::toNativeSeparators(path));
}

void COrvexFileSettingDlg::chooseLogFolder() {
    QString chosen = QFileDialog::getExistingDirectory(this, QStringLiteral("Select location to save Log file(s)."),
                                                       logFolder_->text(), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) return;
    acceptChosenLogFolder(chosen);
}

void COrvexFileSettingDlg::acceptChosenLogFolder(const QString& path) {
    QString folder = path.trimmed();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) logFolder_->setText(QDir::toNativeSeparators(folder));
}

void COrvexFileSettingDlg::onAutoDetect() {
    autoDetect_->setChecked(true);
    manual_->setChecked(false);
    collation_->setEnabled(false);
    options_.autoDetectCollation = true;
}

void COrvexFileSettingDlg::onManual() {
    autoDetect_->setChecked(false);
    manual_->setChecked(true);
    collation_->setEnabled(true);
    options_.autoDetectCollation = false;
}

void COrvexFileSettingDlg::onCollationChanged(int index) {
    if (index < 0) return;
    options_.manualCollationId = collation_->itemData(index).toLongLong();
}

void COrvexFileSettingDlg::onOk() {
    const QString mdfPath = mdfPath_->text();
    // A further extension after .mdf passes; the file itself must exist.
    if (!mdfPath.toUpper().contains(QStringLiteral(".MDF")) || !QFileInfo(mdfPath).isFile()) {
        prompter_.information(this,
                              QStringLiteral("Please select valid SQL file path to continue the recovery process."));
        return;
    }
    QString logFolder = logFolder_->text();
    if (logFolder.isEmpty() || !QFileInfo(logFolder).isDir()) {
        prompter_.information(this,
                              QStringLiteral("Please select valid Log file path to continue the recovery process."));
        return;
    }
    const QChar separator = QDir::separator();
    if (!logFolder.endsWith(separator) && !logFolder.endsWith(QLatin1Char('/'))) logFolder += separator;
    options_.logFolder = logFolder.toStdString();
    options_.mdfPath = mdfPath.toStdString();
    options_.recoveryMode = mode_->currentIndex() == 1 ? int32_t(RecoveryMode::Advanced) : int32_t(RecoveryMode::Standard);
    options_.legacyCatalog = sql2000_->isChecked();
    options_.showDeleted = showDeleted_->isChecked();
    options_.showAdvancedDeleted = showAdvancedDeleted_->isChecked();
    accept();
}

}  // namespace pw::ui
