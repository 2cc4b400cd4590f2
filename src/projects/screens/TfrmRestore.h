// 復元: the restore points of the program folder, and the chosen one put back.
#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

class TfrmRestore : public QDialog {
    Q_OBJECT
public:
    explicit TfrmRestore(QWidget* parent = nullptr);

    // Fills the list from the DATA folder's restore points, newest first.
    void Refresh();
    // 復元: asks, closes the database connections, puts the selected point back, shows the
    // outcome and reopens the control database. true when the files were put back.
    bool btnRestoreClick();

    QTableWidget* List() const { return list_; }
    // Whether a restore was done while the screen was open (the open project is then stale).
    bool Restored() const { return restored_; }

private:
    QTableWidget* list_ = nullptr;
    QPushButton* restore_ = nullptr;
    QStringList ids_;
    bool restored_ = false;
};
