// TPX1101: employee pop-up beside a plot point (profile, evaluations, career, pay), and the
// opening and closing of every point pop-up kind.
#include "plot/screens/TPX1101.h"

#include "plot/screens/TFS1106.h"
#include "plot/screens/TPX1107.h"
#include "shell/screens/AppState.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

namespace {

const QStringList PopupNamePrefixes = {QStringLiteral("PX1101"), QStringLiteral("PX1103"), QStringLiteral("PX1105"),
                                       QStringLiteral("FS1106"), QStringLiteral("PX1107")};

} // namespace

PointPopup::PointPopup(QWidget* owner, const QString& namePrefix, PopupKind kind, int sco)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint), tag_(sco)
{
    static int serial = 0;
    setObjectName(namePrefix + QStringLiteral("_%1").arg(++serial));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(PopupCaption(kind));
}

void PointPopup::closeOnClick(QWidget& widget)
{
    widget.installEventFilter(this);
}

void PointPopup::mousePressEvent(QMouseEvent* event)
{
    tag_ = 0;
    event->accept();
    close();
}

bool PointPopup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        tag_ = 0;
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

TPX1101::TPX1101(QWidget* owner, PopupKind kind, const TSyain_& employee)
    : PointPopup(owner, QStringLiteral("PX1101"), kind, employee.SCO.toInt())
{
    setFixedSize(194, 203);
    Label1 = new QLabel(PopupNameLine(kind, employee), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(4, 4, 185, 25);
    closeOnClick(*Label1);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(4, 32, 186, 166);
    closeOnClick(*panel);
    const PopupRows rows = PopupContents(CurrentSession(), kind, employee);
    const int ys[5] = {8, 32, 56, 76, 100};
    for (int i = 0; i < 5; ++i) {
        labTitle[i] = new QLabel(rows.titles[i], panel);
        labTitle[i]->setObjectName(QStringLiteral("labTitle%1").arg(i + 1));
        labTitle[i]->setGeometry(8, ys[i], 64, 18);
        Caption[i] = new QLabel(rows.values[i], panel);
        Caption[i]->setObjectName(QStringLiteral("Caption%1").arg(i + 1));
        Caption[i]->setGeometry(72, ys[i], 110, 18);
        // Amounts stand right-aligned, so that their digits line up.
        if (kind == PopupKind::Pay)
            Caption[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        closeOnClick(*labTitle[i]);
        closeOnClick(*Caption[i]);
    }
}

QList<PointPopup*> OpenPointPopups()
{
    QList<PointPopup*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* p = qobject_cast<PointPopup*>(w);
        if (!p)
            continue;
        for (const QString& prefix : PopupNamePrefixes)
            if (p->objectName().startsWith(prefix)) {
                out << p;
                break;
            }
    }
    return out;
}

PointPopup* OpenPointPopup(QWidget* owner, PopupKind kind, int sco, QPoint topLeft)
{
    for (PointPopup* p : OpenPointPopups())
        if (p->isVisible() && p->windowTitle() == PopupCaption(kind) && p->tag() == sco)
            return p;
    TSyain_ employee;
    bool found = false;
    if (!ReadPopupEmployee(CurrentSession(), sco, employee, found))
        return nullptr;
    if (!found)
        employee.SCO = QString::number(sco);
    PointPopup* popup = nullptr;
    switch (kind) {
    case PopupKind::OptimalWage: popup = new TFS1106(owner, employee); break;
    case PopupKind::Picture: popup = new TPX1107(owner, employee); break;
    default: popup = new TPX1101(owner, kind, employee); break;
    }
    popup->move(CascadedTopLeft(topLeft));
    popup->show();
    return popup;
}

QPoint CascadedTopLeft(QPoint wanted)
{
    QList<QPoint> taken;
    for (PointPopup* p : OpenPointPopups())
        if (p->isVisible())
            taken << p->pos();
    QPoint at = wanted;
    while (taken.contains(at))
        at += QPoint(PopupCascadeStep, PopupCascadeStep);
    return at;
}

void ClosePointPopups()
{
    for (PointPopup* p : OpenPointPopups()) {
        p->hide();
        delete p;
    }
}
