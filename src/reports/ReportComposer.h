// The report composer: renders a report's page model on its template into the PDF
// document file with QPainter on QPdfWriter (fonts embedded, Noto Sans CJK JP).
#pragma once

#include "reports/ReportPage.h"
#include "reports/ReportTemplate.h"

// Loads the document's template and composes the document file. Text longer than its box
// is shrunk to fit the box. Any failure (template missing or malformed, file not
// writable, no graphical application) leaves no document file and gives a Japanese
// message in error; an existing document file is replaced only by a complete one.
bool ComposeReport(const ReportDocument& doc, QString* error);
bool ComposeReport(const ReportTemplate& tpl, const ReportDocument& doc, QString* error);
