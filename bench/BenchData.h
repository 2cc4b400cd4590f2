// What the benchmarks share: the generated employees, a fresh program folder with a year
// database, the bare sqlite3 read they compare with, and the statistics. Failures the data
// store reports go to standard error.
#pragma once

#include "store/Records.h"

#include <QByteArray>
#include <QList>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <vector>

inline constexpr int BenchEmployeeCount = 10000;
inline constexpr int BenchKco = 1;
inline constexpr int BenchYear = 2024;

// The lines of the generated CSV file: the export's headings plus 公的資格, quoted texts;
// the same employees on every call.
QStringList GeneratedEmployeeLines();

bool WriteBytes(const QString& path, const QByteArray& bytes);

// A temporary program folder with fresh copies of the supplied databases; BENCH_KEEP=1
// keeps it. false with a message on stderr.
bool MakeProgramFolder(QTemporaryDir& dir);

// The register's list query and the first employee's full row, read straight through the
// sqlite3 C API from the year database at path: every column of every row fetched as text.
// Returns the milliseconds; rows receives the list's row count.
double BareRegisterRead(const QString& path, int& rows, bool withFirstEmployee);
// The bytes the bare reads fetched (kept, so that no read is optimised away).
extern size_t BareReadBytes;

double Ms(const QElapsedTimer& t);
double Median(std::vector<double> v);

// count employees with pay, bonuses and dates, ordered by their mark (1 .. marks) as the
// group reports' query returns them; 社員番号 10001, 10002, ...
QList<TSyain_> PaidEmployees(int count, int marks);
