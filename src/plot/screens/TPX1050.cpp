// TPX1050: raise-curve design (昇給カーブの設計).
#include "plot/screens/TPX1050.h"

#include "plot/ChartModel.h"
#include "plot/screens/TPX1051.h"
#include "plot/screens/TPX1100.h"
#include "reference/ReferenceTexts.h"
#include "shell/screens/TfrmPrintPreview.h"
#include "shell/screens/AppState.h"
#include "core/Numbers.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"
#include "shell/screens/ExportSettings.h"
#include "plot/RaiseCurveDesignReport.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

const QString amountFormat = QStringLiteral("#,##0");
const QString fullWidthDigits = QStringLiteral("１２３４５");
const QString mustRegister = QStringLiteral("ﾃﾞｰﾀが変更されています。登録　してください。");

// Geometry of the five curve blocks: three in the upper row, two in the lower.
constexpr int BlockLeft = 542, BlockTop = 40, BlockWidth = 110, BlockHeight = 226, BlockGap = 2;
constexpr int RowHeight = 23;

QRect blockAt(int n)
{
    const int column = n % 3, row = n / 3;
    return {BlockLeft + column * (BlockWidth + BlockGap), BlockTop + row * (BlockHeight + 4), BlockWidth, BlockHeight};
}

} // namespace

