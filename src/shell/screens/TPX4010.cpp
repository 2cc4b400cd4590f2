// TPX4010: the version dialog.
#include "shell/screens/TPX4010.h"

#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/ToolIcons.h"

#include <QDir>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* captionBar(QWidget* parent, const QString& name, const QString& text, const QColor& back, int y)
{
    auto* bar = new QLabel(text, parent);
    bar->setObjectName(name);
    bar->setAlignment(Qt::AlignCenter);
    bar->setAutoFillBackground(true);
    bar->setStyleSheet(QStringLiteral("background-color: %1; color: white; font-weight: bold;").arg(back.name()));
    bar->setGeometry(12, y, 356, 24);
    return bar;
}

} // namespace

TPX4010::TPX4010(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX4010"), QStringLiteral("バージョン情報"), 400, 330);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Bevel1"));
    frame->setGeometry(8, 8, 384, 270);
    frame->setStyleSheet(QStringLiteral("QFrame#Bevel1 { background-color: #808000; }"));

    auto* panel = new QFrame(frame);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(4, 4, 376, 262);
    // The lime panel takes the colour red 128, green 255, blue 0 when it is created.
    panel->setStyleSheet(QStringLiteral("QFrame#Panel1 { background-color: rgb(128, 255, 0); }"));

    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setGeometry(8, 8, 92, 92);
    picture->setPixmap(EmblemPixmap(92));

    QFont bold(QStringLiteral("Noto Sans CJK JP"));
    bold.setPixelSize(15);
    bold.setBold(true);
    auto makeLabel = [&](const QString& name, const QString& text, int y) {
        auto* l = new QLabel(text, panel);
        l->setObjectName(name);
        l->setFont(bold);
        l->setStyleSheet(QStringLiteral("color: blue;"));
        l->setGeometry(108, y, 262, 24);
        return l;
    };
    labAppTitle = makeLabel(QStringLiteral("labAppTitle"), AppTitle, 14);
    labAPPKata = makeLabel(QStringLiteral("labAPPKata"), QStringLiteral("型式 ： Free_Wageloom_Slim"), 44);
    labAppVersion = makeLabel(QStringLiteral("labAppVersion"), QStringLiteral("Version ： 1.7x_Free"), 74);

    captionBar(panel, QStringLiteral("labCaption1"), QStringLiteral("賃金プロット・昇給カーブの分析"), QColor(0, 102, 153), 124);
    captionBar(panel, QStringLiteral("labCaption2"), QStringLiteral("賃金表の作成・昇給管理"), QColor(153, 51, 102), 160);
    captionBar(panel, QStringLiteral("labCaption3"), QStringLiteral("レポート・CSV出力"), QColor(51, 102, 0), 196);

    // The program folder in use: where the data of this run lives.
    labFolder = new QLabel(panel);
    labFolder->setObjectName(QStringLiteral("labFolder"));
    QFont small(QStringLiteral("Noto Sans CJK JP"));
    small.setPixelSize(11);
    labFolder->setFont(small);
    labFolder->setGeometry(8, 226, 360, 32);
    labFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setGeometry(150, 288, 100, 30);
    connect(close, &QPushButton::clicked, this, &TPX4010::btnCloseClick);
}

void TPX4010::Prepare()
{
    const QString folder = QDir::toNativeSeparators(App().ExeFolder);
    const QString shown = QFontMetrics(labFolder->font()).elidedText(folder, Qt::ElideMiddle, labFolder->width());
    labFolder->setText(QStringLiteral("プログラムフォルダ：\n") + shown);
    labFolder->setToolTip(folder);
}
