#pragma once
// The clock of the periodic backup: a tick a minute, a backup every so many ticks while the
// project has a name. A backup that cannot be written now (a dialog or a drag is running)
// waits for the next tick; a failing one is reported once, not every minute.

#include <QtCore/QString>

namespace karvel {

// "amp.rst" gives "amp.BAK" in the same folder.
QString BackupPathFor(const QString& projectPath);

class AutoSaveClock {
public:
    enum class Due { No, Now, Postponed };

    void Configure(bool enabled, int intervalMinutes);
    bool Enabled() const { return enabled_; }
    int Interval() const { return interval_; }
    // One minute passed; busy says whether a backup would disturb something now.
    Due Tick(bool named, bool busy);
    // After a backup: true when its failure is news and should be told.
    bool ReportFailure(bool failed);

private:
    bool enabled_ = true;
    int interval_ = 10;
    int minutes_ = 0;
    bool pending_ = false;
    bool failureReported_ = false;
};

} // namespace karvel
