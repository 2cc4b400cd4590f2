// Several writes as one all-or-nothing unit, on one connection or over two database files.
#pragma once

#include "store/Connection.h"

#include <functional>

// Begins a transaction, runs work (which writes with ownTransaction false) and commits;
// when work returns false, or the transaction cannot be started or committed, rolls back.
// The record access layer reports failed writes itself; begin and commit failures are
// reported here. true when everything was written.
bool InTransaction(DbConnection& cn, const std::function<bool()>& work);

// The same over two database files committed at once. The file at attachedPath is
// attached to cn for the duration of the work, so that every write of work goes through
// cn and the one COMMIT covers both files: with a rollback journal (never WAL) SQLite
// writes a super-journal naming both files' journals, and a process killed at any moment
// leaves either both files changed or neither.
//
// Which file a statement reaches: the control database and a year database have no table
// name in common, so an unqualified table name reaches the one file that has it; work
// therefore uses the plain statements of the record access layer on cn. Two year
// databases must never be attached to each other this way.
//
// cn must be open and outside a transaction. The attachment is removed afterwards
// whatever happened; begin, commit and attach failures are reported here.
bool InTwoFileTransaction(DbConnection& cn, const QString& attachedPath, const std::function<bool()>& work);

// Another database file attached to cn under schema for reading only, for statements that
// copy from it by qualified names (schema.TABLE): SQLite refuses every write to it through
// cn. cn must be outside a transaction; the file is detached again when the object goes.
// An attach failure is reported here.
class ReadOnlyAttachment {
public:
    ReadOnlyAttachment(DbConnection& cn, const QString& path, const QString& schema);
    ~ReadOnlyAttachment();
    ReadOnlyAttachment(const ReadOnlyAttachment&) = delete;
    ReadOnlyAttachment& operator=(const ReadOnlyAttachment&) = delete;
    bool attached() const { return attached_; }

private:
    DbConnection& cn_;
    QString schema_;
    bool attached_ = false;
};
