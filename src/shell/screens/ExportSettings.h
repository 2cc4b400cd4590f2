// The user's choice of CSV encoding for every export: a setting of the user on this
// computer (QSettings), not of a company. Shift-JIS unless UTF-8 was chosen.
#pragma once

#include "core/CsvWriter.h"
#include "core/SheetTable.h"

#include <QString>

CsvEncoding UserCsvEncoding();
void SetUserCsvEncoding(CsvEncoding encoding);

// The file format of an export the user asked for: CSV in the user's encoding, or .xlsx.
TableFileFormat UserTableFileFormat(SheetFileKind kind);

// The caption of the button or menu item that writes the .xlsx beside a CSV出力.
inline const QString ExcelExportCaption = QStringLiteral("Excel出力");
