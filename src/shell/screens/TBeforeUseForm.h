// TBeforeUseForm: the guidance viewer that pages through the texts of the control database.
#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

class TBeforeUseForm : public QDialog {
    Q_OBJECT
public:
    explicit TBeforeUseForm(QWidget* parent = nullptr);

    struct Page {
        QString name;
        QString memo;
        QString kbn;
    };

    void BTN_StartClick();
    void BTN_PreClick();
    void BTN_NextClick();
    void BTN_LastClick();

    int currentPage() const { return current_; }
    int pageCount() const { return pages_.size(); }

    QLineEdit* ED_Name;
    QPlainTextEdit* ED_Memo;
    QLabel* Image1;

private:
    void showCurrentPage();
    QList<Page> pages_;
    int current_ = 0;
};

// The guidance command: the notice, then the viewer.
void ShowGuidance(QWidget* parent);
