// Compaction of every database file under the data folder, keeping a .bak copy while
// each file is rewritten.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

struct CompactionResult {
    enum Outcome {
        Done,            // every file visited (some may have been skipped)
        Failed,          // compacting a file failed; message holds the engine's text
        CopyBackFailed,  // the compacted copy could not replace the file; the .bak stays
    } outcome = Done;
    QString message;
    QStringList compacted;  // files compacted, in the order visited
    QStringList skipped;    // files skipped because their .bak existed and the user said No
};

// The files a compaction visits: every file under folder (depth first, in the order the
// file system lists the entries) whose extension in lower case is ".mdb".
QStringList DatabaseFilesUnder(const QString& folder);

// Compacts each file into its .bak (VACUUM INTO), copies the .bak back over it and removes
// the .bak. When a .bak is already there, continueWithExistingBak(bakPath) decides:
// false skips that file.
CompactionResult CompactDatabases(const QString& folder,
                                  const std::function<bool(const QString& bakPath)>& continueWithExistingBak);
