// TPX2011: base amounts (基準額) per grade, the employees' average basic pay beside the wage-table screen.
#pragma once

#include <QDialog>
#include <QStringList>

#include <array>

class QLabel;

class TPX2011 : public QDialog {
    Q_OBJECT
public:
    explicit TPX2011(QWidget* parent = nullptr);

    // Grade names in the left column, the amounts ("#,###", blank for 0) beside them.
    void ShowAmounts(const QStringList& gradeNames, const std::array<long long, 9>& amounts);

    QLabel* Label00[9];   // Label001 .. Label009: grade names
    QLabel* Label01[9];   // Label011 .. Label019: amounts

protected:
    // A click anywhere on the window closes it.
    void mousePressEvent(QMouseEvent* event) override;
};
