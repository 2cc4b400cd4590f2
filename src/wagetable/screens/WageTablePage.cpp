// What the tab pages of the wage-table screen share.
#include "wagetable/screens/WageTablePage.h"

#include "core/CodeLists.h"
#include "core/Numbers.h"
#include "shell/screens/ScreenHelpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

QColor GradeNumberColour()
{
    return QColor(0xFF, 0xFF, 0x00);
}

QColor ResultColour()
{
    return QColor(0xA6, 0xCA, 0xF0);
}

QColor EditableColour()
{
    return QColor(0xFF, 0xFF, 0xFF);
}

QColor UnusedRowColour()
{
    return QColor(0xF0, 0xF0, 0xF0);
}

// ---------------------------------------------------------------- the page

WageTablePage::WageTablePage(QTabWidget& tabs, const QString& title, const QString& objectName)
{
    setObjectName(objectName);
    tabs.addTab(this, title);
}

void WageTablePage::reportEdits(const QList<QLineEdit*>& fields)
{
    for (QLineEdit* e : fields)
        connect(e, &QLineEdit::textEdited, this, [this] { emit edited(); });
}

// ---------------------------------------------------------------- the ID box

WageTableIdBox::WageTableIdBox(QWidget* parent, const QString& name, int maxLength, const QRect& geometry)
    : QComboBox(parent)
{
    setObjectName(name);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->setMaxLength(maxLength);
    setGeometry(geometry);

    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        edited_ = true;
        emit edited();
    });
    connect(this, &QComboBox::activated, this, [this] {
        edited_ = true;
        emit edited();
        checkWhenLeft();
    });
    CheckWhenLeft(*this, [this] { return checkWhenLeft(); });
}

void WageTableIdBox::setIds(const QList<int>& ids)
{
    const QString text = currentText();
    clear();
    for (int id : ids)
        addItem(QString::number(id));
    setCurrentIndex(findText(text));
    setEditText(text);
}

void WageTableIdBox::showId(const QString& text)
{
    setCurrentIndex(findText(text));
    setEditText(text);
}

void WageTableIdBox::reset(const QString& text)
{
    clear();
    setEditText(text);
    edited_ = false;
}

bool WageTableIdBox::checkWhenLeft()
{
    if (!edited_)
        return true;
    int code = 0;
    if (!CheckCodeList(*this, true, false, true, &code))
        return false;
    edited_ = false;
    const bool listed = findText(QString::number(code)) >= 0;
    emit chosen(code, listed);
    return true;
}

// ---------------------------------------------------------------- widget makers

namespace WageTableForm {

namespace {

void paint(QLineEdit* e, const QColor& colour)
{
    QPalette p = e->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(g, QPalette::Base, colour);
    e->setPalette(p);
}

} // namespace

QLineEdit* makeEdit(QWidget* parent, const QString& name, int tag, const QRect& geometry, Qt::Alignment align)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setProperty("Tag", tag);
    e->setGeometry(geometry);
    e->setAlignment(align | Qt::AlignVCenter);
    return e;
}

void makeDisplay(QLineEdit* e)
{
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
}

QLabel* heading(QWidget* parent, const QString& text, int x, int width)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, 50, width, 22);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Raised);
    return l;
}

QLabel* caption(QWidget* parent, const QString& text, const QRect& geometry)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}

int widthWithCommas(int digits)
{
    return digits + (digits - 1) / 3 + 1;
}

QString amountText(long long v)
{
    return FormatFloat(QStringLiteral("#,##0"), double(v));
}

long long whole(const QLineEdit* e)
{
    return WholeNumberOrZero(e->text());
}

void colourRowField(QLineEdit* e, RowField kind, bool used, bool automatic)
{
    e->setEnabled(used);
    if (!used) {
        paint(e, UnusedRowColour());
        return;
    }
    switch (kind) {
    case RowField::GradeNumber:
        paint(e, GradeNumberColour());
        break;
    case RowField::Result:
        paint(e, ResultColour());
        break;
    case RowField::Editable:
        paint(e, EditableColour());
        break;
    case RowField::Derived:
        paint(e, automatic ? ResultColour() : EditableColour());
        e->setReadOnly(automatic);
        e->setFocusPolicy(automatic ? Qt::ClickFocus : Qt::StrongFocus);
        break;
    }
}

} // namespace WageTableForm
