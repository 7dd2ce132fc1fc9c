#pragma once
// Refuses a second running instance: a lock file in the temporary folder,
// named after the instance name, held for the life of the process. A lock
// left behind by a process that no longer runs is taken over.

#include <QLockFile>
#include <QString>

namespace pw::ui {

class SingleInstanceGuard {
public:
    // `folder` empty: the system's temporary folder.
    explicit SingleInstanceGuard(const QString& folder = QString());
    // True when this process now holds the lock (no other instance runs).
    bool acquire();
    QString lockPath() const { return path_; }

private:
    QString path_;
    QLockFile lock_;
};

}  // namespace pw::ui
