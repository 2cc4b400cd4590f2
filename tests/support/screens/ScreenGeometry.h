// The geometry check of a form as the user sees it at its design size: nothing sticks out of
// its parent, no visible control covers a sibling, every caption fits its control, and every
// amount box is wide enough for the largest amount it accepts in its own font.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QLineEdit;
class QWidget;

// An amount box and the widest text it must show in full (the largest amount it accepts,
// formatted as the box shows it).
struct AmountBox {
    const QLineEdit* box = nullptr;
    QString largest;
};

// Shows the form, lays it out and returns one line per fault, empty when there is none.
// Every page of a tab widget is looked at in turn (the current page is restored after).
// Controls hidden on purpose are skipped; the insides of lists, grids and edit boxes are
// Qt's own and are not looked into.
QStringList GeometryFaults(QWidget& form, const QList<AmountBox>& amounts = {});

// The text width the box has for its text (inside its frame, text margins and Qt's own
// side margins).
int AmountTextRoom(const QLineEdit& box);
