// Employee CSV import: file reading, field splitting, checks and the insertion.
#include "employees/ImportWorker.h"
#include "shell/RestorePoints.h"

#include "core/Numbers.h"
#include "core/TextCodec.h"
#include "store/Conversions.h"
#include "store/RecordAccess.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

const QStringList& ImportHeadings()
{
    static const QStringList headings = {
        QStringLiteral("状態"),     QStringLiteral("社員名"),   QStringLiteral("社員番号"), QStringLiteral("本支店ID"),
        QStringLiteral("職務ID"),   QStringLiteral("役職"),     QStringLiteral("性別"),     QStringLiteral("学歴"),
        QStringLiteral("専攻"),     QStringLiteral("職務経験"), QStringLiteral("社内身分"), QStringLiteral("生年月日"),
        QStringLiteral("入社日"),   QStringLiteral("賃金等級"), QStringLiteral("配属"),     QStringLiteral("公的資格"),
    };
    return headings;
}

const QList<int>& ImportColumnWidths()
{
    static const QList<int> widths = {50, 80, 50, 50, 50, 80, 40, 80, 80, 80, 80, 80, 80, 50, 80, 80};
    return widths;
}

// ---------------------------------------------------------------- splitting

namespace {

// The field that starts at start and runs to the end of the line, cut at the limit.
QStringView tailField(QStringView line, qsizetype start)
{
    const qsizetype end = std::min<qsizetype>(line.size(), CsvLineFieldLimit);
    return start < end ? line.mid(start, end - start) : QStringView();
}

QString unquoted(QStringView raw)
{
    // raw begins with a double quote; it ends with one unless the line ended first.
    const QStringView inner = raw.size() >= 2 && raw.endsWith('"') ? raw.mid(1, raw.size() - 2) : raw.mid(1);
    QString value = inner.toString();
    if (inner.contains(QLatin1String("\"\"")))
        value.replace(QLatin1String("\"\""), QLatin1String("\""));
    return value;
}

// Hands each field of the line to take(index, raw, quoted) in turn, at most maxFields
// of them when maxFields > 0; raw is the field as written (with its quotes).
template <class Take>
void scanCsvFields(QStringView line, int maxFields, Take&& take)
{
    const qsizetype n = line.size();
    qsizetype start = 0;
    for (int index = 0; maxFields <= 0 || index < maxFields; ++index) {
        if (start < n && line.at(start) == '"') {
            // The closing quote is a quote directly followed by a comma; a doubled quote
            // inside the value is skipped as a pair so that it never closes the field.
            qsizetype close = -1;
            for (qsizetype i = start + 1; i < n; ++i) {
                if (line.at(i) != '"')
                    continue;
                if (i + 1 < n && line.at(i + 1) == '"') {
                    ++i;
                    continue;
                }
                if (i + 1 < n && line.at(i + 1) == ',') {
                    close = i;
                    break;
                }
            }
            if (close < 0) {
                take(index, tailField(line, start), true);
                return;
            }
            take(index, line.mid(start, close - start + 1), true);
            start = close + 2;
        } else {
            const qsizetype comma = line.indexOf(',', start);
            take(index, comma < 0 ? tailField(line, start) : line.mid(start, comma - start), false);
            if (comma < 0)
                return;
            start = comma + 1;
        }
    }
}

// The value of a field as scanCsvFields found it.
QString fieldValue(QStringView raw, bool quoted)
{
    if (quoted)
        return unquoted(raw);
    if (raw.startsWith('\\'))
        raw = raw.mid(1);
    return raw.toString();
}

// Well-formed UTF-8 (shortest forms, no surrogates, at most U+10FFFF); stops at the first
// bad byte, so a Shift-JIS file is told apart at its first Japanese character.
bool isUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (end - p <= more)
            return false;
        if (p[1] < lo || p[1] > hi)
            return false;
        for (int k = 2; k <= more; ++k)
            if (p[k] < 0x80 || p[k] > 0xBF)
                return false;
        p += more + 1;
    }
    return true;
}

} // namespace

QStringList SplitCsvLine(const QString& line, int maxFields)
{
    QStringList fields;
    scanCsvFields(line, maxFields, [&](int, QStringView raw, bool quoted) { fields << fieldValue(raw, quoted); });
    return fields;
}

QStringList SplitTextLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == '\r' && i + 1 < n && text.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

