// TPX2011: base amounts (基準額) per grade, the employees' average basic pay beside the wage-table screen.
#include "wagetable/screens/TPX2011.h"

#include "core/Numbers.h"

#include <QLabel>
#include <QMouseEvent>

TPX2011::TPX2011(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TPX2011"));
    setWindowTitle(QStringLiteral("基準額"));
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPixelSize(12);
    setFont(f);
    setModal(false);
    const int rowHeight = 24;
    for (int i = 0; i < 9; ++i) {
        Label00[i] = new QLabel(this);
        Label00[i]->setObjectName(QStringLiteral("Label00%1").arg(i + 1));
        Label00[i]->setGeometry(12, 10 + i * rowHeight, 150, rowHeight - 2);
        Label01[i] = new QLabel(this);
        Label01[i]->setObjectName(QStringLiteral("Label01%1").arg(i + 1));
        Label01[i]->setGeometry(166, 10 + i * rowHeight, 90, rowHeight - 2);
        Label01[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    setFixedSize(270, 20 + 9 * rowHeight);
}

void TPX2011::ShowAmounts(const QStringList& gradeNames, const std::array<long long, 9>& amounts)
{
    for (int i = 0; i < 9; ++i) {
        Label00[i]->setText(i < gradeNames.size() ? gradeNames[i] : QString());
        Label01[i]->setText(FormatFloat(QStringLiteral("#,###"), double(amounts[i])));
    }
}

void TPX2011::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    close();
}
