// Logic tests: records what the data store reports (failed statements, databases that could
// not be opened) while it lives, in place of the window's message box.
#pragma once

#include "core/Outcome.h"

#include <QList>
#include <QStringList>

class RecordedFailures {
public:
    RecordedFailures();    // installs itself as the store's failure reporter
    ~RecordedFailures();   // and goes back to standard error
    RecordedFailures(const RecordedFailures&) = delete;
    RecordedFailures& operator=(const RecordedFailures&) = delete;

    QList<Outcome> reports;

    QStringList texts() const;
    // Some report has exactly this text.
    bool saw(const QString& text) const;
    void clear() { reports.clear(); }
};
