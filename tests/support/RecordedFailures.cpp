// Logic tests: the store's failure reports, recorded.
#include "support/RecordedFailures.h"

#include "store/Conversions.h"

RecordedFailures::RecordedFailures()
{
    InstallFailureReporter([this](const Outcome& failure) { reports << failure; });
}

RecordedFailures::~RecordedFailures()
{
    InstallFailureReporter(nullptr);
}

QStringList RecordedFailures::texts() const
{
    QStringList out;
    for (const Outcome& o : reports)
        out << o.text;
    return out;
}

bool RecordedFailures::saw(const QString& text) const
{
    for (const Outcome& o : reports)
        if (o.text == text)
            return true;
    return false;
}
