// The user's CSV encoding.
#include "shell/screens/ExportSettings.h"

#include <QSettings>

#include <memory>

namespace {

const QString EncodingKey = QStringLiteral("export/csvEncoding");

std::unique_ptr<QSettings> userSettings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Wageloom"),
                                       QStringLiteral("Wageloom"));
}

} // namespace

CsvEncoding UserCsvEncoding()
{
    CsvEncoding encoding = CsvEncoding::ShiftJis;
    if (!CsvEncodingFromName(userSettings()->value(EncodingKey).toString(), encoding))
        encoding = CsvEncoding::ShiftJis;
    return encoding;
}

void SetUserCsvEncoding(CsvEncoding encoding)
{
    const std::unique_ptr<QSettings> settings = userSettings();
    settings->setValue(EncodingKey, CsvEncodingName(encoding));
    settings->sync();
}

TableFileFormat UserTableFileFormat(SheetFileKind kind)
{
    return {kind, UserCsvEncoding()};
}
