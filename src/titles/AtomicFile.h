#pragma once

#include <QByteArray>
#include <QString>

// Creates or replaces a file so that it either holds the new bytes completely or is
// left as it was: the bytes go to a new temporary file in the target's folder, which
// then replaces the target by rename. A target that does not exist yet is written
// directly and removed again on failure. A failure removes the temporary file and raises
// EOSError naming the target and the system's reason. No fsync: titles are cheap to
// regenerate, and syncing each of thousands of small files would dominate a run.
class TAtomicFile
{
public:
    static void Write(const QString& FileName, const QByteArray& Data);
};
