// Reading composed PDF documents back in tests.
#include "support/PdfText.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>

namespace {

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

void EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "logic_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);   // lives for the whole test run
}

QStringList PdfPages(const QString& pdfPath)
{
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    if (text.isEmpty())
        return {};
    QStringList pages = text.split(QChar('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

int PdfPageCount(const QString& pdfPath)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdfPath});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QList<PdfWord> PdfWords(const QString& pdfPath, int page)
{
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                                          QStringLiteral("-l"), QString::number(page), pdfPath,
                                                          QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    auto it = word.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        QString text = m.captured(5);
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&")).replace(QStringLiteral("&lt;"), QStringLiteral("<"))
            .replace(QStringLiteral("&gt;"), QStringLiteral(">")).replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        words.append({text, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                      m.captured(4).toDouble()});
    }
    return words;
}

QString WithoutBlanks(const QString& input)
{
    QString text = input;
    text.remove(QRegularExpression(QStringLiteral("[\\s\u3000]")));
    return text;
}
