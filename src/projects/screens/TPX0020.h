// TPX0020: company master (register, change or delete a company of a fiscal year).
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
struct CompanyMasterInput;

class TPX0020 : public QDialog {
    Q_OBJECT
public:
    explicit TPX0020(QWidget* parent = nullptr);

    // The buttons for a list mode: only 登録 (1), 修正 (2) or 削除 (3) is usable, the
    // other two are disabled with empty captions.
    void SetUpForListMode(int listMode);
    // The year and company the list passes on (txtNendo, txtCorpID).
    void SetCompany(int year, int code);

    // Resets the fields, fills the two lists, loads the company in change and delete
    // mode; focus on the name, nothing changed yet.
    void Prepare();

    // Handlers.
    bool txtSyoteiHHExit(QLineEdit* field);   // shared by the four working-time fields
    bool cmbModelCodeExit();
    bool cmbLivingCodeExit();
    void btnAddClick();
    void btnMntClick();
    void btnDltClick();
    void btnCanselClick();
    void btnCloseClick();
    // Runs whenever the screen closes: the main window's menu rule.
    void FormClose();

    bool Dirty() const { return dirty_; }

    // The window's close button and Escape ask like 閉じる does.
    void reject() override;
    void done(int result) override;

signals:
    // After a registration or deletion the list is prepared again; after 閉じる it is
    // loaded again.
    void listPreparationRequested();
    void listReloadRequested();

private:
    void buildForm();
    void resetFields();
    void loadCompany();
    int year() const;
    int code() const;
    CompanyMasterInput input() const;
    // Checks the four working-time fields before a write; focus on the first bad one.
    bool workingTimeFieldsValid();
    void showCode(QComboBox& list, const QString& codeText);
    void closeScreen();

    QLineEdit* txtCorpID = nullptr;
    QLineEdit* txtNendo = nullptr;
    QLineEdit* txtCorpName = nullptr;
    QLineEdit* txtTokyu[9] = {};
    QComboBox* cmbModelCode = nullptr;
    QComboBox* cmbLivingCode = nullptr;
    QLineEdit* txtSyoteiHH = nullptr;
    QLineEdit* txtSyoteiDD = nullptr;
    QLineEdit* txtSyoteiMM = nullptr;
    QLineEdit* txtSaichin = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnMnt = nullptr;
    QPushButton* btnDlt = nullptr;
    QPushButton* btnCansel = nullptr;
    QPushButton* btnClose = nullptr;

    bool dirty_ = false;
    bool closing_ = false;
};
