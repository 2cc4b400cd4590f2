// TPX1100: the plot window (long-lived, maximised): ranges, repaint, copy, back, menus.
#include "plot/screens/TPX1100.h"

#include "plot/OptimalWage.h"
#include "plot/PlotPainter.h"
#include "plot/PlotPrint.h"
#include "plot/screens/TPX1101.h"
#include "plot/screens/TPX1102.h"
#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <map>

namespace {

constexpr int PanelWidth = PlotPanelWidth;

std::map<int, SetupScreenLink>& SetupScreens()
{
    static std::map<int, SetupScreenLink> links;
    return links;
}

TPX1100* g_plotWindow = nullptr;
int g_currentChart = 0;

} // namespace

int CurrentChart() { return g_currentChart; }
void SetCurrentChart(int chartId) { g_currentChart = chartId; }

TOptimalWage& LastOptimalWage()
{
    static TOptimalWage state;
    return state;
}

// ---------------------------------------------------------------- up-down buttons

TUpDown::TUpDown(QWidget* parent, QLineEdit& buddy) : QWidget(parent), buddy_(buddy)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* up = new QToolButton(this);
    up->setObjectName(QStringLiteral("btnUp"));
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(this);
    down->setObjectName(QStringLiteral("btnDown"));
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up, down}) {
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        layout->addWidget(b);
    }
    connect(up, &QToolButton::clicked, this, [this] { step(1); });
    connect(down, &QToolButton::clicked, this, [this] { step(-1); });
}

void TUpDown::setRange(int low, int high)
{
    low_ = low;
    high_ = high;
}

void TUpDown::step(int delta)
{
    bool ok = false;
    const int now = buddy_.text().trimmed().toInt(&ok);
    if (ok)
        buddy_.setText(QString::number(std::clamp(now + delta, low_, high_)));
    if (changed)
        changed();
}

// ---------------------------------------------------------------- the window

