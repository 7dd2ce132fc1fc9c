#include "ui/SingleInstanceGuard.h"

#include <QDir>

#include "ui/AppTexts.h"

namespace pw::ui {
namespace {

QString lockFilePath(const QString& folder) {
    QString base = folder.isEmpty() ? QDir::tempPath() : folder;
    return QDir(base).filePath(QString::fromUtf8(kSingleInstanceName) + QStringLiteral(".lock"));
}

}  // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& folder) : path_(lockFilePath(folder)), lock_(path_) {
    // Never treat a live holder's lock as stale because of its age; a lock
    // whose process is gone is still recognised and removed.
    lock_.setStaleLockTime(0);
}

bool SingleInstanceGuard::acquire() { return lock_.isLocked() || lock_.tryLock(0); }

}  // namespace pw::ui
