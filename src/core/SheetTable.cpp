// Typed tables: their CSV lines and their .xlsx workbook (libxlsxwriter).
#include "core/SheetTable.h"


#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

SheetCell SheetCell::Text(const QString& text, const QString& csv)
{
    SheetCell c;
    c.type = Type::Text;
    c.text = text;
    c.csv = csv;
    return c;
}

SheetCell SheetCell::Number(double value, const QString& format, const QString& csv)
{
    SheetCell c;
    c.type = Type::Number;
    c.number = value;
    c.format = format;
    c.csv = csv;
    return c;
}

SheetCell SheetCell::Date(const QDate& date, const QString& format, const QString& csv)
{
    SheetCell c;
    c.csv = csv;
    if (!date.isValid())
        return c;
    c.type = Type::Date;
    c.date = date;
    c.format = format;
    return c;
}

SheetCell SheetCell::Blank(const QString& csv)
{
    SheetCell c;
    c.csv = csv;
    return c;
}

QString SheetDateFormat(int calendarMode)
{
    // [$-411] is the Japanese locale: ggg is then the era's name and ee its two-digit year.
    if (calendarMode != 0)
        return QStringLiteral("[$-411]gggee\"年\"mm\"月\"dd\"日\"");
    return QStringLiteral("yy\"年\"mm\"月\"dd\"日\"");
}

QStringList SheetCsvLines(const SheetTable& table)
{
    QStringList lines;
    lines.reserve(table.rows.size());
    for (const SheetRow& row : table.rows) {
        QString line;
        for (int c = 0; c < row.size(); ++c) {
            if (c > 0)
                line += ',';
            line += row[c].csv;
        }
        lines << line;
    }
    return lines;
}

namespace {

// How wide a text looks in the spreadsheet, in characters: one for ASCII and half-width
// katakana, two for every other character (full-width letters, kana and kanji; a character
// beyond the BMP counts once). Counted from the UTF-16 units, without converting the text.
int textWidth(const QString& text)
{
    int width = 0;
    const qsizetype n = text.size();
    const QChar* units = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = units[i].unicode();
        if (u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F)) {
            width += 1;
            continue;
        }
        width += 2;
        if (QChar::isHighSurrogate(u) && i + 1 < n && units[i + 1].isLowSurrogate())
            ++i;
    }
    return width;
}

// How wide a cell looks in the spreadsheet, in characters (full-width characters two).
int shownWidth(const SheetCell& c)
{
    switch (c.type) {
    case SheetCell::Type::Blank:
        return 0;
    case SheetCell::Type::Text:
        return textWidth(c.text);
    case SheetCell::Type::Date:
        return 16;   // "令和05年04月01日"
    case SheetCell::Type::Number: {
        // The digits the format shows: its decimals, its thousands separators and a percent
        // sign (the value shown times 100).
        const bool percent = c.format.endsWith('%');
        const int point = int(c.format.indexOf('.'));
        const int decimals = point < 0 ? 0 : int(c.format.count('0') - c.format.left(point).count('0'));
        const double shown = std::abs(percent ? c.number * 100 : c.number);
        const int digits = shown < 1 ? 1 : int(std::floor(std::log10(shown))) + 1;
        const int separators = c.format.contains(',') ? (digits - 1) / 3 : 0;
        return digits + separators + (decimals > 0 ? decimals + 1 : 0) + (c.number < 0 ? 1 : 0) + (percent ? 1 : 0);
    }
    }
    return 0;
}

// The sheet name without the characters a sheet name cannot hold, at most 31 characters.
QString validSheetName(const QString& name)
{
    QString n = name;
    for (QChar& ch : n)
        if (QStringLiteral("[]:*?/\\").contains(ch))
            ch = '_';
    n = n.left(31).trimmed();
    return n.isEmpty() ? QStringLiteral("Sheet1") : n;
}

QString xlsxError(lxw_error e)
{
    return QString::fromUtf8(lxw_strerror(e));
}

} // namespace

QList<double> SheetColumnWidths(const SheetTable& table)
{
    QList<int> widest;
    for (const SheetRow& row : table.rows)
        for (int c = 0; c < row.size(); ++c) {
            if (widest.size() <= c)
                widest.resize(c + 1, 0);
            widest[c] = std::max(widest[c], shownWidth(row[c]));
        }
    QList<double> widths;
    for (int w : widest)
        widths << std::clamp(w + 2, 6, 60);
    return widths;
}

QString XlsxPathOf(const QString& csvPath)
{
    const QFileInfo info(csvPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".xlsx"));
}

