// TPX1102: the analysis panel 分析評価結果 (yellow, on top; a click closes it).
#include "plot/screens/TPX1102.h"

#include "plot/ChartModel.h"
#include "plot/PlotPainter.h"
#include "shell/screens/AppState.h"

#include <QLabel>
#include <QMouseEvent>

TPX1102::TPX1102(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TPX1102"));
    setWindowTitle(QStringLiteral("分析評価結果"));
    setFixedSize(486, 198);
    setFont(QFont(PlotFontFamily, 9));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0x80));
    setPalette(pal);
    const int rows[8] = {8, 24, 41, 57, 74, 90, 108, 125};
    for (int i = 0; i < 8; ++i) {
        titles_[i] = new QLabel(this);
        titles_[i]->setObjectName(QStringLiteral("labTitle%1").arg(i + 1));
        titles_[i]->setGeometry(8, rows[i], 64, 16);
        captions_[i] = new QLabel(this);
        captions_[i]->setObjectName(QStringLiteral("Caption%1").arg(i + 1));
        captions_[i]->setGeometry(72, rows[i], 385, 16);
        for (QLabel* l : {titles_[i], captions_[i]})
            l->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
}

void TPX1102::ShowRows(const AnalysisPanelRows& rows)
{
    for (int i = 0; i < 8; ++i) {
        titles_[i]->setText(rows.titles[i]);
        captions_[i]->setText(rows.captions[i]);
    }
}

void TPX1102::Fill(const ChartModel& model)
{
    ShowRows({});
    TSeriesSet points = model.pointSet;   // the summary fields are filled on a copy
    const TAnalize1 texts = BuildAnalysisTexts(points, AnalysisInputsOfOpenProject(CurrentSession(), model.settings));
    ShowRows(AnalysisPanelOf(model.settings, texts));
}

void TPX1102::mousePressEvent(QMouseEvent*)
{
    close();
}
