// Workbook benchmark: the group salary list of 10,000 generated employees written as an
// .xlsx workbook (libxlsxwriter) against the CSV file of the same table, in the same run.
// Both start from the grouped rows; each builds the typed table and writes its file.
//
//   sheet_bench [runs]     (default 7)
#include "BenchData.h"
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
    // Codes with leading zeros: the workbook keeps them as texts.
    QList<TSyain_> people = PaidEmployees(EmployeeCount, 10);
    for (qsizetype i = 0; i < people.size(); ++i)
        people[i].SCOT = QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0'));
    const QList<GroupLine> lines = BuildGroupLines(20240401, people, {});
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
    const double ratio = Median(xlsx) / Median(csv);
    std::printf("%4s %12.1f %12.1f %8.2f\n", "med", Median(xlsx), Median(csv), ratio);
    std::printf("salary list as xlsx: ratio of medians %.2f against the CSV (aim: within 3)\n", ratio);
    return 0;
}
