// The user's CSV encoding.
#include "shell/screens/ExportSettings.h"

#include "shell/screens/UserSettings.h"

namespace {

const QString EncodingKey = QStringLiteral("export/csvEncoding");

} // namespace

CsvEncoding UserCsvEncoding()
{
    CsvEncoding encoding = CsvEncoding::ShiftJis;
    if (!CsvEncodingFromName(OpenUserSettings()->value(EncodingKey).toString(), encoding))
        encoding = CsvEncoding::ShiftJis;
    return encoding;
}

void SetUserCsvEncoding(CsvEncoding encoding)
{
    const std::unique_ptr<QSettings> settings = OpenUserSettings();
    settings->setValue(EncodingKey, CsvEncodingName(encoding));
    settings->sync();
}

TableFileFormat UserTableFileFormat(SheetFileKind kind)
{
    return {kind, UserCsvEncoding()};
}
