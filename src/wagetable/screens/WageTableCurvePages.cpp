// ２次曲線 and ３次曲線, the curve pages of the wage-table screen.
#include "wagetable/screens/WageTableCurvePages.h"

#include "core/Numbers.h"
#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"

#include <QLabel>
#include <QLineEdit>

using namespace WageTableForm;

namespace {

const QString FactorFormat = QStringLiteral("#,##0.000");

} // namespace

WageTableCurvePage::WageTableCurvePage(QTabWidget& tabs, const QString& title, const QString& objectName,
                                       const Columns& columns)
    : WageTablePage(tabs, title, objectName), points_(columns.points)
{
    QWidget* page = this;
    caption(page, QStringLiteral("等級数"), QRect(20, 12, 56, 26));
    gradeCount_ = makeEdit(page, QString::fromLatin1(columns.gradeCountName), 0, QRect(80, 12, 40, 26), Qt::AlignRight);
    makeDisplay(gradeCount_);

    heading(page, QStringLiteral("等級指定"), 20, columns.gradeWidth);
    for (const PointColumns& p : points_) {
        heading(page, QString::fromUtf8(p.stepTitle), p.stepX, p.stepWidth);
        heading(page, QString::fromUtf8(p.amountTitle), p.amountX, p.amountWidth);
    }
    steps_.resize(points_.size());
    amounts_.resize(points_.size());
    // Created row by row so that Tab walks each row from left to right.
    for (int i = 0; i < 9; ++i) {
        auto at = [&](int x, int w) { return QRect(x, RowTop + i * RowPitch, w, RowHeight); };
        auto name = [&](const char* family) { return QString::fromLatin1(family) + QString::number(i + 1); };
        grades_[i] = makeEdit(page, name(columns.gradeName), i, at(20, columns.gradeWidth), Qt::AlignHCenter);
        for (int p = 0; p < points_.size(); ++p) {
            const PointColumns& c = points_[p];
            steps_[p][i] = makeEdit(page, name(c.stepName), i, at(c.stepX, c.stepWidth), Qt::AlignRight);
            amounts_[p][i] = makeEdit(page, name(c.amountName), i, at(c.amountX, c.amountWidth), Qt::AlignRight);
        }
        makeDisplay(grades_[i]);
        for (int p = 0; p < points_.size(); ++p)
            steps_[p][i]->setMaxLength(3);
        for (int p = 0; p < points_.size(); ++p)
            amounts_[p][i]->setMaxLength(widthWithCommas(7));
    }
    caption(page, QStringLiteral("ベア用掛率"), QRect(20, 370, 80, 26));
    factor_ = makeEdit(page, QString::fromLatin1(columns.factorName), 0, QRect(100, 370, 90, 26), Qt::AlignRight);
    factor_->setMaxLength(widthWithCommas(8));
    caption(page, QStringLiteral("１％のベアでしたら1.01と入力します"), QRect(204, 370, 400, 26));

    for (int i = 0; i < 9; ++i)
        for (int p = 0; p < points_.size(); ++p) {
            reportEdits({steps_[p][i], amounts_[p][i]});
            CheckWhenLeft(*steps_[p][i], [this, p, i] { return stepExit(p, i); });
            CheckWhenLeft(*amounts_[p][i], [this, p, i] { return amountExit(p, i); });
        }
    reportEdits({factor_});
    CheckWhenLeft(*factor_, [this] { return factorExit(); });
}

void WageTableCurvePage::reset()
{
    gradeCount_->setText(QStringLiteral("0"));
    factor_->setText(QStringLiteral("1.000"));
    for (int i = 0; i < 9; ++i) {
        grades_[i]->setText(QString::number(i + 1));
        for (int p = 0; p < points_.size(); ++p) {
            steps_[p][i]->setText(QStringLiteral("0"));
            amounts_[p][i]->setText(QStringLiteral("0"));
        }
    }
}

void WageTableCurvePage::load(int id, const QString& gradeCount)
{
    reset();
    gradeCount_->setText(gradeCount);
    QList<StoredRow> rows;
    if (id == 0 || !readRows(id, rows))
        return;
    for (int i = 0; i < rows.size() && i < 9; ++i) {
        const StoredRow& r = rows[i];
        grades_[i]->setText(QString::number(r.grade));
        for (int p = 0; p < points_.size(); ++p) {
            steps_[p][i]->setText(QString::number(r.points[p].step));
            amounts_[p][i]->setText(amountText(r.points[p].amount));
        }
    }
    if (!rows.isEmpty())
        factor_->setText(FormatFloat(FactorFormat, rows.first().factor));
}

void WageTableCurvePage::showGradeCount(const QString& text)
{
    gradeCount_->setText(text);
}

void WageTableCurvePage::colourRows(int gradeCount, bool automatic)
{
    for (int i = 0; i < 9; ++i) {
        const bool used = i < gradeCount;
        colourRowField(grades_[i], RowField::GradeNumber, used, automatic);
        for (int p = 0; p < points_.size(); ++p) {
            colourRowField(steps_[p][i], RowField::Editable, used, automatic);
            const bool derived = points_[p].source != AmountSource::Typed;
            colourRowField(amounts_[p][i], derived ? RowField::Derived : RowField::Editable, used, automatic);
        }
    }
}

