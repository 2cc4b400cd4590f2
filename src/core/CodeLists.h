// List texts "code : name", the code lists every screen shares, and the checks of
// codes and numbers typed into fields (the logic; the screens apply it to controls).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

inline const QString NoneItem = QStringLiteral("0 : なし");
inline const QString UnspecifiedItem = QStringLiteral("0 : 指定なし");
inline const QString UnregisteredSuffix = QStringLiteral(" : 未登録");

// code " : " name
QString CodeItemText(const QString& code, const QString& name);
// The text before the first blank.
QString CodeTextOf(const QString& item);
// The integer before the first blank; 0 when it is not one.
int CodeOf(const QString& item);
// The integer before " : "; 0 when there is none or it is not a number.
int SelectedCodeOf(const QString& item);
// The text after " : " (the whole item when it has none).
QString NameOf(const QString& item);
// (code, name): the text before " : " and at most 100 bytes after it; without " : "
// the whole text is the code and the name is ''.
void SplitCodeName(const QString& text, QString& code, QString& name);
// The n-th field (from 1) of text split at separator; the last runs to the end.
QString NthField(const QString& text, QChar separator, int n);
// Position of the first item whose text before " : " equals code, or -1.
int IndexOfCode(const QStringList& items, const QString& code);

// Grade items "1 : " + name 1 … "9 : " + name 9 (the company's TK01..TK09), then
// "0 : 指定なし".
QStringList GradeItems(const QString (&gradeNames)[9]);
// n " : " grade name n for n in 1..9, else ''.
QString GradeItemText(int n, const QString (&gradeNames)[9]);
// n " : " mark + two blanks + legend (MARK and HANREI of plot mark n) for n in 1..9, else ''.
QString MarkItemText(int n, const QString& mark, const QString& legend);
// "0 : 実線" … "5 : なし".
QStringList LineStyleItems();
// The line-style item at position n, n above 5 as 5.
QString LineStyleItemText(int n);
// "1".."4" for 役員, 正社員, パート, その他; "0" otherwise.
QString EmploymentTypeCode(const QString& word);

// Check-box rows as filter texts: " IN(2,5)" for boxes 2 and 5 ticked, " IN(99999)" for none.
QString InListOfChecked(const std::vector<bool>& ticked);
QString FlagsFromChecks(const std::vector<bool>& ticked);
std::vector<bool> ChecksFromFlags(const QString& flags, int count);

// The outcome of checking a field's text.
struct FieldCheck {
    bool ok = true;
    QString message;   // shown when not ok
    QString text;      // the text the field shows afterwards
    long long integer = 0;
    double real = 0;
};

// Whole number: commas removed; not an integer → "数値を入力してください。"; longer than
// maxLength, or (minimum or maximum non-zero and the value outside them) → "入力範囲外です。".
// A format (for example "#,##0") rewrites the text. Empty text is 0. With boxLength > 0
// the rewritten text must fit a box of that many characters, or "入力範囲外です。": a box
// would otherwise cut it ("1,234,567" in 8 characters is "1,234,56").
FieldCheck CheckIntegerText(const QString& text, int maxLength, long long maximum, long long minimum,
                            const QString& format, int boxLength = 0);
// The same for a decimal number, without the range test.
FieldCheck CheckRealText(const QString& text, int maxLength, const QString& format, int boxLength = 0);
// Commas removed; not an integer → "数値の入力エラーです。".
FieldCheck ParseInteger(const QString& text);

// The outcome of checking a code typed into a code list.
struct CodeCheck {
    bool ok = true;
    int code = 0;
    QString message;    // shown when not ok
    int itemIndex = -1; // the item to select, -1 for none
    QString text;       // the text the list shows afterwards
};
// checkEmpty false: an empty text passes with code 0. The text before its first blank
// must be an integer ("数値を入力して下さい。"), not 0 when refuseZero ("０は入力できません。");
// a listed code selects its item; an absent one is refused ("存在しないコードです。") when
// refuseAbsent, otherwise shown as the number followed by " : 未登録".
CodeCheck CheckCodeText(const QString& text, const QStringList& items, bool checkEmpty, bool refuseAbsent,
                        bool refuseZero);
