// The rows of the analysis panel by chart.
#include "plot/AnalysisPanel.h"

AnalysisPanelRows PanelRowsFor(int chartId, bool optimalX, const QStringList& texts)
{
    AnalysisPanelRows r;
    auto t = [&texts](int n) { return texts.value(n); };
    const bool raise = (chartId == 1020 && !optimalX) || chartId == 1050;
    const bool residual = (chartId == 1020 && optimalX) || chartId == 1070;
    if (chartId != 1010 && !raise && !residual)
        return r;
    r.titles[0] = QStringLiteral("プロット数 :");
    r.captions[0] = t(2);
    r.captions[1] = t(3);
    if (chartId == 1010) {
        r.titles[2] = QStringLiteral("Ｘ軸平均　 :");
        r.captions[2] = t(11);
        r.captions[3] = t(12);
        r.captions[4] = t(13);
        r.titles[5] = QStringLiteral("Ｙ軸平均　 :");
        r.captions[5] = t(14);
        r.captions[6] = t(15);
        r.captions[7] = t(16);
    } else if (raise) {
        r.titles[2] = QStringLiteral("平均昇給　 :");
        r.captions[2] = t(19);
        r.titles[3] = QStringLiteral("ピッチ");
        r.captions[3] = t(20);
        r.titles[5] = QStringLiteral("昇給カーブ :");
        r.titles[6] = QStringLiteral("平均");
        r.captions[5] = t(17);
        r.captions[6] = t(18);
    } else {
        r.titles[2] = QStringLiteral("残差平均　 :");
        r.captions[2] = t(23);
        r.captions[3] = t(24);
        r.titles[5] = QStringLiteral("昇給カーブ :");
        r.titles[6] = QStringLiteral("平均");
        r.captions[5] = t(21);
        r.captions[6] = t(22);
    }
    return r;
}
