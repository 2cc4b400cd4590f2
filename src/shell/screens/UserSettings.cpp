// The user's settings store.
#include "shell/screens/UserSettings.h"

namespace {

QString& testingFile()
{
    static QString path;
    return path;
}

} // namespace

std::unique_ptr<QSettings> OpenUserSettings()
{
    if (!testingFile().isEmpty())
        return std::make_unique<QSettings>(testingFile(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Wageloom"),
                                       QStringLiteral("Wageloom"));
}

void SetUserSettingsFileForTesting(const QString& iniPath)
{
    testingFile() = iniPath;
}
