// TPX1101: employee pop-up beside a plot point (profile, evaluations, career, pay), and the
// opening and closing of every point pop-up kind.
#pragma once

#include "plot/Popups.h"

#include <QWidget>

class QLabel;

// What every point pop-up shares: stays on top, fixed size, the employee code as its tag,
// and a click on it (labels and panels included) closes it.
class PointPopup : public QWidget {
    Q_OBJECT
public:
    PointPopup(QWidget* owner, const QString& namePrefix, PopupKind kind, int sco);
    int tag() const { return tag_; }

protected:
    // Clicks on these widgets close the window; input fields are left out.
    void closeOnClick(QWidget& widget);
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int tag_ = 0;
};

class TPX1101 : public PointPopup {
    Q_OBJECT
public:
    TPX1101(QWidget* owner, PopupKind kind, const TSyain_& employee);

    QLabel* Label1 = nullptr;
    QLabel* labTitle[5] = {};
    QLabel* Caption[5] = {};
};

// Opens the pop-up of a kind for an employee with its top-left corner at topLeft (global),
// (cascaded), unless one with the same caption and employee is open; returns the window (the open one
// or the new one).
PointPopup* OpenPointPopup(QWidget* owner, PopupKind kind, int sco, QPoint topLeft);
// Where a pop-up wanted at a top-left corner opens: there, or, when an open pop-up already
// stands there, PopupCascadeStep pixels right and down of it, and so on, so that every
// pop-up's caption stays in sight.
inline constexpr int PopupCascadeStep = 24;
QPoint CascadedTopLeft(QPoint wanted);
// Destroys every open point pop-up.
void ClosePointPopups();
// The open point pop-ups.
QList<PointPopup*> OpenPointPopups();