TPX1050::TPX1050(QWidget* parent) : PlotSetupFrame(*SetupVariant(ChartCurveDesign), parent)
{
    txtTitle_ = findChild<QLineEdit*>(QStringLiteral("txtTitle"));
    txtBikou_ = findChild<QPlainTextEdit*>(variant().memoName);

    // The plot-mark choice takes the place of the frame's mark labels.
    QWidget* labels = markLabels_.first()->parentWidget();
    labels->hide();
    auto* GroupBox3 = new QGroupBox(QStringLiteral("ﾌﾟﾛｯﾄﾏｰｸ表示"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(labels->geometry());
    optLabelFalse_ = new QRadioButton(QStringLiteral("0 : しない"), GroupBox3);
    optLabelFalse_->setObjectName(QStringLiteral("optLabelFalse"));
    optLabelFalse_->setGeometry(12, 26, 150, 22);
    optLabelFalse_->setChecked(true);
    optLabelTrue_ = new QRadioButton(QStringLiteral("1 : する"), GroupBox3);
    optLabelTrue_->setObjectName(QStringLiteral("optLabelTrue"));
    optLabelTrue_->setGeometry(12, 54, 150, 22);

    for (int n = 0; n < DesignCurveCount; ++n) {
        auto* block = new QGroupBox(QStringLiteral("設計") + fullWidthDigits[n], this);
        block->setObjectName(QStringLiteral("GroupBoxCurve%1").arg(n + 1));
        block->setGeometry(blockAt(n));
        // The X caption over the X values, the Y caption over the amounts.
        auto* xHead = new QLabel(block);
        xHead->setObjectName(QStringLiteral("Label%1").arg(2 * n + 1, 3, 10, QChar('0')));
        xHead->setGeometry(4, 18, BlockWidth - 8, 16);
        auto* yHead = new QLabel(block);
        yHead->setObjectName(QStringLiteral("Label%1").arg(2 * n + 2, 3, 10, QChar('0')));
        yHead->setGeometry(4, 34, BlockWidth - 8, 16);
        yHead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        headings_[2 * n] = xHead;
        headings_[2 * n + 1] = yHead;
        for (int k = 0; k < DesignPointCount; ++k) {
            auto* x = new TRightEdit(block);
            x->setObjectName(QStringLiteral("txtNenrei%1%2").arg(n + 1).arg(k + 1));
            x->setGeometry(4, 52 + k * RowHeight, 30, 21);
            x->setMaxLength(2);
            auto* amount = new TRightEdit(block);
            amount->setObjectName(QStringLiteral("txtSyokunou%1%2").arg(n + 1).arg(k + 1));
            amount->setGeometry(36, 52 + k * RowHeight, BlockWidth - 40, 21);
            // Eight digits, shown with their separators.
            amount->setMaxLength(10);
            txtNenrei_[n][k] = x;
            txtSyokunou_[n][k] = amount;
            CheckWhenLeft(*x, [x] { return CheckIntegerField(*x, 2, 99, 0); });
            CheckWhenLeft(*amount, [amount] { return CheckIntegerField(*amount, 8, 99999999, 0, amountFormat); });
            for (QLineEdit* e : {x, amount})
                connect(e, &QLineEdit::textEdited, this, &TPX1050::markChanged);
        }
        chk_[n] = new QCheckBox(QStringLiteral("表示"), block);
        chk_[n]->setObjectName(QStringLiteral("chk%1").arg(n + 1));
        chk_[n]->setGeometry(4, 52 + DesignPointCount * RowHeight + 8, 48, 22);
        connect(chk_[n], &QCheckBox::toggled, this, &TPX1050::markChanged);
        QPushButton* legend = MakeButton(block, QStringLiteral("btnHanrei%1").arg(n + 1), QStringLiteral("凡　　例"));
        legend->setGeometry(52, 52 + DesignPointCount * RowHeight + 6, BlockWidth - 56, 26);
        connect(legend, &QPushButton::clicked, this, [this, n] { btnHanreiClick(n + 1); });
    }

    // The buttons of the design in the free place of the lower row.
    const QRect free = blockAt(DesignCurveCount);
    auto button = [&](const char* name, const char* caption, int row) {
        QPushButton* b = MakeButton(this, QString::fromLatin1(name), QString::fromUtf8(caption));
        b->setGeometry(free.left() + 6, free.top() + 10 + row * 50, free.width() - 12, 40);
        return b;
    };
    connect(button("btnAdd", "登　録", 0), &QPushButton::clicked, this, &TPX1050::btnAddClick);
    connect(button("btnSalaryList", "賃金表", 1), &QPushButton::clicked, this, &TPX1050::btnSalaryListClick);
    connect(button("btnFile", "CSV出力", 2), &QPushButton::clicked, this, [this] { btnFileClick(SheetFileKind::Csv); });
    connect(button("btnXlsx", "Excel出力", 3), &QPushButton::clicked, this,
            [this] { btnFileClick(SheetFileKind::Xlsx); });

    // 実行 in place of 分析, and 閉じる asking first: both look at the changed flag.
    QPushButton* exec = findChild<QPushButton*>(QStringLiteral("btnAnalize"));
    exec->setObjectName(QStringLiteral("btnExec"));
    exec->setText(QStringLiteral("実　行"));
    disconnect(exec, &QPushButton::clicked, nullptr, nullptr);
    connect(exec, &QPushButton::clicked, this, &TPX1050::btnExecClick);
    QPushButton* close = findChild<QPushButton*>(QStringLiteral("btnClose"));
    disconnect(close, &QPushButton::clicked, nullptr, nullptr);
    connect(close, &QPushButton::clicked, this, &TPX1050::btnCloseClick);

    // What sets the changed flag: the title, the commentary, the options and the select-all
    // buttons (and the checks and points above).
    connect(txtTitle_, &QLineEdit::textEdited, this, &TPX1050::markChanged);
    connect(txtBikou_, &QPlainTextEdit::textChanged, this, &TPX1050::markChanged);
    // A new X or Y item shows the curves stored for it, which leaves nothing unsaved.
    for (QRadioButton* option : findChildren<QRadioButton*>()) {
        const QString name = option->objectName();
        if (!name.startsWith(QLatin1String("optX")) && !name.startsWith(QLatin1String("optY")))
            connect(option, &QRadioButton::clicked, this, &TPX1050::markChanged);
    }
    for (const char* name : {"btnPlotAll", "btnPlotNothing", "btnTokyuAll", "btnTokyuNothing"})
        connect(findChild<QPushButton*>(QString::fromLatin1(name)), &QPushButton::clicked, this, &TPX1050::markChanged);
    for (int i = 1; i <= 6; ++i)
        for (const QString& name : {QStringLiteral("optX%1").arg(i), QStringLiteral("optY%1").arg(i)})
            connect(findChild<QRadioButton*>(name), &QRadioButton::toggled, this, [this](bool on) {
                if (!on)
                    return;
                showHeadings();
                if (!loading_)
                    LoadCurves();
            });

    // The plot window's 取込 stored a drawn curve: show it, and keep it marked as changed.
    RegisterSetupScreen(ChartCurveDesign, {this, [this] { Prepare(); }, [this] {
                                               LoadCurves();
                                               changed_ = true;
                                           }});
}

TPX1050::~TPX1050() = default;

void TPX1050::Prepare()
{
    loading_ = true;
    PlotSetupFrame::Prepare();
    clearPoints();
    for (QCheckBox* c : chk_)
        c->setChecked(false);
    txtBikou_->clear();
    loading_ = false;
    showHeadings();
    LoadCurves();
}

void TPX1050::clearPoints()
{
    for (int n = 0; n < DesignCurveCount; ++n)
        for (int k = 0; k < DesignPointCount; ++k) {
            txtNenrei_[n][k]->setText(QStringLiteral("0"));
            txtSyokunou_[n][k]->setText(QStringLiteral("0"));
        }
}

void TPX1050::showHeadings()
{
    const PlotSetupChoices c = choices();
    const QString x = variant().xItems[std::clamp(c.fx, 0, 5)].caption;
    const QString y = variant().yItems[std::clamp(c.fy, 0, 5)].caption;
    for (int n = 0; n < DesignCurveCount; ++n) {
        headings_[2 * n]->setText(x + fullWidthDigits[n]);
        headings_[2 * n + 1]->setText(y + fullWidthDigits[n]);
    }
}

void TPX1050::LoadCurves()
{
    const PlotSetupChoices c = choices();
    RaiseCurveDesign d;
    d.xCode = c.fx;
    d.yCode = c.fy;
    LoadDesignCurves(CurrentSession(), d);   // a failed read has shown its message; nothing is shown
    loading_ = true;
    curves_ = d.curves;
    for (int n = 0; n < DesignCurveCount; ++n) {
        const DesignCurve& curve = d.curves[n];
        for (int k = 0; k < DesignPointCount; ++k) {
            txtNenrei_[n][k]->setText(QString::number(curve.points[k].x));
            txtSyokunou_[n][k]->setText(FormatFloat(amountFormat, double(curve.points[k].amount)));
        }
        chk_[n]->setChecked(curve.plotted);
    }
    txtBikou_->setPlainText(d.commentary);
    loading_ = false;
    changed_ = false;
}

RaiseCurveDesign TPX1050::design() const
{
    const PlotSetupChoices c = choices();
    RaiseCurveDesign d;
    d.xCode = c.fx;
    d.yCode = c.fy;
    d.curves = curves_;
    for (int n = 0; n < DesignCurveCount; ++n) {
        for (int k = 0; k < DesignPointCount; ++k)
            d.curves[n].points[k] = {int(WholeNumberOrZero(txtNenrei_[n][k]->text())),
                                     WholeNumberOrZero(txtSyokunou_[n][k]->text())};
        d.curves[n].plotted = chk_[n]->isChecked();
    }
    d.commentary = txtBikou_->toPlainText();
    return d;
}

void TPX1050::readAdditions(PlotSetupChoices& c) const
{
    c.markLabel = 1;   // the employees' points are labelled by their evaluation symbol
    c.graphMode = optLabelTrue_->isChecked() ? 1 : 0;
}

void TPX1050::showAdditions(const PlotSetupChoices& c)
{
    (c.graphMode == 1 ? optLabelTrue_ : optLabelFalse_)->setChecked(true);
}

void TPX1050::markChanged()
{
    if (!loading_)
        changed_ = true;
}

void TPX1050::focusFirstPoint()
{
    txtNenrei_[0][0]->setFocus();
}

void TPX1050::btnAddClick()
{
    if (!SaveDesignCurves(CurrentSession(), design()))
        return;   // the record access layer has shown the error; the flag stays
    focusFirstPoint();
    changed_ = false;
}

void TPX1050::btnExecClick()
{
    if (changed_) {
        Dialogs().warning(AppTitle, mustRegister);
        focusFirstPoint();
        return;
    }
    btnAnalizeClick();
    if (errorFlag())
        focusFirstPoint();
}

void TPX1050::btnCloseClick()
{
    if (changed_ && Dialogs().yesNo(ConfirmCaption, ChangedQuestion(CloseScreenText))) {
        focusFirstPoint();
        return;
    }
    closing_ = true;
    PlotSetupFrame::btnCloseClick();
    closing_ = false;
}

void TPX1050::reject()
{
    if (closing_)
        PlotSetupFrame::reject();
    else
        btnCloseClick();
}

void TPX1050::btnHanreiClick(int n)
{
    TPX1051 legend(n, curves_[n - 1], this);
    ShowModal(legend);
    changed_ = true;
}

void TPX1050::btnSalaryListClick()
{
    ReportDocument doc;
    const Outcome prepared = PrepareDesignList(CurrentSession(), design(), txtTitle_->text(), doc);
    ShowOutcome(prepared);
    if (!prepared.ok)
        return;
    ComposeAndPreview(doc);
}

void TPX1050::btnFileClick(SheetFileKind kind)
{
    if (!Dialogs().yesNo(AppTitle, ExportQuestion(QStringLiteral("賃金表"), App().ExeFolder, kind)))
        return;
    ShowOutcome(ExportDesignCsv(CurrentSession(), design(), txtTitle_->text(), UserTableFileFormat(kind)));
}
