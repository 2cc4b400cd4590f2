// ２次曲線 and ３次曲線, the curve pages of the wage-table screen (TPX2010): for each grade
// the control points of its curve (a step and its amount each: start, middle(s), end) and
// the base-up factor. The two pages differ only in their columns; WageTableCurvePage builds,
// empties, colours and checks either from its column list.
#pragma once

#include "wagetable/SalaryList.h"
#include "wagetable/screens/WageTablePage.h"

#include <array>

class QLineEdit;

class WageTableCurvePage : public WageTablePage {
    Q_OBJECT
public:
    // Nothing set: grade count 0, factor 1.000, grades 1..9, steps and amounts 0.
    void reset();
    // The stored curve of a wage table, with the grade count of 基本設定; nothing for ID 0.
    void load(int id, const QString& gradeCount);
    void showGradeCount(const QString& text);
    // Rows 1..gradeCount in use; in automatic mode the amounts taken from the scale are
    // read-only.
    void colourRows(int gradeCount, bool automatic);
    // The amounts a row (0..8) takes from the scale in automatic mode.
    void showDerivedAmounts(int row, const DerivedCurveAmounts& amounts);
    // The page's curve of each grade.
    virtual void gather(SalaryListDefinition& def) const = 0;
    double factor() const;

    // Checks when a field is left (point 0 = start; row 0..8); false keeps the focus.
    bool stepExit(int point, int row);
    bool amountExit(int point, int row);
    bool factorExit();

protected:
    // Where a point's amount comes from in automatic mode.
    enum class AmountSource { Start, Middle, End, Typed };
    // The two columns of a control point: object names (without the row number), heading,
    // place and width; the display format of a checked step.
    struct PointColumns {
        const char* stepName;
        const char* stepTitle;
        int stepX, stepWidth;
        QString stepFormat;
        const char* amountName;
        const char* amountTitle;
        int amountX, amountWidth;
        AmountSource source;
    };
    struct Columns {
        const char* gradeCountName;
        const char* gradeName;
        int gradeWidth;
        QList<PointColumns> points;
        const char* factorName;
    };
    // A stored row of a curve.
    struct StoredRow {
        int grade = 0;
        QList<CurvePoint> points;
        double factor = 0;
    };

    WageTableCurvePage(QTabWidget& tabs, const QString& title, const QString& objectName, const Columns& columns);
    // The stored rows of a wage table's curve; false when they could not be read.
    virtual bool readRows(int id, QList<StoredRow>& rows) const = 0;
    // A point of a row (0..8) as shown.
    CurvePoint pointOnScreen(int row, int point) const;

private:
    QList<PointColumns> points_;
    QLineEdit* gradeCount_;
    std::array<QLineEdit*, 9> grades_;
    QList<std::array<QLineEdit*, 9>> steps_;     // by point
    QList<std::array<QLineEdit*, 9>> amounts_;   // by point
    QLineEdit* factor_;
};

// ２次曲線: start, middle and end.
class SecondOrderCurvePage : public WageTableCurvePage {
    Q_OBJECT
public:
    explicit SecondOrderCurvePage(QTabWidget& tabs);
    void gather(SalaryListDefinition& def) const override;

protected:
    bool readRows(int id, QList<StoredRow>& rows) const override;
};

// ３次曲線: start, two middles (the second one's amount always typed) and end.
class ThirdOrderCurvePage : public WageTableCurvePage {
    Q_OBJECT
public:
    explicit ThirdOrderCurvePage(QTabWidget& tabs);
    void gather(SalaryListDefinition& def) const override;

protected:
    bool readRows(int id, QList<StoredRow>& rows) const override;
};
