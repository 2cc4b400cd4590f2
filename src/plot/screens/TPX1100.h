// TPX1100: the plot window (long-lived, maximised): ranges, repaint, copy, back, menus.
#pragma once

#include "plot/ChartModel.h"
#include "plot/OptimalWage.h"
#include "plot/PlotLayout.h"

#include <QWidget>

#include <functional>

class QDialog;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QToolButton;
class TPX1102;

// The up-down buttons beside a range edit: each click moves the edit's value by one
// within low .. high and then runs the range check.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(QWidget* parent, QLineEdit& buddy);
    void setRange(int low, int high);
    int low() const { return low_; }
    int high() const { return high_; }
    void step(int delta);
    std::function<void()> changed;

private:
    QLineEdit& buddy_;
    int low_ = 0;
    int high_ = 0;
};

class TPX1100 : public QWidget {
    Q_OBJECT
public:
    explicit TPX1100(QWidget* parent = nullptr);
    ~TPX1100() override;

    // Shown maximised; the geometry also fills the screen where no window manager maximises.
    void ShowMaximised();
    // Loads the current chart (MCHART, DCHART, series, styles, ranges) and repaints; the
    // window takes what opening the chart read of the company (its age reckoning).
    void OpenPlot();
    // Forgets the point markers of the previous plot.
    void DeletePointLabels();
    // Closes the employee pop-ups and the analysis panel.
    void ClosePopups();

    void btnExecClick();
    void btnPrintClick();
    // 画像の保存(&S)…: the plot area as a PNG file.
    void mnSaveImageClick();
    void btnCopyClick();
    void btnBackClick();
    void mnAnalizeClick();
    // 最適賃金分析結果 (chart 1070): the panel with the last optimal-wage regression.
    void mnAnalFitClick();
    void mnEndClick();
    // A range edit left (index 0 X min, 1 X max, 2 Y min, 3 Y max); false while refused.
    bool RangeEntered(int index);

    // Chart 1050: 描画番号 left (false while refused), 取込, １点消去, and a click on the plot
    // that captures a point for the drawn curve (refusals shown; true when captured).
    bool txtDispNoExit();
    void btnImportClick();
    void btn1DltClick();
    bool CaptureClick(QPoint position);
    const QList<CapturedPoint>& captured() const { return captured_; }

    // What a left click at a position finds: the employee code of the point, 0 for none.
    int PointClick(QPoint position);
    int clickedEmployee() const { return clickedEmployee_; }
    int pointLabelCount() const { return pointLabelCount_; }

    const ChartModel& model() const { return model_; }
    // The layout of the last paint (or of the present size when nothing was painted yet).
    PlotLayout currentLayout() const;
    // The plot drawn into an image of the given size, as on screen.
    QImage renderPlot(QSize size) const;
    // The picture that コピー puts on the clipboard.
    QImage copyImage() const;
    TPX1102& analysisPanel();
    QMenu* rightMenu() const { return PopupMenu2_; }
    QMenu* pointMenu() const { return PopupMenu1_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    PlotLayout layoutFor(QSize size) const;
    QList<QPoint> capturedPixels() const;

    ChartModel model_;
    int range_[4] = {0, 0, 0, 0};   // Xmin, Xmax, Ymin, Ymax in force
    int pointLabelCount_ = 0;
    int clickedEmployee_ = 0;
    QPoint clickedMarker_;   // top-left of the clicked point's marker
    QWidget* Panel1_ = nullptr;
    QLineEdit* edits_[4] = {};
    TUpDown* spins_[4] = {};
    QPushButton* btnExec_ = nullptr;
    QPushButton* btnPrint_ = nullptr;
    QPushButton* btnCopy_ = nullptr;
    QPushButton* btnBack_ = nullptr;
    QWidget* drawControls_ = nullptr;   // 描画番号, 取込, １点消去 (chart 1050)
    QLineEdit* txtDispNo_ = nullptr;
    int dispNo_ = 0;                     // the curve number accepted last
    QList<CapturedPoint> captured_;
    QMenu* PopupMenu1_ = nullptr;
    QMenu* PopupMenu2_ = nullptr;
    QAction* mnAnalFit_ = nullptr;
    TPX1102* panel_ = nullptr;
};

// The chart id of the plot on view (1010 … 1070), 0 when none: set by 分析 of a set-up,
// cleared when the set-up is prepared or closed and when the plot window closes.
int CurrentChart();
void SetCurrentChart(int chartId);

// The last successful optimal-wage analysis of the run (計算 or 分析 of TPX1070), which the
// results screen and 最適賃金分析結果 show.
TOptimalWage& LastOptimalWage();

// The one plot window of the run, created on first use.
TPX1100& PlotWindow();
bool PlotWindowExists();
void DestroyPlotWindowForTesting();

// The set-up screens register themselves, so that 後 and 操作パネルに戻る reach the set-up
// of the chart on view: prepare reloads its controls, the dialog is shown or closed.
struct SetupScreenLink {
    QDialog* screen = nullptr;
    std::function<void()> prepare;
    // The raise-curve design screen: reload its curve lists and mark itself changed after
    // the plot window stored a drawn curve (取込).
    std::function<void()> curvesStored;
};
void RegisterSetupScreen(int chartId, const SetupScreenLink& link);
void UnregisterSetupScreen(int chartId, QDialog* screen);
// Tells the registered set-up screen of the chart that a drawn curve was stored.
void NotifyCurvesStored(int chartId);
