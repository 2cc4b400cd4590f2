// TfrmPrintPreview: print preview of a composed report with zoom, pages, printing and
// saving a copy; closing it deletes the document file.
#include "shell/screens/TfrmPrintPreview.h"

#include "reports/ReportComposer.h"
#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QScreen>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>

namespace {

PrintDialogHook printDialogHook;

const QString PrintErrorMessage = QStringLiteral("印刷処理でエラーが発生しました。");

} // namespace

void SetPrintDialogHookForTesting(PrintDialogHook hook)
{
    printDialogHook = std::move(hook);
}

TfrmPrintPreview::TfrmPrintPreview(const QString& documentFile, QWidget* parent)
    : QDialog(parent), file_(documentFile), document_(new QPdfDocument(this))
{
    setObjectName(QStringLiteral("frmPrintPreview"));
    setWindowTitle(QStringLiteral("印刷プレビュー"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);

    auto* top = new QHBoxLayout;
    btnPrint = MakeButton(this, QStringLiteral("btnPrint"), QStringLiteral("印刷(&P)"));
    btnSave = MakeButton(this, QStringLiteral("btnSave"), QStringLiteral("PDF保存(&S)"));
    btnClose = MakeButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる(&C)"));
    cmdZoom = new QSlider(Qt::Horizontal, this);
    cmdZoom->setObjectName(QStringLiteral("cmdZoom"));
    cmdZoom->setRange(1, 6);
    cmdZoom->setPageStep(1);
    cmdZoom->setTickPosition(QSlider::TicksBelow);
    cmdZoom->setTickInterval(1);
    cmdZoom->setFixedWidth(160);
    cmdZoom->setValue(4);
    labZoom = new QLabel(this);
    labZoom->setObjectName(QStringLiteral("labZoom"));
    labZoom->setMinimumWidth(90);
    cmdPage = new QScrollBar(Qt::Horizontal, this);
    cmdPage->setObjectName(QStringLiteral("cmdPage"));
    cmdPage->setRange(1, 1);
    cmdPage->setPageStep(1);
    cmdPage->setFixedWidth(200);
    labPage = new QLabel(this);
    labPage->setObjectName(QStringLiteral("labPage"));
    labPage->setMinimumWidth(90);
    top->addWidget(btnPrint);
    top->addWidget(btnSave);
    top->addWidget(btnClose);
    top->addSpacing(24);
    top->addWidget(cmdZoom);
    top->addWidget(labZoom);
    top->addSpacing(24);
    top->addWidget(cmdPage);
    top->addWidget(labPage);
    top->addStretch(1);

    PView = new QPdfView(this);
    PView->setObjectName(QStringLiteral("PView"));
    PView->setPageMode(QPdfView::PageMode::SinglePage);
    PView->setZoomMode(QPdfView::ZoomMode::Custom);
    PView->setDocument(document_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(PView, 1);
    resize(1000, 720);

    connect(cmdZoom, &QSlider::valueChanged, this, [this] { cmdZoomChange(); });
    connect(cmdPage, &QScrollBar::valueChanged, this, [this] { cmdPageChange(); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(); });
    connect(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

TfrmPrintPreview::~TfrmPrintPreview() = default;

int TfrmPrintPreview::pageCount() const
{
    return document_->pageCount();
}

bool TfrmPrintPreview::FormShow()
{
    if (!QFileInfo::exists(file_)) {
        Dialogs().warning(AppTitle, QDir::toNativeSeparators(file_) + QStringLiteral("が見つかりません"));
        reject();
        return false;
    }
    {
        BusyCursor busy;
        document_->load(file_);
    }
    if (document_->status() != QPdfDocument::Status::Ready) {
        Dialogs().warning(AppTitle, QDir::toNativeSeparators(file_) + QStringLiteral("を開けません"));
        reject();
        return false;
    }
    setWindowTitle(QStringLiteral("印刷プレビュー"));
    cmdZoomChange();
    const int count = pageCount();
    cmdPage->blockSignals(true);
    cmdPage->setRange(1, std::max(1, count));
    cmdPage->setValue(1);
    cmdPage->blockSignals(false);
    PView->pageNavigator()->jump(0, {}, PView->zoomFactor());
    labPage->setText(QStringLiteral("頁 1/") + QString::number(count));
    return true;
}

void TfrmPrintPreview::cmdZoomChange()
{
    const int percent = cmdZoom->value() * 25;
    PView->setZoomFactor(percent / 100.0);
    labZoom->setText(QStringLiteral("拡大率") + QString::number(percent) + QStringLiteral("%"));
}

void TfrmPrintPreview::cmdPageChange()
{
    const int page = cmdPage->value();
    labPage->setText(QStringLiteral("頁 ") + QString::number(page) + QStringLiteral("/")
                     + QString::number(cmdPage->maximum()));
    PView->pageNavigator()->jump(page - 1, {}, PView->zoomFactor());
}

bool TfrmPrintPreview::PrintPages(QPrinter& printer, int from, int to)
{
    from = std::max(from, 1);
    to = std::min(to, pageCount());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // Each page is rendered at the printer's resolution (up to 600 dpi) and placed on
    // the printable area, keeping its proportions.
    const double dpi = std::min(600, printer.resolution());
    for (int page = from; page <= to; ++page) {
        if (page > from && !printer.newPage())
            return false;
        const QSizeF points = document_->pagePointSize(page - 1);
        const QSize pixels(int(points.width() / 72.0 * dpi), int(points.height() / 72.0 * dpi));
        const QImage image = document_->render(page - 1, pixels);
        if (image.isNull())
            return false;
        const QRect area = painter.viewport();
        QSize target = image.size();
        target.scale(area.size(), Qt::KeepAspectRatio);
        painter.setViewport(area.x(), area.y(), target.width(), target.height());
        painter.setWindow(image.rect());
        painter.drawImage(0, 0, image);
        painter.setViewport(area);
        painter.setWindow(area);
    }
    return painter.end();
}

void TfrmPrintPreview::btnPrintClick()
{
    const int count = pageCount();
    if (count <= 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    printer.setFromTo(1, count);
    printer.setCopyCount(1);
    bool accepted = false;
    if (printDialogHook) {
        accepted = printDialogHook(printer, count);
    } else {
        QPrintDialog dialog(&printer, this);
        dialog.setMinMax(1, count);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted)
        return;   // a cancel is silent
    int from = printer.fromPage(), to = printer.toPage();
    if (from == 0 && to == 0)
        from = 1, to = count;
    bool ok = false;
    {
        BusyCursor busy;
        ok = PrintPages(printer, from, to);
    }
    if (!ok)
        Dialogs().warning(AppTitle, PrintErrorMessage);
}

void TfrmPrintPreview::btnSaveClick()
{
    const QString suggested = QDir(App().ExeFolder)
                                  .filePath(SuggestedDocumentFileName(
                                      document_->metaData(QPdfDocument::MetaDataField::Title).toString(),
                                      document_->metaData(QPdfDocument::MetaDataField::Author).toString(),
                                      QFileInfo(file_).fileName().mid(2)));
    QString target = Dialogs().saveFile(QStringLiteral("PDFファイルの保存"), suggested,
                                        QStringLiteral("PDFファイル(*.pdf)|*.pdf"));
    if (target.isEmpty())
        return;
    if (QFileInfo(target).suffix().isEmpty())
        target += QStringLiteral(".pdf");
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(file_).absoluteFilePath())
        return;
    // The copy is made beside the target and put in its place only when complete.
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    bool ok = QFile::copy(file_, partial);
    if (ok) {
        QFile::remove(target);
        ok = QFile::rename(partial, target);
    }
    if (!ok) {
        QFile::remove(partial);
        Dialogs().warning(AppTitle, QStringLiteral("PDFファイルの保存でエラーが発生しました。\r\n")
                                        + QDir::toNativeSeparators(target));
        return;
    }
    Dialogs().information(AppTitle, QStringLiteral("PDFファイルを保存しました。\r\n") + QDir::toNativeSeparators(target));
}

void TfrmPrintPreview::btnCloseClick()
{
    document_->close();
    QFile::remove(file_);
    accept();
}

void ShowPrintPreview(const QString& documentFile)
{
    TfrmPrintPreview preview(documentFile);
    if (!preview.FormShow())
        return;
    // Maximised as a reader expects; the geometry also fills the screen where no window
    // manager maximises.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        preview.setGeometry(screen->availableGeometry());
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    ShowModal(preview);
    // Closed by the title bar: the document goes as with 閉じる.
    if (QFileInfo::exists(documentFile))
        preview.btnCloseClick();
}

void ComposeAndPreview(const ReportDocument& doc)
{
    QString error;
    bool ok = false;
    {
        BusyCursor busy;
        ok = ComposeReport(doc, &error);
    }
    if (!ok) {
        Dialogs().warning(AppTitle, error);
        return;
    }
    ShowPrintPreview(doc.documentPath);
}
