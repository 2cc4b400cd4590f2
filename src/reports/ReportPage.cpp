// The page model of the reports: the engine's operations on a page.
#include "reports/ReportPage.h"

#include <QDir>
#include <QTemporaryDir>

void ReportPage::setLabelAndField(const QString& label, const QString& suffix, const QString& value)
{
    fields[QStringLiteral("L") + label + suffix] = label;
    fields[label + suffix] = value;
}

void ReportPage::drawTextBox(int left, int top, int right, int bottom, int align, const QString& text)
{
    boxes.append({left, top, right, bottom, align, text});
}

ReportPage& ReportDocument::newPage()
{
    ReportPage page;
    page.number = pages.size() + 1;
    pages.append(page);
    return pages.last();
}

QString ComposedDocumentsFolder()
{
    // One folder per process in the system's temporary folder, removed with its contents
    // when the process ends.
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/wageloom-reports-XXXXXX"));
    return folder.isValid() ? folder.path() + '/' : QDir::tempPath() + '/';
}

ReportDocument ReportDocumentFor(const QString& exeFolder, const QString& reportName, const QString& docName)
{
    ReportDocument doc;
    doc.templatePath = exeFolder + QStringLiteral("Report/") + reportName + QStringLiteral(".jfm");
    doc.documentPath = ComposedDocumentsFolder() + QStringLiteral("wk") + reportName + QStringLiteral(".pdf");
    doc.docName = docName;
    return doc;
}

QString SuggestedDocumentFileName(const QString& title, const QString& company, const QString& fallback)
{
    if (title.trimmed().isEmpty())
        return fallback;
    QString name = company;
    for (const char* form : {"株式会社", "有限会社", "合同会社", "合資会社", "合名会社", "（株）", "(株)", "㈱", "（有）", "(有)", "㈲"})
        name.remove(QString::fromUtf8(form));
    name = name.simplified().remove(' ').remove(QChar(0x3000));
    QString file = title.trimmed() + (name.isEmpty() ? QString() : QStringLiteral("_") + name) + QStringLiteral(".pdf");
    for (QChar& c : file)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = '_';
    return file;
}
