// Compaction of every database file under the data folder, keeping a .bak copy while
// each file is rewritten.
#pragma once

#include <QString>
#include <QStringList>


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
// file system lists the entries) whose extension in lower case is ".mdb", the restore
// points' copies under backup/ aside.
QStringList DatabaseFilesUnder(const QString& folder);

// The .bak files already there beside the files a compaction of folder visits (a compaction
// that ended abnormally leaves them), in the order the files are visited.
QStringList LeftoverBackups(const QString& folder);

// Compacts each file into its .bak (VACUUM INTO), copies the .bak back over it and removes
// the .bak. A restore point of every file is made first; when it cannot be made nothing is
// compacted (Failed with its message). A file whose .bak is already there is compacted only when continueDespite holds
// that .bak's path (the user was asked before the call); otherwise it is skipped.
CompactionResult CompactDatabases(const QString& folder, const QStringList& continueDespite);
