// The dialog service as the program shows it: Qt message boxes and file dialogs.
#include "shell/screens/QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QLibraryInfo>
#include <QSpacerItem>
#include <QTranslator>

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

// Room the window frame takes beside the caption: the icon and the title-bar buttons.
constexpr int CaptionFrameAllowance = 140;

QMessageBox::StandardButton run(QMessageBox::Icon icon, const QString& caption, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(owner(), icon, caption, text, buttons, defaultButton);
    return QMessageBox::StandardButton(box->exec());
}

} // namespace

bool InstallQtJapanese(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                                            const QString& text, QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton)
{
    auto box = std::make_unique<QMessageBox>(icon, caption, lines(text), buttons, owner);
    if (defaultButton != QMessageBox::NoButton)
        box->setDefaultButton(defaultButton);
    // A message box sizes itself to its text; a short text would cut the caption
    // ("Wagelo… Free版"). A spacer across the box's grid keeps it wide enough.
    const int captionWidth = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(caption)
                             + CaptionFrameAllowance;
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(captionWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0,
                      1, grid->columnCount());
    return box;
}

void QtDialogs::information(const QString& caption, const QString& text)
{
    run(QMessageBox::Information, caption, text, QMessageBox::Ok);
}

void QtDialogs::warning(const QString& caption, const QString& text)
{
    run(QMessageBox::Warning, caption, text, QMessageBox::Ok);
}

bool QtDialogs::yesNo(const QString& caption, const QString& text)
{
    return run(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
           == QMessageBox::Yes;
}

bool QtDialogs::okCancel(const QString& caption, const QString& text)
{
    return run(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
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
