// TfrmSalaryName: employment forms and the names of their pay components.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

class TfrmSalaryName : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSalaryName(QWidget* parent = nullptr);

    // The opening steps: fields cleared, the list loaded, the focus on the ID.
    void Prepare();

    // Leaving the ID list: a valid ID shows its form; false keeps the focus in the list.
    bool cmbSalaryIDExit();
    void btnAddClick();
    void btnCancelClick();
    void btnCloseClick();
    void btnDltClick();

    bool isDirty() const { return dirty_; }

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString selectedItem() const;
    void clearFields();
    void loadList();
    void showForm(int id);
    void changed();

    QComboBox* cmbSalaryID_ = nullptr;
    QLineEdit* names_[10] = {};   // txtName, txtTeigi, txtKihon1..3, txtTeate1..5
    QPushButton* btnDlt_ = nullptr;
    bool dirty_ = false;
    bool loading_ = false;
};
