// The dialog service as the program shows it: Qt message boxes and file dialogs.
#include "shell/screens/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QWidget* owner()
{
    return QApplication::activeWindow();
}

// The texts use CR or CR LF line breaks; Qt wants LF.
QString lines(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace('\r', '\n');
    return text;
}

} // namespace

void QtDialogs::information(const QString& caption, const QString& text)
{
    QMessageBox::information(owner(), caption, lines(text));
}

void QtDialogs::warning(const QString& caption, const QString& text)
{
    QMessageBox::warning(owner(), caption, lines(text));
}

bool QtDialogs::yesNo(const QString& caption, const QString& text)
{
    return QMessageBox::question(owner(), caption, lines(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
           == QMessageBox::Yes;
}

bool QtDialogs::okCancel(const QString& caption, const QString& text)
{
    return QMessageBox::question(owner(), caption, lines(text), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok)
           == QMessageBox::Ok;
}

QString QtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << parts.at(i);
    return out.join(QLatin1String(";;"));
}

QString QtDialogs::openFile(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(owner(), title, folder, QtFileFilter(filter));
}

QString QtDialogs::saveFile(const QString& title, const QString& suggested, const QString& filter)
{
    return QFileDialog::getSaveFileName(owner(), title, suggested, QtFileFilter(filter));
}

std::optional<std::uint32_t> QtDialogs::chooseColor(std::uint32_t initial)
{
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor chosen = QColorDialog::getColor(start, owner());
    if (!chosen.isValid())
        return std::nullopt;
    return std::uint32_t(chosen.red()) | (std::uint32_t(chosen.green()) << 8) | (std::uint32_t(chosen.blue()) << 16);
}
