// The geometry check of a form: containment, overlaps, captions and amount boxes.
#include "support/screens/ScreenGeometry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>

namespace {

QString describe(const QWidget* w)
{
    QString text;
    if (auto* label = qobject_cast<const QLabel*>(w))
        text = label->text();
    else if (auto* button = qobject_cast<const QAbstractButton*>(w))
        text = button->text();
    else if (auto* group = qobject_cast<const QGroupBox*>(w))
        text = group->title();
    QString name = QString::fromLatin1(w->metaObject()->className());
    if (!w->objectName().isEmpty())
        name += ' ' + w->objectName();
    if (!text.isEmpty())
        name += QStringLiteral(" 「") + text + QStringLiteral("」");
    const QRect g = w->geometry();
    return name + QStringLiteral(" [%1,%2 %3×%4]").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
}

int textWidth(const QWidget* w, const QString& text)
{
    QString plain = text;
    plain.remove('&');
    int widest = 0;
    for (const QString& line : plain.split('\n'))
        widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
    return widest;
}

// The room a caption needs beyond its text: the indicator of a radio button or check box,
// the frame of a push button.
int captionRoom(const QAbstractButton* b)
{
    QStyle* s = b->style();
    if (qobject_cast<const QRadioButton*>(b))
        return s->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, b)
               + s->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, b);
    if (qobject_cast<const QCheckBox*>(b))
        return s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, b)
               + s->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, b);
    return 2 * s->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b) + 4;
}

void checkCaption(const QWidget* w, QStringList& faults)
{
    int need = 0, room = 0;
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || label->wordWrap() || label->textFormat() == Qt::RichText)
            return;
        need = textWidth(label, label->text()) + 2 * label->margin() + std::max(0, label->indent());
        room = label->contentsRect().width();
    } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        if (button->text().isEmpty())
            return;
        need = textWidth(button, button->text()) + captionRoom(button);
        room = button->width();
    } else if (auto* group = qobject_cast<const QGroupBox*>(w)) {
        if (group->title().isEmpty())
            return;
        need = textWidth(group, group->title()) + 16;
        room = group->width();
    } else {
        return;
    }
    if (need > room)
        faults << QStringLiteral("%1: caption needs %2 px, has %3").arg(describe(w)).arg(need).arg(room);
}

// Widgets whose children are the form's own controls (not Qt's insides of a control).
bool isContainer(const QWidget* w)
{
    const QMetaObject* m = w->metaObject();
    return qobject_cast<const QGroupBox*>(w) || qobject_cast<const QDialog*>(w) || m == &QWidget::staticMetaObject
           || m == &QFrame::staticMetaObject;
}

void settle(QWidget& w)
{
    QCoreApplication::sendPostedEvents();
    if (w.layout())
        w.layout()->activate();
    QCoreApplication::sendPostedEvents();
}

void checkContainer(QWidget& parent, QStringList& faults);

void checkChildren(QWidget& parent, const QList<QWidget*>& children, QStringList& faults)
{
    const QRect inside = parent.rect();
    for (int i = 0; i < children.size(); ++i) {
        QWidget* a = children[i];
        if (!inside.contains(a->geometry()))
            faults << QStringLiteral("%1 sticks out of %2").arg(describe(a), describe(&parent));
        for (int j = i + 1; j < children.size(); ++j) {
            const QWidget* b = children[j];
            if (a->geometry().intersects(b->geometry()))
                faults << QStringLiteral("%1 overlaps %2").arg(describe(a), describe(b));
        }
        checkCaption(a, faults);
        if (auto* tabs = qobject_cast<QTabWidget*>(a)) {
            const int shown = tabs->currentIndex();
            for (int t = 0; t < tabs->count(); ++t) {
                if (!tabs->isTabVisible(t))
                    continue;
                tabs->setCurrentIndex(t);
                QWidget* page = tabs->widget(t);
                settle(*page);
                checkContainer(*page, faults);
            }
            tabs->setCurrentIndex(shown);
        } else if (isContainer(a)) {
            checkContainer(*a, faults);
        }
    }
}

void checkContainer(QWidget& parent, QStringList& faults)
{
    QList<QWidget*> visible;
    for (QObject* o : parent.children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && !w->isWindow() && w->isVisibleTo(&parent))
            visible << w;
    }
    checkChildren(parent, visible, faults);
}

} // namespace

int AmountTextRoom(const QLineEdit& box)
{
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.rect = box.rect();
    option.lineWidth = box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents =
        box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box).marginsRemoved(box.textMargins());
    // QLineEdit keeps 2 pixels free on either side of its text.
    return contents.width() - 2 * 2;
}

QStringList GeometryFaults(QWidget& form, const QList<AmountBox>& amounts)
{
    if (!form.isVisible())
        form.show();
    settle(form);
    QStringList faults;
    checkContainer(form, faults);
    for (const AmountBox& a : amounts) {
        const int need = a.box->fontMetrics().horizontalAdvance(a.largest);
        const int room = AmountTextRoom(*a.box);
        if (need > room)
            faults << QStringLiteral("%1: %2 needs %3 px, has %4").arg(describe(a.box), a.largest).arg(need).arg(room);
    }
    return faults;
}
