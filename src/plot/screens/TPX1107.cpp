// TPX1107: picture pop-up of a plot point (7.イメージ): the employee's picture under the name line.
#include "plot/screens/TPX1107.h"

#include "shell/screens/ScreenHelpers.h"

#include <QLabel>

TPX1107::TPX1107(QWidget* owner, const TSyain_& employee)
    : PointPopup(owner, QStringLiteral("PX1107"), PopupKind::Picture, employee.SCO.toInt())
{
    setFixedSize(188, 171);
    Label1 = new QLabel(PopupNameLine(PopupKind::Picture, employee), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(0, 2, 188, 20);
    closeOnClick(*Label1);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(10, 24, 169, 144);
    closeOnClick(*Image1);
    QString name = employee.SPATH;
    pictureShown = LoadPicture(*Image1, name);
}
