// TPX1051: legend of a trial raise curve (試行昇給曲線　凡例).
#include "plot/screens/TPX1051.h"

#include "reference/BasicSettings.h"
#include "core/CodeLists.h"
#include "core/Colors.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

namespace {

const QStringList widthItems = {"1", "2", "3", "4", "5"};

QComboBox* codeList(QWidget* parent, const QString& name, const QRect& at)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setGeometry(at);
    return c;
}

QLabel* caption(QWidget* parent, const QString& text, const QRect& at)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(at);
    return l;
}

// Shows a number in a list: its item selected when listed, else the number as text.
void showNumber(QComboBox& list, int value)
{
    const int i = IndexOfCode(ItemsOf(list), QString::number(value));
    list.setCurrentIndex(i);
    list.setEditText(i >= 0 ? list.itemText(i) : QString::number(value));
}

} // namespace

TPX1051::TPX1051(int n, DesignCurve& curve, QWidget* parent) : QDialog(parent), curve_(curve)
{
    SetupFixedForm(*this, QStringLiteral("TPX1051"), QStringLiteral("試行昇給曲線　凡例"), 496, 450);

    txtName_ = new QLineEdit(QStringLiteral("曲線番号(%1)").arg(n), this);
    txtName_->setObjectName(QStringLiteral("txtName"));
    txtName_->setReadOnly(true);
    txtName_->setFocusPolicy(Qt::NoFocus);
    txtName_->setGeometry(16, 12, 140, 24);

    auto* GroupBox1 = new QGroupBox(QStringLiteral("凡例"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(16, 44, 464, 58);
    txtHanrei_ = new QLineEdit(GroupBox1);
    txtHanrei_->setObjectName(QStringLiteral("txtHanrei"));
    txtHanrei_->setGeometry(12, 22, 440, 24);
    SetShiftJisLimit(*txtHanrei_, 40);

    auto* GroupBox2 = new QGroupBox(QStringLiteral("説明"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(16, 108, 464, 58);
    txtComment_ = new QLineEdit(GroupBox2);
    txtComment_->setObjectName(QStringLiteral("txtComment"));
    txtComment_->setGeometry(12, 22, 440, 24);
    SetShiftJisLimit(*txtComment_, 100);

    auto* GroupBox9 = new QGroupBox(QStringLiteral("座標軸"), this);
    GroupBox9->setObjectName(QStringLiteral("GroupBox9"));
    GroupBox9->setGeometry(16, 174, 464, 192);
    caption(GroupBox9, QStringLiteral("曲線色"), {14, 28, 70, 24});
    QPushButton* btnColor = MakeButton(GroupBox9, QStringLiteral("btnColor"), QStringLiteral("カラー設定"));
    btnColor->setGeometry(92, 26, 96, 28);
    Label101_ = new QLabel(QStringLiteral("＋"), GroupBox9);
    Label101_->setObjectName(QStringLiteral("Label101"));
    Label101_->setGeometry(200, 24, 30, 30);
    QFont mark = Label101_->font();
    mark.setPointSize(16);
    mark.setBold(true);
    Label101_->setFont(mark);

    caption(GroupBox9, QStringLiteral("曲線種類"), {14, 66, 70, 24});
    cmbSensyu_ = codeList(GroupBox9, QStringLiteral("cmbSensyu"), {92, 64, 140, 26});
    caption(GroupBox9, QStringLiteral("曲線幅"), {250, 66, 60, 24});
    cmbSenhaba_ = codeList(GroupBox9, QStringLiteral("cmbSenhaba"), {310, 64, 60, 26});

    caption(GroupBox9, QStringLiteral("見本"), {14, 108, 70, 24});
    imgDisp_ = new QLabel(GroupBox9);
    imgDisp_->setObjectName(QStringLiteral("imgDisp"));
    imgDisp_->setGeometry(92, 116, 161, 9);
    auto* note = caption(GroupBox9, QStringLiteral("注意！　曲線幅が２以上の場合、曲線の種類は「実線」のみ有効です。"),
                         {14, 146, 440, 36});
    note->setObjectName(QStringLiteral("lblNote"));
    note->setWordWrap(true);

    QPushButton* btnAdd = MakeButton(this, QStringLiteral("btnAdd"), QStringLiteral("登　録"));
    btnAdd->setGeometry(320, 390, 76, 40);
    btnAdd->hide();
    QPushButton* btnClose = MakeButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    btnClose->setGeometry(404, 390, 76, 40);

    connect(btnColor, &QPushButton::clicked, this, &TPX1051::btnColorClick);
    connect(btnClose, &QPushButton::clicked, this, &TPX1051::btnCloseClick);
    CheckWhenLeft(*cmbSensyu_, [this] { return cmbSensyuExit(); });
    CheckWhenLeft(*cmbSenhaba_, [this] { return cmbSenhabaExit(); });
    // Choosing an item takes effect at once; a typed code when the list is left.
    connect(cmbSensyu_, &QComboBox::activated, this, [this] { takeStyle(); });
    connect(cmbSenhaba_, &QComboBox::activated, this, [this] { takeWidth(); });
    InstallEnterMovesFocus(*this);

    FillLineStyles(*cmbSensyu_);
    cmbSensyu_->setEditText(LineStyleItemText(5));
    cmbSenhaba_->addItems(widthItems);
    showCurve();
}

void TPX1051::showCurve()
{
    txtHanrei_->setText(curve_.legend);
    txtComment_->setText(curve_.explanation);
    showNumber(*cmbSensyu_, curve_.style);
    showNumber(*cmbSenhaba_, curve_.width);
    drawSample();
}

void TPX1051::drawSample()
{
    const TColor colour = ColorFromText(curve_.colour);
    QPalette p = Label101_->palette();
    p.setColor(QPalette::WindowText, QColor::fromRgb(ColorToRgb(colour)));
    Label101_->setPalette(p);
    imgDisp_->setPixmap(QPixmap::fromImage(sampleImage()));
}

QImage TPX1051::sampleImage() const
{
    return DrawLineSample(ColorFromText(curve_.colour), curve_.style, curve_.width);
}

void TPX1051::btnColorClick()
{
    if (const auto c = Dialogs().chooseColor(ColorFromText(curve_.colour))) {
        curve_.colour = ColorToText(*c);
        drawSample();
    }
}

void TPX1051::takeStyle()
{
    curve_.style = std::clamp(CodeOf(cmbSensyu_->currentText()), 0, 5);
    drawSample();
}

void TPX1051::takeWidth()
{
    curve_.width = std::clamp(CodeOf(cmbSenhaba_->currentText()), 0, 5);
    drawSample();
}

bool TPX1051::cmbSensyuExit()
{
    if (!CheckCodeList(*cmbSensyu_, true, true, false))
        return false;
    takeStyle();
    return true;
}

bool TPX1051::cmbSenhabaExit()
{
    if (!CheckCodeList(*cmbSenhaba_, true, true, false))
        return false;
    takeWidth();
    return true;
}

void TPX1051::btnCloseClick()
{
    curve_.legend = txtHanrei_->text();
    curve_.explanation = txtComment_->text();
    accept();
}
