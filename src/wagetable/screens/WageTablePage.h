// What the tab pages of the wage-table screen (TPX2010) share: the page base, the box of a
// wage-table ID, the colours of the grade rows and the widget makers.
//
// The pages: WageTableBasicPage (基本設定), WageTableScalePage (ｻﾗﾘｰｽｹｰﾙ) and the two curve
// pages of WageTableCurvePages.h (２次曲線, ３次曲線). Each builds its fields, empties
// them, loads them for a wage table and gathers them into its definition; the screen
// coordinates them.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTabWidget;

// Colours of the grid rows: grade numbers, read-only results, editable fields, unused rows.
QColor GradeNumberColour();   // yellow
QColor ResultColour();        // sky blue
QColor EditableColour();      // window
QColor UnusedRowColour();     // button face

class WageTablePage : public QWidget {
    Q_OBJECT
public:
    // The page joins `tabs` under `title` before its fields are built, so that they are
    // made in the screen's font.
    WageTablePage(QTabWidget& tabs, const QString& title, const QString& objectName);

signals:
    // The user typed or clicked a value of the page.
    void edited();

protected:
    // What is typed into these fields is reported with edited().
    void reportEdits(const QList<QLineEdit*>& fields);
};

// The box of a wage-table ID on 基本設定 and on ｻﾗﾘｰｽｹｰﾙ: an editable list of the stored
// IDs. An ID typed or picked is checked when the box is left (a picked one at once) and then
// told with chosen(); what choosing it loads is the screen's.
class WageTableIdBox : public QComboBox {
    Q_OBJECT
public:
    WageTableIdBox(QWidget* parent, const QString& name, int maxLength, const QRect& geometry);

    // The stored IDs as the list; the text shown stays.
    void setIds(const QList<int>& ids);
    // Shows an ID (as its item when it is listed).
    void showId(const QString& text);
    // An empty list showing `text`, nothing typed.
    void reset(const QString& text);
    // The check when the box is left: nothing to do unless an ID was typed or picked since
    // the last check; otherwise the text must be an ID other than 0 (false after the
    // message), and chosen() tells it.
    bool checkWhenLeft();

signals:
    void edited();
    void chosen(int id, bool listed);

private:
    bool edited_ = false;
};

// The widget makers and the grade rows of the pages.
namespace WageTableForm {

// The grade rows: the top of the first, the distance between two, the height of one.
constexpr int RowTop = 76;
constexpr int RowPitch = 30;
constexpr int RowHeight = 26;

QLineEdit* makeEdit(QWidget* parent, const QString& name, int tag, const QRect& geometry, Qt::Alignment align);
// A read-only display field: not reached by Tab or Enter.
void makeDisplay(QLineEdit* e);
QLabel* heading(QWidget* parent, const QString& text, int x, int width);
QLabel* caption(QWidget* parent, const QString& text, const QRect& geometry);
// Room for the digits of a field and the commas its display format adds.
int widthWithCommas(int digits);
QString amountText(long long v);
long long whole(const QLineEdit* e);

// What a field of a grade row is, for its colour.
enum class RowField {
    GradeNumber,   // the grade's number
    Result,        // computed, read-only
    Editable,      // typed
    Derived,       // a curve amount: derived from the scale (read-only) in automatic mode, else typed
};
// A field of a grade row: rows above the grade count are disabled and greyed.
void colourRowField(QLineEdit* e, RowField kind, bool used, bool automatic);

} // namespace WageTableForm
