// Mechanisms every screen shares: Enter moves to the next control, fields checked when
// left, Shift-JIS byte limits, modal showing through one place, the busy cursor, and the
// shared routines that take a control (code lists, field checks, pictures, check boxes).
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QList>
#include <QString>

#include <functional>

class QAbstractButton;
class QHBoxLayout;
class QPushButton;
class QComboBox;
class QLabel;

// ---------------------------------------------------------------- showing screens

// Shows a screen modally and returns its result. Tests replace the way it is shown so
// that no nested event loop runs; the hook gets the screen and returns its result.
int ShowModal(QDialog& screen);
using ModalHook = std::function<int(QDialog&)>;
void SetModalHookForTesting(ModalHook hook);
// Centres a window on the screen (desktop) it is on.
void CenterOnScreen(QWidget& window);

// The hourglass for the lifetime of the object.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// ---------------------------------------------------------------- keyboard and focus

// Enter (or Return) in any control under root moves the focus to the next control of
// the tab order; the key itself is swallowed. Buttons and multi-line editors keep it.
void InstallEnterMovesFocus(QWidget& root);

// Runs check when the focus leaves the field; while it returns false the focus returns
// to the field. Focus lost to a message box or a popup does not count as leaving, nor
// focus taken by a button for which LeavesFieldsUnchecked holds.
void CheckWhenLeft(QWidget& field, std::function<bool()> check);
// The screens' cancel and close buttons (btnCancel, btnClose, BTN_Close): they always work,
// so moving to them runs no field check and never traps the user in a field.
bool LeavesFieldsUnchecked(const QWidget& widget);
// Runs action whenever the focus leaves the field (no focus return).
void OnLeave(QWidget& field, std::function<void()> action);

// Limits what can be typed into an edit box to maxBytes bytes of Shift-JIS.
void SetShiftJisLimit(QLineEdit& edit, int maxBytes);

// Edit boxes with right-aligned and centred text.
class TRightEdit : public QLineEdit {
public:
    explicit TRightEdit(QWidget* parent = nullptr);
};
class TCenterEdit : public QLineEdit {
public:
    explicit TCenterEdit(QWidget* parent = nullptr);
};

// A push button with its component name that Enter does not press by default.
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption);

// The record counters and the four navigation buttons (first, back, next, last) of the
// screens that page through stored rows: btnFirst, btnPrior, txtCureentNo "/" txtLastNo,
// btnNext, btnLast, laid out in a row.
struct RecordNavigator {
    QHBoxLayout* layout = nullptr;
    QPushButton* first = nullptr;
    QPushButton* prior = nullptr;
    QPushButton* next = nullptr;
    QPushButton* last = nullptr;
    QLineEdit* current = nullptr;
    QLineEdit* count = nullptr;
};
RecordNavigator MakeRecordNavigator(QWidget* parent);

// A fixed-size, centred form with the screens' font.
void SetupFixedForm(QDialog& form, const QString& objectName, const QString& caption, int width, int height);

// ---------------------------------------------------------------- code lists

// Empties the list, adds "0 : なし" when withNone, then the COMBNAME of every row of the
// statement (run on Query21 of the project database).
void FillListFromQuery(QComboBox& list, const QString& statement, bool withNone, const QVariantList& values = {});
// The evaluations of a wage table (HCO " : " HKIGOU), then "0 : なし" at the end.
void FillEvaluationList(QComboBox& list, int wageTableId);
void FillGradeList(QComboBox& list);
void FillLineStyles(QComboBox& list);
// Selects the first item whose code (before " : ") equals code; shows it in an editable
// list. Returns its position or -1.
int SelectItemByCode(QComboBox& list, const QString& code);
// The code of the current item (or, for an editable list, of its text); 0 without one.
int SelectedItemCode(const QComboBox& list);
QString SelectedItemName(const QComboBox& list);
// The item for a code text (selected), '' for an empty code or for 0 when zeroIsEmpty,
// else the number followed by " : 未登録".
QString ItemTextForCode(QComboBox& list, const QString& codeText, bool zeroIsEmpty);
// The items of a list as texts.
QStringList ItemsOf(const QComboBox& list);
// Shows text in a list: the matching item selected, or (editable) the text itself.
void ShowListText(QComboBox& list, const QString& text);
// The shared code check on a list, with its messages; code receives the number.
bool CheckCodeList(QComboBox& list, bool checkEmpty, bool refuseAbsent, bool refuseZero, int* code = nullptr);

// ---------------------------------------------------------------- field checks

// Whole number in the field (commas removed); messages "数値を入力してください。" and
// "入力範囲外です。"; with a format the field shows the value in it, and a value whose
// formatted text does not fit the field's maximum length is refused as out of range.
bool CheckIntegerField(QLineEdit& field, int maxLength, long long maximum, long long minimum,
                       const QString& format = QString());
bool CheckRealField(QLineEdit& field, int maxLength, const QString& format = QString());

// ---------------------------------------------------------------- pictures and check boxes

// Loads Picture/<name> into the label; clears the picture (and the name) on failure.
bool LoadPicture(QLabel& image, QString& name);

QString InListOfChecked(const QList<QAbstractButton*>& boxes);
QString FlagsFromChecks(const QList<QAbstractButton*>& boxes);
void SetChecksFromFlags(const QList<QAbstractButton*>& boxes, const QString& flags);
void SetAllChecks(const QList<QAbstractButton*>& boxes, bool state);
int FirstCheckedIndex(const QList<QAbstractButton*>& buttons);
