#include "shell/AutoSave.h"

#include <algorithm>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>

namespace karvel {

QString BackupPathFor(const QString& projectPath) {
    const QFileInfo file(projectPath);
    return file.dir().filePath(file.completeBaseName() + QStringLiteral(".BAK"));
}

void AutoSaveClock::Configure(bool enabled, int intervalMinutes) {
    enabled_ = enabled;
    interval_ = std::clamp(intervalMinutes, 1, 60);
}

AutoSaveClock::Due AutoSaveClock::Tick(bool named, bool busy) {
    if (!enabled_ || !named)
        return Due::No;
    if (!pending_ && ++minutes_ >= interval_) {
        minutes_ = 0;
        pending_ = true;
    }
    if (!pending_)
        return Due::No;
    if (busy)
        return Due::Postponed;
    pending_ = false;
    return Due::Now;
}

bool AutoSaveClock::ReportFailure(bool failed) {
    if (!failed) {
        failureReported_ = false;
        return false;
    }
    const bool news = !failureReported_;
    failureReported_ = true;
    return news;
}

} // namespace karvel
