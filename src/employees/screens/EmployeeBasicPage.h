// 基本情報, the first page of the employee register (TPX0030): number, name, sex, dates,
// position, employment form, grade, step, evaluations, mark and picture.
#pragma once

#include "employees/screens/EmployeePage.h"

class QComboBox;
class QLabel;
class QTabWidget;
class QLineEdit;
class QPushButton;
class QRadioButton;

class EmployeeBasicPage : public EmployeePage {
    Q_OBJECT
public:
    explicit EmployeeBasicPage(QTabWidget& tabs);

    // The list of employment forms of the project (ID and year of `project`).
    void fillFormList(const QVariantList& project);
    // The lists of the open project (grades, marks, eras, evaluations), and the date
    // fields placed for the calendar in use.
    void fillProjectLists();
    // The evaluations of a wage table; the evaluation with the code `keepCode` stays chosen,
    // otherwise none.
    void fillEvaluationList(int wageTable, const QString& keepCode);

    void clear() override;
    void showEmployee(const TSyain_& rec) override;
    void gather(EmployeeFields& fields) const override;
    QWidget* fieldOf(EmployeeFieldError error) const override;

    int form() const;               // the chosen employment form, 0 for none
    QString evaluationCode() const; // the code of the evaluation shown
    const QString& pictureName() const { return pictureName_; }
    void focusNumber();

    // Checks when a field is left; false keeps the focus in the field.
    bool cmbSikakuExit();
    bool txtGouhouExit();
    bool cmbMarkExit();
    bool cmbHyouka1Exit();

    // 読　込: a picture from the program's picture folder.
    void btnPicterClick();

signals:
    // The employment form was chosen (its pay labels follow).
    void formChosen();
    // The grade or the step was checked and accepted (the wage-table link follows).
    void gradeOrStepAccepted();

private:
    struct DateWidgets {
        QComboBox* era = nullptr;
        QLineEdit* yy = nullptr;
        QLineEdit* mm = nullptr;
        QLineEdit* dd = nullptr;
    };

    DateWidgets makeDate(const QString& prefix, int x, int y);
    void placeDate(const DateWidgets& d, int x, int y, bool withEra);
    void fillEraLists();
    void showDate(const DateWidgets& d, int yyyymmdd);
    TYMD dateValues(const DateWidgets& d) const;
    void showPicture();
    void installFieldChecks();

    QLineEdit* txtWorkerNo;
    QLineEdit* txtWorkName;
    QRadioButton* OptSex1;
    QRadioButton* OptSex2;
    DateWidgets sei, nyu, tou;
    QLineEdit* txtYakusyoku;
    QComboBox* cmbMibun;
    QLineEdit* txtGakureki;
    QLineEdit* txtSenkou;
    QLineEdit* txtKSikaku;
    QLineEdit* txtHaizoku;
    QComboBox* cmbSikaku;
    QLineEdit* txtGouhou;
    QLineEdit* txtTasseiRitsu;
    QComboBox* cmbHyouka1;
    QLineEdit* txtHyouka[3];
    QLineEdit* txtKeikenNen;
    QLineEdit* txtSyokumuTensu;
    QComboBox* cmbMark;
    QLabel* Image1;
    QPushButton* btnPicter;

    QString pictureName_;
};
