// Standard cost of living (MSEIKEI): sets of up to six household rows under one code.
#pragma once

#include "shell/Session.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// One household row as the screen holds it (cost in thousand yen).
struct CostRow {
    long long size = 0;   // 所帯人員
    long long age = 0;    // 所帯年齢
    double cost = 0;      // 生計費
    double comfort = 0;   // 愉楽率
    double minimum = 0;   // 最低率
    double single = 0;    // 単身率

    // A row is stored when any of age, cost and the rates is not 0.
    bool hasValues() const { return age != 0 || cost != 0 || comfort != 0 || minimum != 0 || single != 0; }
};
using CostRows = std::array<CostRow, 6>;

// A set: its rows and the set-level values written on every row.
struct CostSet {
    QList<CostRow> rows;
    double multiplier = 0;   // 掛率
    QString source;          // 出所
    QString region;          // 対象地域
    QString surveyTime;      // 調査時点
    QString valuesNote;      // 入力数値
};

inline const QString CostCodeMissingMessage = QStringLiteral("生計費コードが入力されていません。");
inline const QString HouseholdSizeMissingMessage = QStringLiteral("世帯人員が入力されていません。");
inline const QString HouseholdDuplicateMessage = QStringLiteral("世帯人員，年齢が重複しています。");

// The first fault of the rows in screen order: a row with values but no household size, or
// two rows with the same size and the same non-zero age. row is the 0-based row at fault.
struct CostRowsCheck {
    bool ok = true;
    QString message;
    int row = -1;
};
CostRowsCheck CheckCostRows(const CostRows& rows);

// The six screen rows for a stored set: its rows in order (further rows ignored), then rows
// whose household size continues after the last stored one. Without stored rows, row n
// has size n.
CostRows CostRowsForScreen(const QList<CostRow>& stored);

// The sets are read from and written to the session's year database.
// The code list: one item per set, "SKCO : " + the source of its first row.
QStringList CostSetItems(const Session& s);
// Reads the set of a code, rows ordered by size and age. false on failure.
bool ReadCostSet(const Session& s, int code, CostSet& set);
// Replaces the set of a code: its rows deleted, every row with values inserted with the
// session's company and year, all in one transaction. false on failure.
bool SaveCostSet(const Session& s, int code, const CostRows& rows, const CostSet& setValues);
bool DeleteCostSet(const Session& s, int code);
