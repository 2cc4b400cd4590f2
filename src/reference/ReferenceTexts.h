// The confirmation texts the reference-data screens share (CR line breaks).
#pragma once

#include <QString>

inline const QString ConfirmCaption = QStringLiteral("確認");
inline const QString DeleteCaption = QStringLiteral("削除");

// "The data has changed" with what No does, for example "画面を閉じます。".
inline QString ChangedQuestion(const QString& whatNoDoes)
{
    return QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:") + whatNoDoes;
}

inline const QString CloseScreenText = QStringLiteral("画面を閉じます。");
inline const QString ToFirstText = QStringLiteral("最初のデータ　へ。");
inline const QString ToPreviousText = QStringLiteral("前のデータ　へ。");
inline const QString ToNextText = QStringLiteral("次のデータ　へ。");
inline const QString ToLastText = QStringLiteral("最後のデータ　へ。");

inline const QString DeleteQuestion =
    QStringLiteral("ﾃﾞｰﾀを削除しますか？\r【はい】:削除します。\r【いいえ】:戻ります。");

// Navigation among the stored records of a list screen.
enum class Move { First, Previous, Next, Last };

// The position a move leads to from position (1-based, 0 = none) among count records;
// 0 when the move does nothing (empty list, already at the start or the end).
inline int PositionAfterMove(Move move, int position, int count)
{
    if (count <= 0)
        return 0;
    switch (move) {
    case Move::First:
        return 1;
    case Move::Previous:
        return position > 1 ? position - 1 : 0;
    case Move::Next:
        return position < count ? position + 1 : 0;
    case Move::Last:
        return position < count ? count : 0;
    }
    return 0;
}

inline QString MoveText(Move move)
{
    switch (move) {
    case Move::First:
        return ToFirstText;
    case Move::Previous:
        return ToPreviousText;
    case Move::Next:
        return ToNextText;
    case Move::Last:
        return ToLastText;
    }
    return {};
}
