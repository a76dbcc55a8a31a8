#pragma once
// The test suite may run as root, and root writes into read-only folders. A test that shows
// what a refused write does takes an ordinary account's file rights for a while: the folder
// tree is handed to that account and this thread's file checks are made as that account. Only
// file access changes, and only on this thread; the old rights come back at the end of scope.

#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QString>
#include <sys/fsuid.h>
#include <unistd.h>

namespace karvel::test {

class OrdinaryFileRights {
public:
    // `tree` is the test's own temporary folder; everything in it goes to the ordinary account.
    explicit OrdinaryFileRights(const QString& tree) {
        if (::geteuid() != 0)
            return;
        HandOver(tree);
        HandOverContents(tree);
        ::setfsgid(Nobody);
        ::setfsuid(Nobody);
        changed_ = true;
    }
    ~OrdinaryFileRights() {
        if (!changed_)
            return;
        ::setfsuid(0);
        ::setfsgid(0);
    }
    OrdinaryFileRights(const OrdinaryFileRights&) = delete;
    OrdinaryFileRights& operator=(const OrdinaryFileRights&) = delete;

private:
    static constexpr uid_t Nobody = 65534;

    static void HandOver(const QString& path) {
        [[maybe_unused]] const int result =
            ::lchown(QFile::encodeName(path).constData(), Nobody, Nobody);
    }
    static void HandOverContents(const QString& tree) {
        QDirIterator entries(tree,
                             QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                             QDirIterator::Subdirectories);
        while (entries.hasNext())
            HandOver(entries.next());
    }

    bool changed_ = false;
};

} // namespace karvel::test