QStringList SplitCsvRecords(const QString& text)
{
    const qsizetype n = text.size();
    auto isBreak = [&](qsizetype i) { return text.at(i) == '\r' || text.at(i) == '\n'; };
    QStringList records;
    qsizetype start = 0;
    qsizetype i = 0;
    bool fieldStart = true;
    while (i < n) {
        const QChar c = text.at(i);
        if (fieldStart && c == '"') {
            // A quoted field: find its closing quote, line ends included.
            qsizetype close = -1;
            for (qsizetype k = i + 1; k < n; ++k) {
                if (text.at(k) != '"')
                    continue;
                if (k + 1 < n && text.at(k + 1) == '"') {
                    ++k;
                    continue;
                }
                if (k + 1 == n || text.at(k + 1) == ',' || isBreak(k + 1)) {
                    close = k;
                    break;
                }
            }
            if (close < 0) {
                // Never closed: the rest is read line by line.
                for (const QString& line : SplitTextLines(text.mid(start)))
                    records << line;
                return records;
            }
            i = close + 1;
            fieldStart = false;
            continue;
        }
        fieldStart = false;
        if (c == ',') {
            fieldStart = true;
            ++i;
            continue;
        }
        if (isBreak(i)) {
            records << text.mid(start, i - start);
            if (c == '\r' && i + 1 < n && text.at(i + 1) == '\n')
                ++i;
            start = ++i;
            fieldStart = true;
            continue;
        }
        ++i;
    }
    if (start < n)
        records << text.mid(start);
    return records;
}

QString DecodeCsvBytes(const QByteArray& bytes, bool* ok)
{
    static const QByteArray bom("\xEF\xBB\xBF", 3);
    if (bytes.startsWith(bom)) {
        const QByteArray rest = bytes.mid(3);
        const bool valid = isUtf8(rest);
        if (ok)
            *ok = valid;
        return valid ? QString::fromUtf8(rest) : QString();
    }
    // Japanese text in Shift-JIS is practically never well-formed UTF-8, while UTF-8 text
    // would often pass as (garbled) Shift-JIS: so UTF-8 is tried first.
    if (isUtf8(bytes)) {
        if (ok)
            *ok = true;
        return QString::fromUtf8(bytes);
    }
    return FromCp932(bytes, ok);
}

QList<int> MapHeadings(const QStringList& names)
{
    QList<int> map;
    map.reserve(names.size());
    const QStringList& headings = ImportHeadings();
    for (const QString& name : names) {
        int column = 0;
        for (int c = 1; c < ImportColumn::Count; ++c) {
            if (name == headings.at(c)) {
                column = c;
                break;
            }
        }
        map << column;
    }
    return map;
}

// ---------------------------------------------------------------- checks

namespace {

// Empty, "0" or a non-zero whole number (thousands separators ignored).
bool isOptionalId(const QString& text)
{
    if (text.isEmpty() || text == QLatin1String("0"))
        return true;
    long long v = 0;
    return ParseWholeNumber(text, v) && v != 0;
}

} // namespace

namespace {

// Reads 1 to maxDigits ASCII digits of s from pos up to the next '/' (or the end).
bool readNumber(QStringView s, qsizetype& pos, int minDigits, int maxDigits, int& value)
{
    value = 0;
    int digits = 0;
    while (pos < s.size() && s.at(pos) != '/') {
        const QChar c = s.at(pos);
        if (c < '0' || c > '9' || ++digits > maxDigits)
            return false;
        value = value * 10 + (c.unicode() - '0');
        ++pos;
    }
    return digits >= minDigits;
}

} // namespace

bool ParseImportDate(const QString& text, int& yyyymmdd)
{
    const QStringView s = QStringView(text).trimmed();
    qsizetype pos = 0;
    int y = 0, m = 0, d = 0;
    if (!readNumber(s, pos, 4, 4, y) || pos >= s.size())
        return false;
    ++pos;
    if (!readNumber(s, pos, 1, 2, m) || pos >= s.size())
        return false;
    ++pos;
    if (!readNumber(s, pos, 1, 2, d) || pos != s.size())
        return false;
    if (y < 1 || !QDate::isValid(y, m, d))
        return false;
    yyyymmdd = y * 10000 + m * 100 + d;
    return true;
}

QString NormalisedSex(const QString& text)
{
    static const QStringList male = {QStringLiteral("男"),    QStringLiteral("男性"), QStringLiteral("True"),
                                     QStringLiteral("true"),  QStringLiteral("TRUE"), QStringLiteral("1"),
                                     QStringLiteral("-1")};
    return male.contains(text) ? QStringLiteral("男") : QStringLiteral("女");
}

