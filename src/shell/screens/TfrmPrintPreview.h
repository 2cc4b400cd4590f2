// TfrmPrintPreview: print preview of a composed report document (a PDF file).
#pragma once

#include "reports/ReportPage.h"

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QPdfDocument;
class QPdfView;
class QPrinter;
class QPushButton;
class QScrollBar;
class QSlider;

class TfrmPrintPreview : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPrintPreview(const QString& documentFile, QWidget* parent = nullptr);
    ~TfrmPrintPreview() override;

    // Loads the document: false (after the message, window closed) when the file is
    // missing or cannot be read.
    bool FormShow();
    int pageCount() const;

    void cmdZoomChange();
    void cmdPageChange();
    void btnPrintClick();
    void btnSaveClick();
    void btnCloseClick();

    // Prints pages from..to (1-based) of the document on a printer that is set up.
    // false when the printer cannot be started.
    bool PrintPages(QPrinter& printer, int from, int to);

private:
    QString file_;
    QPdfDocument* document_;
    QPdfView* PView;
    QSlider* cmdZoom;
    QLabel* labZoom;
    QScrollBar* cmdPage;
    QLabel* labPage;
    QPushButton* btnPrint;
    QPushButton* btnSave;
    QPushButton* btnClose;
};

// The printer dialog: true when the user accepts it (pages chosen on the printer).
// Tests replace it; nullptr returns to QPrintDialog.
using PrintDialogHook = std::function<bool(QPrinter&, int pageCount)>;
void SetPrintDialogHookForTesting(PrintDialogHook hook);

// Shows the preview of a document file modally (the missing-file message when absent).
void ShowPrintPreview(const QString& documentFile);
// Composes a report's document (busy cursor) and, when that succeeds, previews it;
// a failure shows the composer's message and opens nothing.
void ComposeAndPreview(const ReportDocument& doc);
