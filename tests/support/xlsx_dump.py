#!/usr/bin/env python3
"""Reads an .xlsx workbook with openpyxl, an independent reader, and prints what the tests
check as JSON: the sheet's name, its frozen cell, the document properties, the column
widths and every cell with its type, value, number format and boldness."""
import datetime
import json
import re
import sys
import zipfile

import openpyxl
from openpyxl.utils import get_column_letter


def cell_of(c):
    value = c.value
    if value is None:
        kind, shown = "", None
    elif isinstance(value, datetime.datetime):
        kind, shown = "d", value.date().isoformat()
    elif isinstance(value, datetime.date):
        kind, shown = "d", value.isoformat()
    elif isinstance(value, bool):
        kind, shown = "b", value
    elif isinstance(value, (int, float)):
        kind, shown = "n", float(value)
    else:
        kind, shown = "s", str(value)
    return {"t": kind, "v": shown, "f": c.number_format, "b": bool(c.font and c.font.b)}


def main(path):
    wb = openpyxl.load_workbook(path)
    ws = wb.worksheets[0]
    rows = []
    for row in ws.iter_rows(min_row=1, max_row=ws.max_row, max_col=ws.max_column):
        rows.append([cell_of(c) for c in row])
    widths = []
    for i in range(1, ws.max_column + 1):
        dim = ws.column_dimensions.get(get_column_letter(i))
        widths.append(dim.width if dim is not None and dim.width else 0)
    p = wb.properties
    # The company is an extended property (docProps/app.xml), which openpyxl does not read.
    with zipfile.ZipFile(path) as z:
        app = z.read("docProps/app.xml").decode("utf-8") if "docProps/app.xml" in z.namelist() else ""
    company = re.search(r"<Company>(.*?)</Company>", app)
    print(json.dumps({
        "sheets": wb.sheetnames,
        "freeze": ws.freeze_panes,
        "title": p.title,
        "company": company.group(1) if company else "",
        "subject": p.subject,
        "widths": widths,
        "rows": rows,
    }, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1])
