// Workbook benchmark: the group salary list of 10,000 generated employees written as an
// .xlsx workbook (libxlsxwriter) against the CSV file of the same table, in the same run.
// Both start from the grouped rows; each builds the typed table and writes its file.
//
//   sheet_bench [runs]     (default 7)
#include "core/CsvWriter.h"
#include "core/SheetTable.h"
#include "reports/GroupReports.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int EmployeeCount = 10000;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

QList<TSyain_> employees(int count, int marks)
{
    const QStringList family = {"山田", "佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "中村", "小林", "加藤"};
    const QStringList given = {"太郎", "花子", "一郎", "美咲", "健太", "陽子", "大輔", "愛", "翔", "由美"};
    QList<TSyain_> out;
    for (int i = 0; i < count; ++i) {
        TSyain_ e;
        e.MCO = 1 + i * marks / count;   // ordered by mark, as the query returns them
        e.SCO = QString::number(i + 1);
        e.SCOT = QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0'));
        e.SNA = family[i % 10] + QStringLiteral("　") + given[(i / 10) % 10];
        e.SEIHI = 19600401 + (i % 40) * 10000;
        e.NYUHI = 19850401 + (i % 35) * 10000;
        e.KKYU1 = 180000 + (i * 37) % 150000;
        e.KKYU2 = 20000 + (i * 11) % 30000;
        e.KKYU3 = (i * 7) % 10000;
        e.TEATE1 = 10000 + (i * 13) % 20000;
        e.TEATE2 = (i * 3) % 5000;
        e.SYOUYO = 400000 + (i * 101) % 300000;
        e.SYOUYO2 = 450000 + (i * 103) % 300000;
        out << e;
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QList<GroupLine> lines = BuildGroupLines(20240401, employees(EmployeeCount, 10), {});
    const QString csvPath = dir.filePath(QStringLiteral("グループ別社員賃金レポート.CSV"));
    const QString xlsxPath = dir.filePath(QStringLiteral("グループ別社員賃金レポート.xlsx"));
    const SheetProperties properties{QStringLiteral("グループ別社員賃金レポート"), QStringLiteral("株式会社　金山鉄工所"),
                                     QStringLiteral("2024 年度")};

    auto writeCsv = [&] {
        return WriteCsvFile(csvPath, SheetCsvLines(GroupReportTable(GroupReportKind::Salary, lines)));
    };
    auto writeXlsx = [&] {
        QString error;
        if (WriteXlsxFile(xlsxPath, GroupReportTable(GroupReportKind::Salary, lines), properties, &error))
            return true;
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    };
    if (!writeCsv() || !writeXlsx())   // warm-up
        return 1;

    std::printf("group salary list of %d employees: CSV %lld bytes, xlsx %lld bytes\n", EmployeeCount,
                QFileInfo(csvPath).size(), QFileInfo(xlsxPath).size());
    std::printf("%4s %12s %12s %8s\n", "run", "xlsx ms", "CSV ms", "ratio");
    std::vector<double> xlsx, csv;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        if (!writeXlsx())
            return 1;
        const double x = t.nsecsElapsed() / 1e6;
        t.restart();
        if (!writeCsv())
            return 1;
        const double c = t.nsecsElapsed() / 1e6;
        xlsx.push_back(x);
        csv.push_back(c);
        std::printf("%4d %12.1f %12.1f %8.2f\n", i + 1, x, c, x / c);
    }
    const double ratio = median(xlsx) / median(csv);
    std::printf("%4s %12.1f %12.1f %8.2f\n", "med", median(xlsx), median(csv), ratio);
    std::printf("salary list as xlsx: ratio of medians %.2f against the CSV (aim: within 3)\n", ratio);
    return 0;
}
