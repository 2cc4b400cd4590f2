// ｻﾗﾘｰｽｹｰﾙ, the second page of the wage-table screen.
#include "wagetable/screens/WageTableScalePage.h"

#include "core/Numbers.h"
#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace WageTableForm;

WageTableScalePage::WageTableScalePage(QTabWidget& tabs)
    : WageTablePage(tabs, QStringLiteral("ｻﾗﾘｰｽｹｰﾙ"), QStringLiteral("TabSheet2"))
{
    QWidget* page = this;
    caption(page, QStringLiteral("賃金表ID"), QRect(20, 12, 70, 26));
    cmb2ScaleCode = new WageTableIdBox(page, QStringLiteral("cmb2ScaleCode"), 10, QRect(96, 12, 160, 26));

    const int x[] = {20, 96, 302, 378, 484, 560, 646};
    const int w[] = {70, 200, 70, 100, 70, 80, 100};
    const QString titles[] = {QStringLiteral("等級番号"), QStringLiteral("等級名称"), QStringLiteral("下限 (%)"),
                              QStringLiteral("中央値"),   QStringLiteral("上限 (%)"), QStringLiteral("スプレッド"),
                              QStringLiteral("レンジ")};
    for (int c = 0; c < 7; ++c)
        heading(page, titles[c], x[c], w[c]);

    // Created row by row so that Tab walks each row from left to right.
    for (int i = 0; i < 9; ++i) {
        auto at = [&](int c) { return QRect(x[c], RowTop + i * RowPitch, w[c], RowHeight); };
        txt1Tokyu[i] = makeEdit(page, QStringLiteral("txt1Tokyu%1").arg(i + 1), i, at(0), Qt::AlignHCenter);
        txt1TKName[i] = makeEdit(page, QStringLiteral("txt1TKName%1").arg(i + 1), i, at(1), Qt::AlignLeft);
        txtKagen[i] = makeEdit(page, QStringLiteral("txtKagen%1").arg(i + 1), i, at(2), Qt::AlignRight);
        txtKiso[i] = makeEdit(page, QStringLiteral("txtKiso%1").arg(i + 1), i, at(3), Qt::AlignRight);
        txtJyogen[i] = makeEdit(page, QStringLiteral("txtJyogen%1").arg(i + 1), i, at(4), Qt::AlignRight);
        txtSplet[i] = makeEdit(page, QStringLiteral("txtSplet%1").arg(i + 1), i, at(5), Qt::AlignRight);
        txtLenji[i] = makeEdit(page, QStringLiteral("txtLenji%1").arg(i + 1), i, at(6), Qt::AlignRight);
        makeDisplay(txt1Tokyu[i]);
        makeDisplay(txtSplet[i]);
        makeDisplay(txtLenji[i]);
        SetShiftJisLimit(*txt1TKName[i], 30);
        txtKagen[i]->setMaxLength(6);
        txtKiso[i]->setMaxLength(widthWithCommas(7));
        txtJyogen[i]->setMaxLength(6);
    }

    btnKijungaku = new QPushButton(QStringLiteral("基準額"), page);
    btnKijungaku->setObjectName(QStringLiteral("btnKijungaku"));
    btnKijungaku->setGeometry(20, 366, 100, 30);
    btnKijungaku->setAutoDefault(false);
    auto* note = caption(page,
                         QStringLiteral("同一等級の社員の基本給の平均額を表示し、これを参考に「中央値」をインプットします"),
                         QRect(132, 366, 620, 30));
    note->setWordWrap(true);
    connect(btnKijungaku, &QPushButton::clicked, this, &WageTableScalePage::baseAmountsAsked);

    connect(cmb2ScaleCode, &WageTableIdBox::edited, this, &WageTablePage::edited);
    for (int i = 0; i < 9; ++i) {
        reportEdits({txt1TKName[i], txtKagen[i], txtKiso[i], txtJyogen[i]});
        CheckWhenLeft(*txtKagen[i], [this, i] { return txtKagenExit(i); });
        CheckWhenLeft(*txtKiso[i], [this, i] { return txtKisoExit(i); });
        CheckWhenLeft(*txtJyogen[i], [this, i] { return txtJyogenExit(i); });
    }
}

