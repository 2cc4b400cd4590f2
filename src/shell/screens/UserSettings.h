// The settings of the user on this computer (QSettings under "Wageloom"), as opposed to a
// company's settings in the databases: the CSV encoding, the recent projects, reopening
// the last project on start.
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

std::unique_ptr<QSettings> OpenUserSettings();

// Tests keep the settings in a file of their own (an INI file per test process), so test
// processes running side by side do not change each other's settings or the user's.
void SetUserSettingsFileForTesting(const QString& iniPath);