void WageTableCurvePage::showDerivedAmounts(int row, const DerivedCurveAmounts& d)
{
    for (int p = 0; p < points_.size(); ++p) {
        switch (points_[p].source) {
        case AmountSource::Start:
            amounts_[p][row]->setText(amountText(d.start));
            break;
        case AmountSource::Middle:
            amounts_[p][row]->setText(amountText(d.middle));
            break;
        case AmountSource::End:
            amounts_[p][row]->setText(amountText(d.end));
            break;
        case AmountSource::Typed:
            break;
        }
    }
}

double WageTableCurvePage::factor() const
{
    return DecimalNumberOrZero(factor_->text());
}

CurvePoint WageTableCurvePage::pointOnScreen(int row, int point) const
{
    return CurvePoint{int(whole(steps_[point][row])), whole(amounts_[point][row])};
}

// ---------------------------------------------------------------- field checks

// Steps are checked against -10..80; three characters so that -10 can be typed.
bool WageTableCurvePage::stepExit(int point, int row)
{
    return CheckIntegerField(*steps_[point][row], 3, HighestAllowedStep, LowestAllowedStep, points_[point].stepFormat);
}

bool WageTableCurvePage::amountExit(int point, int row)
{
    return CheckIntegerField(*amounts_[point][row], 7, 0, 0, QStringLiteral("#,##0"));
}

bool WageTableCurvePage::factorExit()
{
    return CheckRealField(*factor_, 8, FactorFormat);
}

// ---------------------------------------------------------------- ２次曲線

SecondOrderCurvePage::SecondOrderCurvePage(QTabWidget& tabs)
    : WageTableCurvePage(tabs, QStringLiteral("２次曲線"), QStringLiteral("TabSheet3"),
                         {"txt2TKSuu",
                          "txt2Tokyu",
                          70,
                          {{"txt2Stgosu", "開始号数", 96, 70, QStringLiteral("#,##0"), "txt2Salary", "開始賃金", 172, 100,
                            AmountSource::Start},
                           {"txt2Cgosu", "中間号数", 278, 70, QStringLiteral("0"), "txt2CSalary", "中間賃金", 354, 100,
                            AmountSource::Middle},
                           {"txt2EndGosu", "終了号数", 460, 70, QStringLiteral("##0"), "txt2EndSalary", "終了賃金", 536,
                            100, AmountSource::End}},
                          "txt2Kakeritsu"})
{
}

bool SecondOrderCurvePage::readRows(int id, QList<StoredRow>& rows) const
{
    QList<T2JI_> stored;
    if (!LoadSecondOrderCurves(CurrentSession(), id, stored))
        return false;
    for (const T2JI_& r : stored)
        rows.append({r.TKNO, {{r.SGOUSU, r.SKIN}, {r.C1GOUSU, r.C1KIN}, {r.EGOUSU, r.EKIN}}, r.KRITSU});
    return true;
}

void SecondOrderCurvePage::gather(SalaryListDefinition& def) const
{
    for (int i = 0; i < 9; ++i)
        for (int p = 0; p < 3; ++p)
            def.grades[i].second[p] = pointOnScreen(i, p);
}

// ---------------------------------------------------------------- ３次曲線

ThirdOrderCurvePage::ThirdOrderCurvePage(QTabWidget& tabs)
    : WageTableCurvePage(tabs, QStringLiteral("３次曲線"), QStringLiteral("TabSheet4"),
                         {"txt3TKSuu",
                          "txt3Tokyu",
                          60,
                          {{"txtStGosu", "開始号数", 86, 60, QString(), "txtStSalary", "開始賃金", 152, 90, AmountSource::Start},
                           {"txtC1Gosu", "中間号数", 248, 60, QString(), "txtC1Salary", "中間賃金", 314, 90,
                            AmountSource::Middle},
                           {"txtC2Gosu", "中間号数", 410, 60, QString(), "txtC2Salary", "中間賃金", 476, 90,
                            AmountSource::Typed},
                           {"txtEndGosu", "終了号数", 572, 60, QString(), "txtEndSalary", "終了賃金", 638, 90,
                            AmountSource::End}},
                          "txt3Kakeritsu"})
{
}

bool ThirdOrderCurvePage::readRows(int id, QList<StoredRow>& rows) const
{
    QList<T3JI_> stored;
    if (!LoadThirdOrderCurves(CurrentSession(), id, stored))
        return false;
    for (const T3JI_& r : stored)
        rows.append({r.TKNO,
                     {{r.SGOUSU, r.SKIN}, {r.C1GOUSU, r.C1KIN}, {r.C2GOUSU, r.C2KIN}, {r.EGOUSU, r.EKIN}},
                     r.KRITSU});
    return true;
}

void ThirdOrderCurvePage::gather(SalaryListDefinition& def) const
{
    for (int i = 0; i < 9; ++i)
        for (int p = 0; p < 4; ++p)
            def.grades[i].third[p] = pointOnScreen(i, p);
}
