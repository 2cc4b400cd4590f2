// TBeforeUseForm: the guidance viewer that pages through the texts of the control database.
#include "shell/screens/TBeforeUseForm.h"

#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/ToolIcons.h"
#include "store/Conversions.h"
#include "store/DataModule.h"
#include "shell/screens/DialogService.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TBeforeUseForm::TBeforeUseForm(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TBeforeUseForm"), QStringLiteral("ご利用案内"), 480, 366);

    QFont big(QStringLiteral("Noto Sans CJK JP"));
    big.setPixelSize(15);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(10, 10, 40, 40);
    Image1->setPixmap(EmblemPixmap(40));
    Image1->setVisible(false);

    ED_Name = new QLineEdit(this);
    ED_Name->setObjectName(QStringLiteral("ED_Name"));
    ED_Name->setReadOnly(true);
    ED_Name->setFont(big);
    ED_Name->setGeometry(60, 14, 410, 30);

    ED_Memo = new QPlainTextEdit(this);
    ED_Memo->setObjectName(QStringLiteral("ED_Memo"));
    ED_Memo->setReadOnly(true);
    ED_Memo->setFont(big);
    ED_Memo->setGeometry(10, 56, 460, 250);

    struct Button {
        const char* name;
        const char* text;
        void (TBeforeUseForm::*slot)();
        int x;
    };
    const Button buttons[] = {{"BTN_Start", "|<", &TBeforeUseForm::BTN_StartClick, 10},
                              {"BTN_Pre", "<", &TBeforeUseForm::BTN_PreClick, 60},
                              {"BTN_Next", ">", &TBeforeUseForm::BTN_NextClick, 110},
                              {"BTN_Last", ">|", &TBeforeUseForm::BTN_LastClick, 160}};
    for (const Button& b : buttons) {
        auto* w = new QPushButton(QString::fromLatin1(b.text), this);
        w->setObjectName(QString::fromLatin1(b.name));
        w->setGeometry(b.x, 318, 44, 32);
        connect(w, &QPushButton::clicked, this, b.slot);
    }
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("BTN_Close"));
    close->setGeometry(380, 318, 90, 32);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    if (HasFDM()) {
        DbQuery& q = FDM().Query1;
        if (FDM().RunStatement(q, QStringLiteral("select Name,Memo,Kbn from Before order by ID"), 'S')) {
            for (; !q.eof(); q.next())
                pages_.append({VariantToText(q.value(0)), VariantToText(q.value(1)), VariantToText(q.value(2))});
            q.close();
        }
    }
    current_ = 0;
    showCurrentPage();
}

void TBeforeUseForm::showCurrentPage()
{
    if (current_ < 0 || current_ >= pages_.size())
        return;
    ED_Name->setText(pages_[current_].name);
    ED_Memo->setPlainText(pages_[current_].memo);
    Image1->setVisible(true);
}

void TBeforeUseForm::BTN_StartClick()
{
    current_ = 0;
    showCurrentPage();
}

void TBeforeUseForm::BTN_PreClick()
{
    if (current_ > 0)
        --current_;
    showCurrentPage();
}

void TBeforeUseForm::BTN_NextClick()
{
    if (current_ < pages_.size() - 1)
        ++current_;
    showCurrentPage();
}

void TBeforeUseForm::BTN_LastClick()
{
    current_ = qMax(0, int(pages_.size()) - 1);
    showCurrentPage();
}

void ShowGuidance(QWidget* parent)
{
    Dialogs().information(AppTitle, QStringLiteral("注意\r\nこれより表示されるご利用案内は製品版のご利用案内です。\r\n"
                                                   "本Limited版には適用されませんのでご注意下さい。"));
    TBeforeUseForm viewer(parent);
    CenterOnScreen(viewer);
    ShowModal(viewer);
}