int EmploymentFormCode(const QString& text)
{
    static const QStringList forms = {QStringLiteral("役員"), QStringLiteral("正社員"), QStringLiteral("パート"),
                                      QStringLiteral("その他")};
    return int(forms.indexOf(text)) + 1;
}

namespace {

bool hasLineBreak(const QString& text)
{
    return text.contains('\n') || text.contains('\r');
}

} // namespace

int CheckImportRow(ImportRow& row, QStringList* reasons)
{
    using namespace ImportColumn;
    int errors = 0;
    auto fail = [&](const QString& reason) {
        row[Status] = QStringLiteral("ERROR");
        ++errors;
        if (reasons)
            *reasons << reason;
    };
    // A quoted field may run across line ends, so a stray quote in a damaged file can merge
    // the following lines into one record. Codes, names, the sex, the dates and the grade
    // are one-line values: a line break in one of them refuses the row instead of storing
    // the merged text. The free-text columns (学歴, 専攻, 職務経験, 社内身分, 公的資格) may
    // hold line breaks.
    bool broken[Count] = {};
    for (const int column : {Name, Number, Sex, Birth, Entry, Grade}) {
        if (!hasLineBreak(row[column]))
            continue;
        broken[column] = true;
        fail(ImportHeadings().at(column) + QStringLiteral("に改行が含まれています"));
    }
    if (row[Name].isEmpty())
        fail(QStringLiteral("社員名がありません"));
    if (row[Number].isEmpty())
        fail(QStringLiteral("社員番号がありません"));
    if (!isOptionalId(row[Branch]))
        fail(QStringLiteral("本支店IDが数値ではありません"));
    if (!isOptionalId(row[Job]))
        fail(QStringLiteral("職務IDが数値ではありません"));
    if (broken[Grade]) {
        // told above
    } else if (!isOptionalId(row[Grade])) {
        fail(QStringLiteral("賃金等級が数値ではありません"));
    } else {
        // Grades are 1..9 and 0 for none; a negative grade is refused as well.
        const long long grade = WholeNumberOrZero(row[Grade]);
        if (grade > 9 || grade < 0)
            fail(QStringLiteral("賃金等級が0～9ではありません"));
    }
    int date = 0;
    if (!broken[Birth] && !row[Birth].isEmpty() && !ParseImportDate(row[Birth], date))
        fail(QStringLiteral("生年月日が日付（年/月/日）ではありません"));
    if (!broken[Entry] && !row[Entry].isEmpty() && !ParseImportDate(row[Entry], date))
        fail(QStringLiteral("入社日が日付（年/月/日）ではありません"));
    // A sex with a line break stays as read, so that the grid shows what was refused.
    if (!broken[Sex])
        row[Sex] = NormalisedSex(row[Sex]);
    return errors;
}

// ---------------------------------------------------------------- reading a file

ImportCheck CheckImportFile(const QString& fileName)
{
    ImportCheck check;
    const QString name = fileName.trimmed();
    if (name.isEmpty()) {
        check.outcome = ImportCheck::NoFileName;
        check.message = QStringLiteral("ファイル名を入力して下さい。");
        return check;
    }
    const QFileInfo info(name);
    if (!info.exists() || info.isDir()) {
        check.outcome = ImportCheck::FileMissing;
        check.message = QStringLiteral("指定されたファイルは存在しません。");
        return check;
    }
    QFile file(name);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        check.outcome = ImportCheck::ReadFailed;
        check.gridCleared = true;
        check.message = file.errorString() + '\r' + name;
        return check;
    }
    return CheckImportBytes(name, bytes);
}

