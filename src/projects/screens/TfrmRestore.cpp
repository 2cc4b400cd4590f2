// 復元: the restore points of the program folder, and the chosen one put back.
#include "projects/screens/TfrmRestore.h"

#include "shell/RestorePoints.h"
#include "shell/screens/AppState.h"
#include "shell/screens/DialogService.h"
#include "store/DataModule.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TfrmRestore::TfrmRestore(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmRestore"));
    setWindowTitle(QStringLiteral("復元"));
    resize(720, 420);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("まとめて書き換える処理の前の状態に戻します。"
                                                "戻す前の状態も復元ポイントとして保存されます。"),
                                 this));
    list_ = new QTableWidget(0, 5, this);
    list_->setObjectName(QStringLiteral("lstPoints"));
    list_->setHorizontalHeaderLabels({QStringLiteral("日時"), QStringLiteral("処理"), QStringLiteral("年度"),
                                      QStringLiteral("企業"), QStringLiteral("利用者")});
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->verticalHeader()->hide();
    layout->addWidget(list_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    restore_ = new QPushButton(QStringLiteral("復元"), this);
    restore_->setObjectName(QStringLiteral("btnRestore"));
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    buttons->addWidget(restore_);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(restore_, &QPushButton::clicked, this, [this] { btnRestoreClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    Refresh();
}

void TfrmRestore::Refresh()
{
    const QList<RestorePoint> points = ListRestorePoints(App().DataFolder);
    ids_.clear();
    list_->setRowCount(int(points.size()));
    for (int row = 0; row < points.size(); ++row) {
        const RestorePoint& p = points[row];
        ids_ << p.id;
        const QString cells[5] = {
            p.made.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")), p.label,
            p.year ? QString::number(p.year) + QStringLiteral("年度") : QString(),
            p.company ? QString::number(p.company) + ' ' + p.companyName : QString(), p.user};
        for (int c = 0; c < 5; ++c)
            list_->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
    if (!points.isEmpty())
        list_->selectRow(0);
    restore_->setEnabled(!points.isEmpty());
}

bool TfrmRestore::btnRestoreClick()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= ids_.size())
        return false;
    const QString when = list_->item(row, 0)->text();
    const QString what = list_->item(row, 1)->text();
    if (!Dialogs().yesNo(QStringLiteral("復元"), when + QStringLiteral(" の「") + what
                                                  + QStringLiteral("」の前の状態に戻します。よろしいですか？")))
        return false;
    // The files are put back with no connection of ours on them.
    TFDM& fdm = FDM();
    fdm.ACN1.close();
    fdm.ACN2.close();
    fdm.ACN3.close();
    const Outcome done = RestoreRestorePoint(App().DataFolder, ids_[row]);
    fdm.OpenDatabase(fdm.ACN1, App().DataFolder + QStringLiteral("SEIGYO.MDB"));
    restored_ = restored_ || done.ok;
    ShowOutcome(done);
    Refresh();
    return done.ok;
}
