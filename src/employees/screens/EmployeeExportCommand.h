// The main menu's employee export: its questions and messages around the export routines.
#pragma once

// Checks that a company is open, asks whether to write CSV/社員マスタ出力.CSV, reads the
// employees, asks again when some texts cannot be written in Shift-JIS, writes the file
// and shows how it went.
void ExportEmployeeMaster();
