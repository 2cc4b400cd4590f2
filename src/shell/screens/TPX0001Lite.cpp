// TPX0001Lite: the splash window shown while the long-lived screens are created.
#include "shell/screens/TPX0001Lite.h"

#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/ToolIcons.h"

#include <QLabel>

TPX0001Lite::TPX0001Lite(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TPX0001Lite"));
    setFixedSize(364, 364);
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(0, 0, 364, 364);
    image->setScaledContents(true);
    image->setPixmap(SplashPixmap(364));
    CenterOnScreen(*this);
}
