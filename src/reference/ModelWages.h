// Model data sets (MDEL) and their model wages (MDCHINGIN) in the control database.
#pragma once

#include "shell/Session.h"
#include "store/Records.h"

#include <QList>

inline const QString ModelCodeMissingMessage = QStringLiteral("モデルコードが入力されていません。");
inline const QString ModelWageCodeMissingMessage = QStringLiteral("モデル賃金コードが入力されていません。");
inline const QString NoChangesMessage = QStringLiteral("ﾃﾞｰﾀの変更がありません。");

// Every routine works on the session's control database.

// Every set ordered by MDCO. false on failure.
bool ReadModelSets(const Session& s, QList<TMODEL_>& sets);
// Writes a set under its MDCO: updated, inserted when there is none.
bool SaveModelSet(const Session& s, TMODEL_& set);
// Deletes the set's MDEL row; its model wages stay.
bool DeleteModelSet(const Session& s, int code);

// The model wages of a set ordered by MCCO. false on failure.
bool ReadModelWages(const Session& s, int modelCode, QList<TMDCHNGIN_>& wages);
// Writes a wage row under its MDCO and MCCO: updated, inserted when there is none.
bool SaveModelWage(const Session& s, TMDCHNGIN_& wage);
bool DeleteModelWage(const Session& s, int modelCode, int wageCode);