ImportCheck CheckImportBytes(const QString& fileName, const QByteArray& bytes)
{
    ImportCheck check;
    check.gridCleared = true;
    bool decoded = false;
    const QString text = DecodeCsvBytes(bytes, &decoded);
    if (!decoded) {
        check.outcome = ImportCheck::NotText;
        check.message = QStringLiteral("文字コードが Shift-JIS でも UTF-8 でもないため、読み込めません。") + '\r' + fileName;
        return check;
    }
    QStringList lines = SplitCsvRecords(text);
    bool anyText = false;
    for (const QString& l : lines) {
        if (!l.isEmpty()) {
            anyText = true;
            break;
        }
    }
    if (!anyText) {
        check.outcome = ImportCheck::Empty;
        check.message = fileName + QStringLiteral("　にはデータが有りません。");
        return check;
    }

    const QStringList names = SplitCsvLine(lines.first());
    const QList<int> map = MapHeadings(names);
    if (std::all_of(map.begin(), map.end(), [](int c) { return c == 0; })) {
        check.outcome = ImportCheck::NoValidHeadings;
        check.message = QStringLiteral("有効な項目名がありません。");
        return check;
    }

    const int fieldCount = int(names.size());
    check.rows.reserve(lines.size() - 1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        // An empty line (a spreadsheet's trailing blank line) is no employee.
        if (lines.at(i).isEmpty())
            continue;
        ImportRow row;
        scanCsvFields(lines.at(i), fieldCount, [&](int f, QStringView raw, bool quoted) {
            if (const int column = map.at(f))
                row[column] = fieldValue(raw, quoted);
        });
        QStringList reasons;
        check.errors += CheckImportRow(row, &reasons);
        check.rows << std::move(row);
        check.reasons << reasons;
    }
    if (check.rows.isEmpty()) {
        check.outcome = ImportCheck::NoDataRows;
        check.message = fileName + QStringLiteral("　にはデータが有りません。");
        return check;
    }
    if (check.errors > 0)
        check.message = QStringLiteral("エラーが存在するので取込できません。");
    return check;
}

// ---------------------------------------------------------------- import

namespace {

const QString InsertMsyain1 =
    QStringLiteral("INSERT INTO MSYAIN1 (KCO,HSCO,SCO,NENDO,SCOT,SNA,SEIHI,NYUHI,YAKU,TCO,NEWDAY1) VALUES");
const QString InsertMsyain2 =
    QStringLiteral("INSERT INTO MSYAIN2 (KCO,SCO,NENDO,SEIBETSU,TOUKYU,SM1,SM2,GAKU,SENKOU,KSIKAKU,KEIKEN) VALUES");
const QString RowPlaceholders = QStringLiteral("(?,?,?,?,?,?,?,?,?,?,?)");
const int ValuesPerRow = 11;

// Rows written by one statement: inserting many rows at a time saves most of the
// per-statement cost of a bulk import.
const int RowsPerStatement = 64;

QString insertFor(const QString& head, int rows)
{
    QString sql = head;
    sql.reserve(head.size() + rows * (RowPlaceholders.size() + 1));
    for (int r = 0; r < rows; ++r) {
        if (r)
            sql += ',';
        sql += RowPlaceholders;
    }
    return sql;
}

int dateOrZero(const QString& text)
{
    int ymd = 0;
    return !text.isEmpty() && ParseImportDate(text, ymd) ? ymd : 0;
}

// The import's failure, under an empty caption: the sentence, then the engine's text and
// the statement when there are any.
Outcome failure(const QString& engineText, const QString& statement)
{
    QString text = ImportFailedMessage;
    if (!engineText.isEmpty())
        text += '\r' + engineText;
    if (!statement.isEmpty())
        text += '\r' + statement;
    return Outcome::Failed(text, QString());
}

QString engineText(const DbConnection& cn)
{
    return cn.errors().isEmpty() ? QString() : LastErrorText(cn);
}

// The values of one row for MSYAIN1 and MSYAIN2, appended.
struct RowValues {
    int kco;
    int nendo;
    QString newDay;

    static qint64 grade(const ImportRow& row)
    {
        // Mostly a single digit; anything else goes through the number routine.
        const QString& g = row[ImportColumn::Grade];
        if (g.size() == 1 && g.at(0) >= '0' && g.at(0) <= '9')
            return g.at(0).unicode() - '0';
        return WholeNumberOrZero(g);
    }
    void msyain1(const ImportRow& row, qint64 code, SqlValues& out) const
    {
        using namespace ImportColumn;
        out << kco << 0 << code << nendo << row[Number] << row[Name] << dateOrZero(row[Birth])
            << dateOrZero(row[Entry]) << row[Position] << grade(row) << newDay;
    }
    void msyain2(const ImportRow& row, qint64 code, SqlValues& out) const
    {
        using namespace ImportColumn;
        out << kco << code << nendo << (row[Sex] == QStringLiteral("男") ? 0 : 1) << grade(row)
            << EmploymentFormCode(row[Employment]) << row[Employment] << row[Education] << row[Major]
            << row[Qualification] << row[Experience];
    }
};

} // namespace