TPX1100::TPX1100(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TPX1100"));
    // The program ends with the main window even while a plot is on view.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("プロット"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setFont(QFont(PlotFontFamily, 9));
    resize(1280, 800);

    Panel1_ = new QWidget(this);
    Panel1_->setObjectName(QStringLiteral("Panel1"));
    Panel1_->setGeometry(0, 0, PanelWidth, height());
    Panel1_->setAutoFillBackground(true);
    QPalette panelPal = Panel1_->palette();
    panelPal.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
    Panel1_->setPalette(panelPal);

    const char* captions[4] = {"X軸下限", "X軸上限", "Y軸下限", "Y軸上限"};
    const char* editNames[4] = {"txtXMin", "txtXMax", "txtYMin", "txtYMax"};
    const char* spinNames[4] = {"spnXMin", "spnXMax", "spnYMin", "spnYMax"};
    const int lengths[4] = {3, 3, 3, 4};
    int y = 8;
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromUtf8(captions[i]), Panel1_);
        label->setGeometry(6, y, 64, 16);
        edits_[i] = new TRightEdit(Panel1_);
        edits_[i]->setObjectName(QString::fromLatin1(editNames[i]));
        edits_[i]->setMaxLength(lengths[i]);
        edits_[i]->setGeometry(6, y + 17, 44, 22);
        spins_[i] = new TUpDown(Panel1_, *edits_[i]);
        spins_[i]->setObjectName(QString::fromLatin1(spinNames[i]));
        spins_[i]->setGeometry(51, y + 17, 16, 22);
        const int index = i;
        CheckWhenLeft(*edits_[i], [this, index] { return RangeEntered(index); });
        spins_[i]->changed = [this, index] { RangeEntered(index); };
        y += 48;
    }
    y += 6;
    auto button = [&](const char* name, const char* caption) {
        QPushButton* b = MakeButton(Panel1_, QString::fromLatin1(name), QString::fromUtf8(caption));
        b->setGeometry(6, y, 61, 28);
        y += 34;
        return b;
    };
    btnExec_ = button("btnExec", "実　行");
    btnPrint_ = button("btnPrint", "印　刷");
    btnCopy_ = button("btnCopy", "コピー");
    btnBack_ = button("btnBack", "後");
    connect(btnExec_, &QPushButton::clicked, this, &TPX1100::btnExecClick);
    connect(btnPrint_, &QPushButton::clicked, this, &TPX1100::btnPrintClick);
    connect(btnCopy_, &QPushButton::clicked, this, &TPX1100::btnCopyClick);
    connect(btnBack_, &QPushButton::clicked, this, &TPX1100::btnBackClick);

    // The drawn-curve controls of the raise-curve design (chart 1050 only).
    drawControls_ = new QWidget(Panel1_);
    drawControls_->setGeometry(0, y + 6, PanelWidth, 110);
    auto* dispLabel = new QLabel(QStringLiteral("描画番号"), drawControls_);
    dispLabel->setGeometry(6, 0, 64, 16);
    txtDispNo_ = new TRightEdit(drawControls_);
    txtDispNo_->setObjectName(QStringLiteral("txtDispNo"));
    txtDispNo_->setMaxLength(2);
    txtDispNo_->setText(QStringLiteral("0"));
    txtDispNo_->setGeometry(6, 17, 44, 22);
    CheckWhenLeft(*txtDispNo_, [this] { return txtDispNoExit(); });
    QPushButton* btnImport = MakeButton(drawControls_, QStringLiteral("btnImport"), QStringLiteral("取込"));
    btnImport->setGeometry(6, 44, 61, 28);
    QPushButton* btn1Dlt = MakeButton(drawControls_, QStringLiteral("btn1Dlt"), QStringLiteral("１点消去"));
    btn1Dlt->setGeometry(6, 76, 61, 28);
    connect(btnImport, &QPushButton::clicked, this, &TPX1100::btnImportClick);
    connect(btn1Dlt, &QPushButton::clicked, this, &TPX1100::btn1DltClick);
    drawControls_->hide();
    InstallEnterMovesFocus(*Panel1_);

    PopupMenu1_ = new QMenu(this);
    PopupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu2_ = new QMenu(this);
    PopupMenu2_->setObjectName(QStringLiteral("PopupMenu2"));
    auto item = [this](const char* name, const char* caption, void (TPX1100::*handler)()) {
        QAction* a = PopupMenu2_->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    item("mnCopy", "画面のコピー(&C)", &TPX1100::btnCopyClick);
    item("mnPrint", "印刷する(&P)", &TPX1100::btnPrintClick);
    item("mnSaveImage", "画像の保存(&S)…", &TPX1100::mnSaveImageClick);
    item("mnAnalize", "分析評価結果(&A)", &TPX1100::mnAnalizeClick);
    mnAnalFit_ = item("mnAnalFit", "最適賃金分析結果(&F)", &TPX1100::mnAnalFitClick);
    mnAnalFit_->setVisible(false);
    item("mnEnd", "操作パネルに戻る(&B)", &TPX1100::mnEndClick);

    // The point menu: one pop-up window per item, beside the clicked marker.
    auto popupItem = [this](const char* name, PopupKind kind) {
        QAction* a = PopupMenu1_->addAction(PopupMenuText(kind));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, kind] {
            OpenPointPopup(this, kind, clickedEmployee_, mapToGlobal(clickedMarker_ + QPoint(35, 10)));
        });
    };
    popupItem("mnProfile", PopupKind::Profile);
    popupItem("mnJinji", PopupKind::Evaluation);
    popupItem("mnCareer", PopupKind::Career);
    popupItem("mnSalary", PopupKind::Pay);
    PopupMenu1_->addAction(QStringLiteral("マトリクス昇給(&M)"))->setVisible(false);
    popupItem("mnFit", PopupKind::OptimalWage);
    popupItem("mnImage", PopupKind::Picture);
    QAction* quit = PopupMenu1_->addAction(QStringLiteral("終了(&Q)"));
    quit->setObjectName(QStringLiteral("mnQuit"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

TPX1100::~TPX1100()
{
    if (g_plotWindow == this)
        g_plotWindow = nullptr;
}

void TPX1100::ShowMaximised()
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
}

void TPX1100::OpenPlot()
{
    BusyCursor busy;
    DeletePointLabels();
    Session session = CurrentSession();
    model_ = OpenChart(session, CurrentChart());
    AdoptSession(session);
    const int chart = model_.chartId;
    // Markers are hit-test areas of the painted symbols; the count stands for the labels
    // of one control per point.
    pointLabelCount_ = chart == ChartWageTableGraph ? 0 : int(model_.points.size());
    clickedEmployee_ = 0;
    captured_.clear();
    drawControls_->setVisible(chart == ChartCurveDesign);
    btnPrint_->setVisible(chart != ChartWageTableGraph);
    const ChartRanges& r = model_.ranges;
    range_[0] = r.Xmin;
    range_[1] = r.Xmax;
    range_[2] = r.Ymin;
    range_[3] = r.Ymax;
    for (int i = 0; i < 4; ++i)
        edits_[i]->setText(QString::number(range_[i]));
    spins_[0]->setRange(0, r.xMinHigh);
    spins_[1]->setRange(r.xMaxLow, r.xMaxHigh);
    spins_[2]->setRange(0, r.yMinHigh);
    spins_[3]->setRange(r.yMaxLow, r.yMaxHigh);
    mnAnalFit_->setVisible(chart == ChartOptimalWage);
    update();
}

void TPX1100::DeletePointLabels()
{
    pointLabelCount_ = 0;
}

void TPX1100::ClosePopups()
{
    PopupMenu1_->close();
    ClosePointPopups();
    if (panel_)
        panel_->close();
}

bool TPX1100::RangeEntered(int index)
{
    const RangeEntry e = CheckRangeEntry(edits_[index]->text(), spins_[index]->low(), spins_[index]->high(), range_[index]);
    edits_[index]->setText(e.text);
    if (!e.ok) {
        Dialogs().warning(AppTitle, e.message);
        return false;
    }
    // The bound must stay on its side of the other bound of its axis.
    int wanted[4] = {range_[0], range_[1], range_[2], range_[3]};
    wanted[index] = e.value;
    const int lower = index < 2 ? 0 : 2;
    const QString problem = RangeOrderProblem(index < 2 ? QStringLiteral("X") : QStringLiteral("Y"), wanted[lower],
                                              wanted[lower + 1]);
    if (!problem.isEmpty()) {
        edits_[index]->setText(QString::number(range_[index]));
        Dialogs().warning(AppTitle, problem);
        return false;
    }
    range_[index] = e.value;
    return true;
}

void TPX1100::btnExecClick()
{
    BusyCursor busy;
    update();
}

void TPX1100::btnPrintClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("ﾌﾟﾛｯﾄ"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    QPrintDialog dialog(&printer, this);
    if (ShowModal(dialog) != QDialog::Accepted)
        return;
    BusyCursor busy;
    QString error;
    const Session session = CurrentSession();
    if (!PrintPlotPage(printer, PlotPrintDataOf(session, model_), copyImage(), &error))
        Dialogs().warning(AppTitle, error);
}

void TPX1100::mnSaveImageClick()
{
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("画像の保存"), App().ExeFolder,
                                                QStringLiteral("PNG (*.png)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    if (!copyImage().save(path, "PNG"))
        Dialogs().warning(AppTitle, QStringLiteral("画像を保存できませんでした。\r\n") + QDir::toNativeSeparators(path));
}

PlotLayout TPX1100::layoutFor(QSize size) const
{
    PlotInputs in = PlotInputsFor(model_, range_[0], range_[1], range_[2], range_[3]);
    in.captured = capturedPixels();
    return LayOutPlot(in, FramedPlotWindow(size), PanelWidth, QtTextMeasure());
}

QList<QPoint> TPX1100::capturedPixels() const
{
    QList<QPoint> pixels;
    for (const CapturedPoint& p : captured_)
        pixels << p.pixel;
    return pixels;
}

PlotLayout TPX1100::currentLayout() const
{
    return layoutFor(size());
}

QImage TPX1100::renderPlot(QSize size) const
{
    return RenderPlot(model_, {range_[0], range_[1], range_[2], range_[3]}, size, capturedPixels());
}

QImage TPX1100::copyImage() const
{
    return CopyPlotImage(model_, {range_[0], range_[1], range_[2], range_[3]}, size(), capturedPixels());
}

void TPX1100::btnCopyClick()
{
    QApplication::clipboard()->setImage(copyImage());
}

void TPX1100::btnBackClick()
{
    ClosePopups();
    const auto it = SetupScreens().find(CurrentChart());
    if (it == SetupScreens().end() || !it->second.screen)
        return;
    if (it->second.prepare)
        it->second.prepare();
    ShowModal(*it->second.screen);
}

void TPX1100::mnEndClick()
{
    ClosePopups();
    DeletePointLabels();
    const auto it = SetupScreens().find(CurrentChart());
    if (it != SetupScreens().end() && it->second.screen)
        it->second.screen->close();
    SetCurrentChart(0);
    close();
}

TPX1102& TPX1100::analysisPanel()
{
    if (!panel_)
        panel_ = new TPX1102(this);
    return *panel_;
}

void TPX1100::mnAnalizeClick()
{
    TPX1102& panel = analysisPanel();
    panel.Fill(model_);
    panel.show();
    panel.raise();
}

void TPX1100::mnAnalFitClick()
{
    TPX1102& panel = analysisPanel();
    panel.ShowRows({});
    panel.ShowRows(RegressionPanelOf(LastOptimalWage()));
    panel.show();
    panel.raise();
}

bool TPX1100::txtDispNoExit()
{
    const RangeEntry e = CheckDrawNumberEntry(txtDispNo_->text(), dispNo_);
    txtDispNo_->setText(e.text);
    if (!e.ok) {
        Dialogs().warning(AppTitle, e.message);
        return false;
    }
    dispNo_ = e.value;
    return true;
}

bool TPX1100::CaptureClick(QPoint position)
{
    const QString refusal = CaptureRefusal(txtDispNo_->text(), int(captured_.size()));
    if (!refusal.isEmpty()) {
        Dialogs().warning(AppTitle, refusal);
        return false;
    }
    captured_ << CapturePoint(currentLayout(), position);
    update();
    return true;
}

void TPX1100::btnImportClick()
{
    const int n = DrawNumberOf(txtDispNo_->text());
    const SlotPen pen = n >= 1 && n <= DrawnSlotCount ? PenOfSlot(model_.drawnSlots[n - 1]) : SlotPen();
    const Outcome stored = StoreCapturedCurve(CurrentSession(), n, model_.fx, model_.fy, captured_, pen);
    ShowOutcome(stored);
    if (!stored.ok)
        return;
    {
        BusyCursor busy;
        LoadComparisonSet(CurrentSession(), model_);
        txtDispNo_->setText(QStringLiteral("0"));
        dispNo_ = 0;
        captured_.clear();
        update();
    }
    NotifyCurvesStored(ChartCurveDesign);
}

void TPX1100::btn1DltClick()
{
    if (captured_.isEmpty()) {
        Dialogs().warning(AppTitle, QStringLiteral("消去する点はありません。"));
        return;
    }
    captured_.removeLast();
    update();
}

int TPX1100::PointClick(QPoint position)
{
    const int point = PointAt(currentLayout(), position);
    if (point < 0)
        return 0;
    clickedEmployee_ = model_.points[point].SCO.trimmed().toInt();
    for (const PlacedMarker& m : currentLayout().markers)
        if (m.point == point)
            clickedMarker_ = m.topLeft;
    return clickedEmployee_;
}

void TPX1100::paintEvent(QPaintEvent*)
{
    if (model_.chartId == 0)
        return;
    QPainter painter(this);
    PaintPlot(painter, currentLayout());
}

void TPX1100::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Panel1_->setGeometry(0, 0, PanelWidth, height());
    update();
}

void TPX1100::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        PopupMenu2_->popup(event->globalPosition().toPoint());
        return;
    }
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && PointClick(at) != 0) {
        if (!PopupMenu1_->actions().isEmpty())
            PopupMenu1_->popup(mapToGlobal(clickedMarker_ + QPoint(10, 25)));
        return;
    }
    // Off the points, the left and middle buttons capture the points of a drawn curve; a click
    // on the left panel's free space reaches the window too and captures nothing.
    if (model_.chartId == ChartCurveDesign && (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)
        && !Panel1_->geometry().contains(at))
        CaptureClick(at);
}

void TPX1100::closeEvent(QCloseEvent* event)
{
    ClosePopups();
    DeletePointLabels();
    SetCurrentChart(0);
    QWidget::closeEvent(event);
}

// ---------------------------------------------------------------- the one window

TPX1100& PlotWindow()
{
    if (!g_plotWindow) {
        g_plotWindow = new TPX1100;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] {
            delete g_plotWindow;
        });
    }
    return *g_plotWindow;
}

bool PlotWindowExists()
{
    return g_plotWindow != nullptr;
}

void DestroyPlotWindowForTesting()
{
    delete g_plotWindow;
    g_plotWindow = nullptr;
}

void RegisterSetupScreen(int chartId, const SetupScreenLink& link)
{
    SetupScreens()[chartId] = link;
}

void UnregisterSetupScreen(int chartId, QDialog* screen)
{
    const auto it = SetupScreens().find(chartId);
    if (it != SetupScreens().end() && it->second.screen == screen)
        SetupScreens().erase(it);
}

void NotifyCurvesStored(int chartId)
{
    const auto it = SetupScreens().find(chartId);
    if (it != SetupScreens().end() && it->second.curvesStored)
        it->second.curvesStored();
}
