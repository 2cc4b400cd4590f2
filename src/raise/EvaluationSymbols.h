// Evaluation symbols of a wage table (MHYOUKA): code, symbol and step increment per row.
#pragma once

#include "shell/Session.h"

#include <QList>
#include <QString>

// A row of the evaluation grid, texts as typed.
struct EvaluationRow {
    QString code;     // 評価コード
    QString symbol;   // 評価記号
    QString steps;    // 昇号数
};

inline const QString SymbolMissingMessage = QStringLiteral("評価記号を入力して下さい。");
inline const QString CodeDuplicateMessage = QStringLiteral("評価コードが重複しています。");
inline const QString SymbolDuplicateMessage = QStringLiteral("評価記号が重複しています。");
inline const QString CodeNotNumberMessage = QStringLiteral("数値を入力して下さい。");

// The first fault, rows from the top. Only rows with a code take part: the symbol must
// not be empty, the code must be a whole number, 昇号数 empty or a whole number, and
// neither code nor symbol may equal that of another such row. row is 0-based, column the
// grid column at fault (1 code, 2 symbol, 3 昇号数).
struct EvaluationCheck {
    bool ok = true;
    QString message;
    int row = -1;
    int column = 0;
};
EvaluationCheck CheckEvaluationRows(const QList<EvaluationRow>& rows);

// The code of a row appended after the row at index left: its code + 1, or when that is
// not a whole number the largest whole-number code of the rows + 1 (1 when there is none).
QString NextEvaluationCode(const QList<EvaluationRow>& rows, int left);

// The rows of a wage table of the session's project by code (0 = not tied to a wage table).
bool ReadEvaluations(const Session& s, int wageTableId, QList<EvaluationRow>& rows);
// Replaces the rows of a wage table of the session's project by the rows that have a code,
// in order, in one transaction; the step is 0 when it is not a whole number. false on
// failure (the store has reported it).
bool SaveEvaluations(const Session& s, int wageTableId, const QList<EvaluationRow>& rows);