Outcome ImportEmployees(DbConnection& cn, int kco, int nendo, const QList<ImportRow>& rows, ImportMode mode,
                        const QDate& today)
{
    // Replacing every employee can be taken back: a restore point of the year database first.
    if (mode == ImportMode::Replace) {
        const Outcome saved = MakeYearRestorePoint(cn.path(), QStringLiteral("import"),
                                                   QStringLiteral("社員情報取込（置換）"), nendo, kco);
        if (!saved.ok)
            return saved;
    }
    if (!cn.begin())
        return failure(engineText(cn), QString());
    // The engine's text is taken before the rollback clears it.
    auto failWith = [&](const QString& engine, const QString& statement) {
        const Outcome failed = failure(engine, statement);
        cn.rollback();
        return failed;
    };
    auto fail = [&](const QString& statement) { return failWith(engineText(cn), statement); };

    if (mode == ImportMode::Replace) {
        TSyain_ rec;
        // The delete routine has reported the engine's text already.
        if (!Delete(cn, false, SqlCondition(QStringLiteral(" WHERE KCO = ? AND NENDO = ?"), {kco, nendo}), rec))
            return failWith(QString(), QString());
    }

    const QString maxSql = QStringLiteral("select Max(SCO) from MSYAIN1 where KCO = ? and Nendo = ?");
    std::unique_ptr<DbResult> max = cn.select(maxSql, {kco, nendo});
    if (!max)
        return fail(StatementWithValues(maxSql, {kco, nendo}));
    qint64 code = 1;
    if (max->next() && !max->isNull(0))
        code = max->integer(0) + 1;
    if (max->failed())
        return fail(StatementWithValues(maxSql, {kco, nendo}));
    max.reset();

    // One-row statements, and (for a bulk import) statements of RowsPerStatement rows;
    // each is prepared once.
    const QString single1 = insertFor(InsertMsyain1, 1), single2 = insertFor(InsertMsyain2, 1);
    const std::unique_ptr<DbStatement> one1 = cn.prepareStatement(single1);
    if (!one1)
        return fail(single1);
    const std::unique_ptr<DbStatement> one2 = cn.prepareStatement(single2);
    if (!one2)
        return fail(single2);
    std::unique_ptr<DbStatement> many1, many2;
    if (rows.size() >= RowsPerStatement) {
        const QString batch1 = insertFor(InsertMsyain1, RowsPerStatement);
        const QString batch2 = insertFor(InsertMsyain2, RowsPerStatement);
        many1 = cn.prepareStatement(batch1);
        if (!many1)
            return fail(batch1.left(InsertMsyain1.size() + RowPlaceholders.size()) + "...");
        many2 = cn.prepareStatement(batch2);
        if (!many2)
            return fail(batch2.left(InsertMsyain2.size() + RowPlaceholders.size()) + "...");
    }

    const RowValues values{kco, nendo, today.toString(QStringLiteral("yyyy/MM/dd"))};
    // Runs the rows [first, first + count) one at a time: the way to find the row whose
    // insert fails inside a failed bulk statement (which SQLite has undone as a whole).
    auto oneByOne = [&](qsizetype first, qsizetype count, bool msyain1Too) -> Outcome {
        for (qsizetype r = first; r < first + count; ++r) {
            const qint64 rowCode = code + r;
            SqlValues v;
            v.reserve(ValuesPerRow);
            if (msyain1Too) {
                values.msyain1(rows.at(r), rowCode, v);
                if (one1->execute(v) < 0)
                    return fail(StatementWithValues(single1, v));
                v.clear();
            }
            values.msyain2(rows.at(r), rowCode, v);
            if (one2->execute(v) < 0)
                return fail(StatementWithValues(single2, v));
        }
        return Outcome::Done();
    };

    const qsizetype n = rows.size();
    qsizetype done = 0;
    SqlValues v1, v2;
    v1.reserve(ValuesPerRow * RowsPerStatement);
    v2.reserve(ValuesPerRow * RowsPerStatement);
    while (n - done >= RowsPerStatement) {
        v1.clear();
        v2.clear();
        for (qsizetype r = done; r < done + RowsPerStatement; ++r) {
            values.msyain1(rows.at(r), code + r, v1);
            values.msyain2(rows.at(r), code + r, v2);
        }
        const bool first = many1->execute(v1) >= 0;
        if (!first || many2->execute(v2) < 0) {
            const QString engine = engineText(cn);
            if (const Outcome alone = oneByOne(done, RowsPerStatement, !first); !alone.ok)
                return alone;
            // Every row went in alone: the bulk statement itself failed.
            return failWith(engine, (first ? InsertMsyain2 : InsertMsyain1) + RowPlaceholders + "...");
        }
        done += RowsPerStatement;
    }
    if (const Outcome rest = oneByOne(done, n - done, true); !rest.ok)
        return rest;
    if (!cn.commit())
        return fail(QString());
    return Outcome::Done();
}
