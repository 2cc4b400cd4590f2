// The start panel and the user's settings behind it.
#include "app/StartPanel.h"

#include "shell/screens/UserSettings.h"
#include "store/Connection.h"

#include <QCheckBox>
#include <QCommandLinkButton>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

const QString RecentKey = QStringLiteral("start/recentProjects");
const QString ReopenKey = QStringLiteral("start/reopenLastProject");

// A remembered project as "year:code".
QString refText(ProjectRef p)
{
    return QStringLiteral("%1:%2").arg(p.year).arg(p.code);
}

bool parseRef(const QString& text, ProjectRef& p)
{
    const QStringList parts = text.split(u':');
    if (parts.size() != 2)
        return false;
    bool yearOk = false, codeOk = false;
    p.year = parts[0].toInt(&yearOk);
    p.code = parts[1].toInt(&codeOk);
    return yearOk && codeOk && p.year > 0 && p.code > 0;
}

// Empties a list. The widgets go later, not at once: a list is filled anew while one of its
// buttons may still be telling its click (an opening that failed).
void clearBox(QVBoxLayout* box)
{
    while (QLayoutItem* item = box->takeAt(0)) {
        if (QWidget* w = item->widget()) {
            w->hide();
            w->setParent(nullptr);
            w->deleteLater();
        }
        delete item;
    }
}

} // namespace

QList<ProjectRef> RememberedProjects()
{
    QList<ProjectRef> out;
    for (const QString& text : OpenUserSettings()->value(RecentKey).toStringList()) {
        ProjectRef p;
        if (parseRef(text, p) && !out.contains(p))
            out << p;
    }
    return out;
}

void RememberProject(ProjectRef p)
{
    QStringList texts;
    for (const ProjectRef& r : RememberedAfterOpening(RememberedProjects(), p))
        texts << refText(r);
    const std::unique_ptr<QSettings> settings = OpenUserSettings();
    settings->setValue(RecentKey, texts);
    settings->sync();
}

bool ReopenLastProjectOnStart()
{
    return OpenUserSettings()->value(ReopenKey, false).toBool();
}

void SetReopenLastProjectOnStart(bool on)
{
    const std::unique_ptr<QSettings> settings = OpenUserSettings();
    settings->setValue(ReopenKey, on);
    settings->sync();
}

const QString StartPanel::FirstStepText =
    QStringLiteral("はじめに：下の一覧から企業を開くか、［プロジェクト］の［新規作成］で企業を登録してください。");

StartPanel::StartPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StartPanel"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(40, 32, 40, 32);

    auto* card = new QFrame(this);
    card->setObjectName(QStringLiteral("startCard"));
    card->setFrameShape(QFrame::StyledPanel);
    card->setAutoFillBackground(true);
    QPalette cardPalette = card->palette();
    cardPalette.setColor(QPalette::Window, Qt::white);
    card->setPalette(cardPalette);
    card->setMinimumWidth(760);
    card->setMaximumWidth(820);
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(24, 20, 24, 20);
    column->setSpacing(12);

    auto* firstStep = new QLabel(FirstStepText, card);
    firstStep->setObjectName(QStringLiteral("firstStep"));
    firstStep->setWordWrap(true);
    QFont bigger = firstStep->font();
    bigger.setPixelSize(bigger.pixelSize() > 0 ? bigger.pixelSize() + 2 : 14);
    firstStep->setFont(bigger);
    column->addWidget(firstStep);

    auto* recent = new QGroupBox(QStringLiteral("最近使ったプロジェクト"), card);
    recentBox_ = new QVBoxLayout(recent);
    column->addWidget(recent);
    auto* samples = new QGroupBox(QStringLiteral("サンプル企業"), card);
    sampleBox_ = new QVBoxLayout(samples);
    column->addWidget(samples);

    auto* commands = new QHBoxLayout;
    auto* openList = new QPushButton(QStringLiteral("企業の一覧から開く..."), card);
    openList->setObjectName(QStringLiteral("openList"));
    auto* newProject = new QPushButton(QStringLiteral("新規作成..."), card);
    newProject->setObjectName(QStringLiteral("newProject"));
    commands->addWidget(openList);
    commands->addWidget(newProject);
    commands->addStretch();
    column->addLayout(commands);
    connect(openList, &QPushButton::clicked, this, &StartPanel::openListRequested);
    connect(newProject, &QPushButton::clicked, this, &StartPanel::newProjectRequested);

    reopenLast_ = new QCheckBox(QStringLiteral("起動時に前回のプロジェクトを開く"), card);
    reopenLast_->setObjectName(QStringLiteral("reopenLast"));
    reopenLast_->setChecked(ReopenLastProjectOnStart());
    connect(reopenLast_, &QCheckBox::toggled, this, [](bool on) { SetReopenLastProjectOnStart(on); });
    column->addWidget(reopenLast_);

    outer->addWidget(card, 0, Qt::AlignHCenter | Qt::AlignTop);
    outer->addStretch();
}

void StartPanel::Reload(const Session& s)
{
    reopenLast_->setChecked(ReopenLastProjectOnStart());
    const bool readable = s.control && s.control->isOpen();
    fill(recentBox_, readable ? ExistingProjects(s, RememberedProjects()) : QList<ListedProject>(),
         QStringLiteral("まだありません。"), QStringLiteral("recentProject"));
    fill(sampleBox_, readable ? SampleProjects(s) : QList<ListedProject>(),
         QStringLiteral("サンプル企業はありません。"), QStringLiteral("sampleProject"));
}

void StartPanel::fill(QVBoxLayout* box, const QList<ListedProject>& projects, const QString& emptyText,
                      const QString& namePrefix)
{
    clearBox(box);
    if (projects.isEmpty()) {
        auto* none = new QLabel(emptyText);
        none->setObjectName(namePrefix + QStringLiteral("None"));
        box->addWidget(none);
        return;
    }
    for (qsizetype i = 0; i < projects.size(); ++i) {
        const ListedProject p = projects[i];
        auto* button = new QCommandLinkButton(ListedProjectText(p));
        button->setToolTip(QStringLiteral("企業コード %1").arg(p.code));
        button->setObjectName(namePrefix + QString::number(i));
        connect(button, &QCommandLinkButton::clicked, this, [this, p] { emit projectChosen(p); });
        box->addWidget(button);
    }
}
