// The main menu's employee export: its questions and messages around the export routines.
#pragma once

#include "core/SheetTable.h"

// Checks that a company is open, asks whether to write CSV/社員マスタ出力.CSV (or
// CSV/社員マスタ出力.xlsx), reads the employees, asks again when some texts cannot be
// written in Shift-JIS (a CSV in the user's Shift-JIS setting only), writes the file and
// shows how it went.
void ExportEmployeeMaster(SheetFileKind kind = SheetFileKind::Csv);
