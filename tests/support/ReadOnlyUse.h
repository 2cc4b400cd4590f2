// Read-only use as the window enters it when another program holds the writer lock.
#pragma once

#include "shell/WriterLock.h"
#include "store/Connection.h"

#include <QString>

#include <gtest/gtest.h>

// Writes refused with reason, as the window refuses them once the user chose to look
// read-only; allowed again when the object goes, whatever the test did in between.
struct ReadOnlyUse {
    explicit ReadOnlyUse(const QString& reason) { RefuseWrites(reason); }
    ~ReadOnlyUse() { RefuseWrites(QString()); }
    ReadOnlyUse(const ReadOnlyUse&) = delete;
    ReadOnlyUse& operator=(const ReadOnlyUse&) = delete;
};

// Takes the lock of dataFolder with holder, as another program would, and returns the message
// a second writer is refused with (the holder's name and since when).
inline QString TakeLockAsAnotherProgram(WriterLock& holder, const QString& dataFolder)
{
    if (!holder.take().ok) {
        ADD_FAILURE() << "the first writer could not take the lock";
        return QString();
    }
    WriterLock second(dataFolder);
    const Outcome refused = second.take();
    EXPECT_FALSE(refused.ok);
    return refused.text;
}