void WageTableScalePage::reset()
{
    cmb2ScaleCode->reset(QString());
    resetRows();
}

void WageTableScalePage::resetRows()
{
    for (int i = 0; i < 9; ++i) {
        txt1Tokyu[i]->setText(QString::number(i + 1));
        txt1TKName[i]->clear();
        for (QLineEdit* e : {txtKagen[i], txtKiso[i], txtJyogen[i], txtSplet[i], txtLenji[i]})
            e->setText(QStringLiteral("0"));
    }
}

void WageTableScalePage::load(int id)
{
    resetRows();
    QList<TSCALE_> rows;
    if (id == 0 || !LoadSalaryScale(CurrentSession(), id, rows))
        return;
    for (int i = 0; i < rows.size() && i < 9; ++i) {
        const TSCALE_& r = rows[i];
        txt1Tokyu[i]->setText(r.TKNO);
        txt1TKName[i]->setText(r.TKNA);
        txtKagen[i]->setText(r.RITSU1);
        txtKiso[i]->setText(amountText(WholeNumberOrZero(r.KKIN)));
        txtJyogen[i]->setText(r.RITSU2);
        txtSplet[i]->setText(FormatFloat(QStringLiteral("#0.00"), DecimalNumberOrZero(r.SPKIN)));
        txtLenji[i]->setText(amountText(WholeNumberOrZero(r.RNKIN)));
    }
}

void WageTableScalePage::gather(SalaryListDefinition& def) const
{
    for (int i = 0; i < 9; ++i) {
        SalaryScaleRow& s = def.grades[i].scale;
        s.name = txt1TKName[i]->text();
        s.lowerPercent = whole(txtKagen[i]);
        s.median = whole(txtKiso[i]);
        s.upperPercent = DecimalNumberOrZero(txtJyogen[i]->text());
    }
}

void WageTableScalePage::colourRows(int gradeCount)
{
    for (int i = 0; i < 9; ++i) {
        const bool used = i < gradeCount;
        colourRowField(txt1Tokyu[i], RowField::GradeNumber, used, false);
        for (QLineEdit* e : {txtSplet[i], txtLenji[i]})
            colourRowField(e, RowField::Result, used, false);
        for (QLineEdit* e : {txt1TKName[i], txtKagen[i], txtKiso[i], txtJyogen[i]})
            colourRowField(e, RowField::Editable, used, false);
    }
}

DerivedCurveAmounts WageTableScalePage::derivedAmounts(int row) const
{
    return DeriveCurveAmounts(double(whole(txtKagen[row])), double(whole(txtKiso[row])),
                              DecimalNumberOrZero(txtJyogen[row]->text()));
}

// ---------------------------------------------------------------- field checks

void WageTableScalePage::updateScaleRow(int tag)
{
    const ScaleRowResult r = UpdateScaleRow(double(whole(txtKagen[tag])), double(whole(txtKiso[tag])),
                                            DecimalNumberOrZero(txtJyogen[tag]->text()));
    txtSplet[tag]->setText(r.spreadText);
    txtLenji[tag]->setText(r.rangeText);
}

bool WageTableScalePage::txtKagenExit(int tag)
{
    if (!CheckIntegerField(*txtKagen[tag], 6, 0, 0))
        return false;
    updateScaleRow(tag);
    return true;
}

bool WageTableScalePage::txtKisoExit(int tag)
{
    if (!CheckIntegerField(*txtKiso[tag], 7, 0, 0, QStringLiteral("#,##0")))
        return false;
    updateScaleRow(tag);
    return true;
}

bool WageTableScalePage::txtJyogenExit(int tag)
{
    if (!CheckRealField(*txtJyogen[tag], 6))
        return false;
    updateScaleRow(tag);
    return true;
}