bool WriteXlsxFile(const QString& path, const SheetTable& table, const SheetProperties& properties, QString* error)
{
    // Written beside the target and moved over it once complete, so that a failure leaves
    // any earlier file as it was.
    const QFileInfo target(path);
    const QString partial = target.dir().filePath(QStringLiteral(".") + target.fileName() + QStringLiteral(".part"));
    const QByteArray partialName = QFile::encodeName(partial);
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        QFile::remove(partial);
        return false;
    };

    if (!target.dir().exists())
        return fail(QStringLiteral("フォルダがありません: ") + QDir::toNativeSeparators(target.absolutePath()));

    // Rows go out as they are written (the table is written in row order), which keeps a
    // long table fast and small in memory.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(partialName.constData(), &options);
    if (!wb)
        return fail(QStringLiteral("ブックを作成できません。"));

    const QByteArray title = properties.title.toUtf8(), company = properties.company.toUtf8(),
                     year = properties.fiscalYear.toUtf8();
    lxw_doc_properties props{};
    props.title = const_cast<char*>(title.constData());
    props.company = const_cast<char*>(company.constData());
    props.subject = const_cast<char*>(year.constData());
    workbook_set_properties(wb, &props);
    workbook_set_custom_property_string(wb, "年度", year.constData());

    const QByteArray sheetName = validSheetName(table.sheetName).toUtf8();
    lxw_worksheet* ws = workbook_add_worksheet(wb, sheetName.constData());

    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);
    // One format per number format (and per bold for the header rows).
    std::map<std::pair<QString, bool>, lxw_format*> formats;
    std::vector<QByteArray> formatTexts;
    auto formatOf = [&](const QString& numberFormat, bool isHeader) -> lxw_format* {
        if (numberFormat.isEmpty())
            return isHeader ? bold : nullptr;
        auto& f = formats[{numberFormat, isHeader}];
        if (!f) {
            f = workbook_add_format(wb);
            formatTexts.push_back(numberFormat.toUtf8());
            format_set_num_format(f, formatTexts.back().constData());
            if (isHeader)
                format_set_bold(f);
        }
        return f;
    };

    const QList<double> widths = SheetColumnWidths(table);
    for (int c = 0; c < widths.size(); ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    worksheet_freeze_panes(ws, lxw_row_t(table.headerLast + 1), 0);

    struct ColumnFormat {
        bool known = false;
        bool isHeader = false;
        QString numberFormat;
        lxw_format* format = nullptr;
    };
    std::vector<ColumnFormat> lastFormat(widths.size());

    // Texts go to the library as UTF-8 from one buffer, converted in place cell after cell.
    QStringEncoder utf8(QStringEncoder::Utf8);
    QByteArray text;
    auto utf8Of = [&](const QString& t) {
        text.resize(utf8.requiredSpace(t.size()) + 1);
        char* end = utf8.appendToBuffer(text.data(), t);
        *end = '\0';
        return text.constData();
    };

    lxw_error status = LXW_NO_ERROR;
    for (int r = 0; r < table.rows.size() && status == LXW_NO_ERROR; ++r) {
        const bool isHeader = r >= table.headerFirst && r <= table.headerLast;
        const SheetRow& row = table.rows[r];
        for (int c = 0; c < row.size() && status == LXW_NO_ERROR; ++c) {
            const SheetCell& cell = row[c];
            // The cells of a column mostly share their format: the last one is kept.
            ColumnFormat& last = lastFormat[c];
            if (!last.known || last.isHeader != isHeader || last.numberFormat != cell.format)
                last = {true, isHeader, cell.format, formatOf(cell.format, isHeader)};
            lxw_format* f = last.format;
            switch (cell.type) {
            case SheetCell::Type::Blank:
                if (f)
                    status = worksheet_write_blank(ws, lxw_row_t(r), lxw_col_t(c), f);
                break;
            case SheetCell::Type::Text:
                status = worksheet_write_string(ws, lxw_row_t(r), lxw_col_t(c), utf8Of(cell.text), f);
                break;
            case SheetCell::Type::Number:
                status = worksheet_write_number(ws, lxw_row_t(r), lxw_col_t(c), cell.number, f);
                break;
            case SheetCell::Type::Date: {
                lxw_datetime when{cell.date.year(), cell.date.month(), cell.date.day(), 0, 0, 0};
                status = worksheet_write_datetime(ws, lxw_row_t(r), lxw_col_t(c), &when, f);
                break;
            }
            }
        }
    }
    if (status != LXW_NO_ERROR) {
        workbook_close(wb);
        return fail(xlsxError(status));
    }
    status = workbook_close(wb);
    if (status != LXW_NO_ERROR)
        return fail(xlsxError(status));
    if (std::rename(partialName.constData(), QFile::encodeName(path).constData()) != 0)
        return fail(QStringLiteral("ファイルを置き換えられません。"));
    return true;
}

bool WriteTableFile(const QString& path, const SheetTable& table, const SheetProperties& properties,
                    const TableFileFormat& format, QString* error)
{
    if (format.kind == SheetFileKind::Xlsx)
        return WriteXlsxFile(path, table, properties, error);
    return WriteCsvFile(path, SheetCsvLines(table), error, format.encoding);
}

QString TableWriteErrorHeading(SheetFileKind kind)
{
    return (kind == SheetFileKind::Xlsx ? QStringLiteral("Excel") : QStringLiteral("CSV"))
           + QStringLiteral("ファイルの書き込みでエラーが発生しました。\r\n");
}

QString ExportQuestion(const QString& what, const QString& exeFolder, SheetFileKind kind)
{
    return what + QStringLiteral("を") + QDir::toNativeSeparators(exeFolder)
           + (kind == SheetFileKind::Xlsx ? QStringLiteral("CSVへExcel形式で出力します。") : QStringLiteral("CSVへ出力します。"))
           + QStringLiteral("\r\nよろしいですか？");
}
