// TPX2010 and TPX2011 driven through their widgets against a real year database.
#include "shell/screens/TfrmPrintPreview.h"
#include "shell/screens/AppState.h"
#include "core/TextCodec.h"
#include "shell/screens/ScreenHelpers.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"
#include "reports/ReportPage.h"
#include "wagetable/screens/TPX2010.h"
#include "wagetable/screens/TPX2011.h"
#include "wagetable/screens/WageTableBasicPage.h"
#include "wagetable/screens/WageTableCurvePages.h"
#include "wagetable/screens/WageTablePage.h"
#include "wagetable/screens/WageTableScalePage.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class TPX2010Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenTestProject(folder, {.kco = 2, .year = 2024, .name = QStringLiteral("山田製作所")});
        SetCurrentDateForTesting(QDate(2024, 4, 1));
        screen.show();
        screen.Prepare();
    }
    void TearDown() override { SetCurrentDateForTesting(QDate()); }

    template <class W = QLineEdit>
    W* field(const QString& name)
    {
        W* w = screen.findChild<W*>(name);
        EXPECT_TRUE(w) << name.toStdString();
        return w;
    }
    // Types into a field as a user would: everything selected, then the keys.
    void type(const QString& name, const QString& text)
    {
        QLineEdit* e = nullptr;
        if (auto* combo = screen.findChild<QComboBox*>(name))
            e = combo->lineEdit();
        else
            e = field(name);
        ASSERT_TRUE(e);
        e->selectAll();
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii) {
            QTest::keyClicks(e, text);
        } else {
            // Japanese arrives through the input method as a committed string.
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QCoreApplication::sendEvent(e, &commit);
        }
    }
    // Clicked near the left edge, where a radio button's indicator is.
    void click(const QString& name)
    {
        QAbstractButton* b = field<QAbstractButton>(name);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }
    // The pages and the boxes of the wage-table ID, found by their object names.
    QTabWidget* pages() { return field<QTabWidget>("PageControl1"); }
    WageTableIdBox* idBox(const QString& name) { return field<WageTableIdBox>(name); }
    WageTableBasicPage& basicPage() { return *field<WageTableBasicPage>("TabSheet1"); }
    WageTableScalePage& scalePage() { return *field<WageTableScalePage>("TabSheet2"); }
    WageTableCurvePage& secondOrderPage() { return *field<WageTableCurvePage>("TabSheet3"); }
    void showPage(int index) { pages()->setCurrentIndex(index); }
    QString text(const QString& name) { return field(name)->text(); }
    QString scalar(const QString& sql) { return Scalar(folder.fdm().ACN2, sql); }

    // Table 5: two grades, automatic mode, typed through the three pages and saved on each.
    void enterTableFive()
    {
        type("cmbScaleCode", "5");
        ASSERT_TRUE(idBox("cmbScaleCode")->checkWhenLeft());
        type("txtTitle", QStringLiteral("総合職"));
        type("txtTokyusu", "2");
        ASSERT_TRUE(basicPage().txtTokyusuExit());
        click("btnAdd");

        showPage(1);
        ASSERT_EQ(screen.PageState(), 2);
        const QString scale[2][4] = {{QStringLiteral("一般職"), "-20", "250000", "20"},
                                     {QStringLiteral("主任"), "-10", "300000", "10"}};
        for (int g = 0; g < 2; ++g) {
            const QString n = QString::number(g + 1);
            type("txt1TKName" + n, scale[g][0]);
            type("txtKagen" + n, scale[g][1]);
            ASSERT_TRUE(scalePage().txtKagenExit(g));
            type("txtKiso" + n, scale[g][2]);
            ASSERT_TRUE(scalePage().txtKisoExit(g));
            type("txtJyogen" + n, scale[g][3]);
            ASSERT_TRUE(scalePage().txtJyogenExit(g));
        }
        click("btnAdd");

        showPage(2);
        ASSERT_EQ(screen.PageState(), 3);
        const int steps[2][3] = {{1, 10, 20}, {5, 15, 30}};
        for (int g = 0; g < 2; ++g) {
            const QString n = QString::number(g + 1);
            type("txt2Stgosu" + n, QString::number(steps[g][0]));
            ASSERT_TRUE(secondOrderPage().stepExit(0, g));
            type("txt2Cgosu" + n, QString::number(steps[g][1]));
            ASSERT_TRUE(secondOrderPage().stepExit(1, g));
            type("txt2EndGosu" + n, QString::number(steps[g][2]));
            ASSERT_TRUE(secondOrderPage().stepExit(2, g));
        }
        click("btnAdd");
    }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    TPX2010 screen;
};

} // namespace

TEST_F(TPX2010Test, OpensWithoutAWageTable)
{
    EXPECT_EQ(screen.windowTitle(), QStringLiteral("賃金表　作成"));
    EXPECT_EQ(screen.size(), QSize(790, 580));
    EXPECT_EQ(pages()->currentIndex(), 0);
    EXPECT_EQ(screen.PageState(), 1);
    EXPECT_EQ(idBox("cmbScaleCode")->currentText(), QStringLiteral("0 : なし"));
    EXPECT_EQ(text("txtTokyusu"), "9");
    EXPECT_TRUE(field<QRadioButton>("opt2Jikyokusen")->isChecked());
    EXPECT_TRUE(field<QRadioButton>("optAuto")->isChecked());
    EXPECT_TRUE(field<QRadioButton>("optUnit10")->isChecked());
    for (const char* family : {"txtKagen", "txtKiso", "txtJyogen", "txt2Stgosu", "txt2Salary", "txtEndSalary"})
        for (int i = 1; i <= 9; ++i)
            EXPECT_EQ(text(QString::fromLatin1(family) + QString::number(i)), "0") << family << i;
    EXPECT_EQ(text("txt2Kakeritsu"), "1.000");
    EXPECT_EQ(text("txt1Tokyu9"), "9");
    EXPECT_EQ(screen.CurrentId(), 0);
    EXPECT_FALSE(screen.IsChanged());
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(TPX2010Test, SavesATableTypedIntoItsPages)
{
    enterTableFive();
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join('|').toStdString();

    // The scale row was recomputed when its fields were left.
    EXPECT_EQ(text("txtSplet1"), "1.50");
    EXPECT_EQ(text("txtLenji1"), "100,000");
    // Automatic mode: the amounts of the curve page come from the scale and are read-only.
    EXPECT_EQ(text("txt2Salary1"), "200,000");
    EXPECT_EQ(text("txt2CSalary1"), "250,000");
    EXPECT_EQ(text("txt2EndSalary1"), "300,000");
    EXPECT_EQ(text("txt2EndSalary2"), "330,000");
    for (const char* name : {"txt2Salary1", "txt2CSalary1", "txt2EndSalary1"}) {
        QLineEdit* e = field(name);
        EXPECT_TRUE(e->isReadOnly()) << name;
        EXPECT_FALSE(e->focusPolicy() & Qt::TabFocus) << name;
        EXPECT_EQ(e->palette().color(QPalette::Base), ResultColour()) << name;
    }
    EXPECT_FALSE(field("txt2Stgosu1")->isReadOnly());

    EXPECT_EQ(scalar("SELECT TITLE || ':' || TKSU || ':' || GOUHOU1 || '..' || GOUHOU2 FROM MCHINGIN WHERE CGCO = 5"),
              QStringLiteral("総合職:2:1..30"));
    EXPECT_EQ(scalar("SELECT group_concat(TKNA, ',') FROM DSCALE WHERE SKCO = 5"), QStringLiteral("一般職,主任"));
    EXPECT_EQ(scalar("SELECT count(*) FROM DCHINGIN2 WHERE KCO = 2 AND NENDO = 2024 AND SKCO = 5"), "30");
    EXPECT_EQ(scalar("SELECT KIN1 || '/' || KS1 FROM DCHINGIN2 WHERE SKCO = 5 AND GOUHOU = 1"), "200000/100");
    EXPECT_EQ(scalar("SELECT KIN1 FROM DCHINGIN2 WHERE SKCO = 5 AND GOUHOU = 20"), "300000");
    EXPECT_EQ(scalar("SELECT KIN2 || '/' || KS2 FROM DCHINGIN2 WHERE SKCO = 5 AND GOUHOU = 5"), "270000/100");
    EXPECT_EQ(scalar("SELECT KIN2 FROM DCHINGIN2 WHERE SKCO = 5 AND GOUHOU = 30"), "330000");
    EXPECT_EQ(scalar("SELECT KIN2 FROM DCHINGIN2 WHERE SKCO = 5 AND GOUHOU = 4"), "0");

    // Listed in both ID boxes, current, and shown again after reopening.
    EXPECT_EQ(idBox("cmbScaleCode")->findText("5"), 0);
    EXPECT_EQ(idBox("cmb2ScaleCode")->findText("5"), 0);
    EXPECT_FALSE(screen.IsChanged());
    screen.Prepare();
    EXPECT_EQ(screen.CurrentId(), 5);
    EXPECT_EQ(idBox("cmbScaleCode")->currentText(), "5");
    EXPECT_EQ(text("txtTitle"), QStringLiteral("総合職"));
    EXPECT_EQ(text("txtKiso2"), "300,000");
    EXPECT_EQ(text("txt2EndGosu2"), "30");
}

TEST_F(TPX2010Test, RefusesPageChanges)
{
    // Unsaved edits keep the page.
    type("txtTitle", QStringLiteral("未登録"));
    showPage(1);
    EXPECT_EQ(pages()->currentIndex(), 0);
    EXPECT_TRUE(dialogs.saw(QStringLiteral("ﾃﾞｰﾀが変更されています。登録ボタンを押し、データを更新して下さい。")));

    // The curve page must match the curve kind.
    dialogs.clear();
    type("cmbScaleCode", "3");
    ASSERT_TRUE(idBox("cmbScaleCode")->checkWhenLeft());
    click("opt3JiKyokusen");
    click("btnAdd");
    showPage(1);
    ASSERT_EQ(screen.PageState(), 2);
    showPage(2);
    EXPECT_EQ(pages()->currentIndex(), 1);
    EXPECT_EQ(screen.PageState(), 2);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("曲線の選択　は、３次曲線　が選択されています。")});
    showPage(3);
    EXPECT_EQ(screen.PageState(), 4);

    dialogs.clear();
    showPage(0);
    click("opt2Jikyokusen");
    click("btnAdd");
    showPage(3);
    EXPECT_EQ(pages()->currentIndex(), 0);
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("曲線の選択　は、２次曲線　が選択されています。")});
}

// An edit on any page keeps that page until it is saved or cancelled.
TEST_F(TPX2010Test, EveryPageKeepsItsUnsavedEdits)
{
    type("cmbScaleCode", "1");
    ASSERT_TRUE(idBox("cmbScaleCode")->checkWhenLeft());
    const struct {
        int page;
        const char* curve;   // the curve kind the page needs
        const char* field;
    } cases[] = {
        {1, "opt2Jikyokusen", "txt1TKName1"},   {1, "opt2Jikyokusen", "cmb2ScaleCode"},
        {2, "opt2Jikyokusen", "txt2Stgosu1"},   {2, "opt2Jikyokusen", "txt2Kakeritsu"},
        {3, "opt3JiKyokusen", "txtC2Salary1"}, {3, "opt3JiKyokusen", "txt3Kakeritsu"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        showPage(0);
        click(QString::fromLatin1(c.curve));
        click("btnAdd");
        showPage(c.page);
        ASSERT_EQ(screen.PageState(), c.page + 1);
        type(QString::fromLatin1(c.field), "7");
        EXPECT_TRUE(screen.IsChanged());
        dialogs.clear();
        showPage(0);
        EXPECT_EQ(pages()->currentIndex(), c.page);
        EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("ﾃﾞｰﾀが変更されています。登録ボタンを押し、データを更新して下さい。")});
        click("btnCancel");
        EXPECT_FALSE(screen.IsChanged());
    }
}

TEST_F(TPX2010Test, RowsAboveTheGradeCountAreDisabled)
{
    type("cmbScaleCode", "1");
    ASSERT_TRUE(idBox("cmbScaleCode")->checkWhenLeft());
    type("txtTokyusu", "3");
    ASSERT_TRUE(basicPage().txtTokyusuExit());
    click("optManual");
    click("btnAdd");
    for (int page : {1, 2}) {
        showPage(page);
        ASSERT_EQ(screen.PageState(), page + 1);
    }
    for (int i = 1; i <= 9; ++i) {
        const QString n = QString::number(i);
        const bool used = i <= 3;
        for (const QString& name : {"txt1TKName" + n, "txtKiso" + n, "txtSplet" + n, "txt2Stgosu" + n, "txt2Salary" + n,
                                    "txtC2Salary" + n, "txt3Tokyu" + n}) {
            EXPECT_EQ(field(name)->isEnabled(), used) << name.toStdString();
            if (!used) {
                EXPECT_EQ(field(name)->palette().color(QPalette::Base), UnusedRowColour()) << name.toStdString();
            }
        }
        if (used) {
            EXPECT_EQ(field("txt1Tokyu" + n)->palette().color(QPalette::Base), GradeNumberColour());
            EXPECT_EQ(field("txtLenji" + n)->palette().color(QPalette::Base), ResultColour());
            // Manual mode: the curve amounts are typed.
            EXPECT_FALSE(field("txt2Salary" + n)->isReadOnly());
            EXPECT_EQ(field("txt2Salary" + n)->palette().color(QPalette::Base), EditableColour());
        }
    }
    EXPECT_EQ(text("txt2TKSuu"), "3");
}

TEST_F(TPX2010Test, FieldChecksKeepWrongValuesOut)
{
    struct Case {
        const char* field;
        const char* typed;
        std::function<bool()> check;
        QString message;   // '' = accepted
        QString shown;
    };
    const Case cases[] = {
        {"txtTokyusu", "0", [&] { return basicPage().txtTokyusuExit(); }, QStringLiteral("入力範囲外です。1 ～ 9 の値を入力して下さい。"), "0"},
        {"txtTokyusu", "a", [&] { return basicPage().txtTokyusuExit(); }, QStringLiteral("数値を入力してください。"), "a"},
        {"txt2Stgosu1", "-10", [&] { return secondOrderPage().stepExit(0, 0); }, QString(), "-10"},
        {"txt2Stgosu1", "81", [&] { return secondOrderPage().stepExit(0, 0); }, QStringLiteral("入力範囲外です。"), "81"},
        {"txtKiso1", "1234567", [&] { return scalePage().txtKisoExit(0); }, QString(), "1,234,567"},
        {"txtKiso1", "12x", [&] { return scalePage().txtKisoExit(0); }, QStringLiteral("数値を入力してください。"), "12x"},
        {"txt2Kakeritsu", "1.01", [&] { return secondOrderPage().factorExit(); }, QString(), "1.010"},
        {"cmbScaleCode", "0", [&] { return idBox("cmbScaleCode")->checkWhenLeft(); }, QStringLiteral("０は入力できません。"), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        dialogs.clear();
        type(QString::fromLatin1(c.field), QString::fromLatin1(c.typed));
        EXPECT_EQ(c.check(), c.message.isEmpty());
        EXPECT_EQ(dialogs.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (!c.shown.isEmpty()) {
            EXPECT_EQ(text(QString::fromLatin1(c.field)), c.shown);
        }
    }
    // The lower limit feeds the spread at once; -100 % leaves it undefined.
    type("txtKiso2", "250000");
    ASSERT_TRUE(scalePage().txtKisoExit(1));
    type("txtKagen2", "-100");
    ASSERT_TRUE(scalePage().txtKagenExit(1));
    EXPECT_EQ(text("txtSplet2"), QStringLiteral("―"));
}

TEST_F(TPX2010Test, ASaveWithoutCurrentIdIsRefused)
{
    enterTableFive();
    dialogs.clear();
    showPage(1);
    // An ID without a header typed on the scale page leaves no current wage table.
    type("cmb2ScaleCode", "8");
    ASSERT_TRUE(idBox("cmb2ScaleCode")->checkWhenLeft());
    EXPECT_EQ(idBox("cmb2ScaleCode")->currentText(), "8");
    EXPECT_EQ(screen.CurrentId(), 0);
    click("btnAdd");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("賃金表IDが指定されていません。賃金表IDを入力して下さい。")});
    EXPECT_EQ(scalar("SELECT count(*) FROM MCHINGIN WHERE CGCO IN (0, 8)"), "0");
    EXPECT_EQ(scalar("SELECT count(*) FROM DCHINGIN2 WHERE SKCO IN (0, 8)"), "0");
    EXPECT_EQ(scalar("SELECT count(*) FROM DCHINGIN2 WHERE SKCO = 5"), "30");
}

TEST_F(TPX2010Test, ChoosingAnotherTableReloadsHeaderAndScale)
{
    enterTableFive();
    showPage(0);
    type("cmbScaleCode", "6");
    ASSERT_TRUE(idBox("cmbScaleCode")->checkWhenLeft());
    // A new number keeps what the screen holds.
    EXPECT_EQ(text("txtTitle"), QStringLiteral("総合職"));
    type("txtTitle", QStringLiteral("技能職"));
    click("btnAdd");
    EXPECT_EQ(idBox("cmbScaleCode")->count(), 2);
    EXPECT_EQ(scalar("SELECT TITLE FROM MCHINGIN WHERE CGCO = 6"), QStringLiteral("技能職"));

    idBox("cmbScaleCode")->setCurrentIndex(idBox("cmbScaleCode")->findText("5"));
    emit idBox("cmbScaleCode")->activated(idBox("cmbScaleCode")->currentIndex());
    EXPECT_EQ(screen.CurrentId(), 5);
    EXPECT_EQ(text("txtTitle"), QStringLiteral("総合職"));
    EXPECT_EQ(idBox("cmb2ScaleCode")->currentText(), "5");
    EXPECT_FALSE(screen.IsChanged());
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join('|').toStdString();
}

TEST_F(TPX2010Test, WritesTheTableAsCsvFiles)
{
    // Nothing chosen yet.
    click("btnCSV");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("スケールコードを選択して下さい。")});

    enterTableFive();
    const QString question = QStringLiteral("賃金表を") + App().ExeFolder + QStringLiteral("CSVへ出力します。\r\nよろしいですか？");
    for (const char* name : {"賃金表.CSV", "賃金表2.CSV"}) {
        dialogs.clear();
        dialogs.answers = {true};
        click("btnCSV");
        const QString path = folder.path("CSV/") + QString::fromUtf8(name);
        ASSERT_EQ(dialogs.calls.size(), 2);
        EXPECT_EQ(dialogs.calls[0].caption, AppTitle);
        EXPECT_EQ(dialogs.calls[0].text, question);
        EXPECT_EQ(dialogs.calls[1].text, QStringLiteral("CSVディレクトリに賃金表が出力されました。\r\n") + path);
        EXPECT_TRUE(QFile::exists(path)) << name;
    }

    QFile f(folder.path("CSV/賃金表.CSV"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_FALSE(IsValidUtf8(bytes));
    bool cp932 = false;
    const QString content = FromCp932(bytes, &cp932);
    EXPECT_TRUE(cp932);
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    const QStringList lines = content.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 2 + 30 + 1);   // heading, columns, 30 steps, nothing after the last CR LF
    EXPECT_EQ(lines[0], QStringLiteral("2024 年度,山田製作所,総合職,2024年04月01日"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("号俸,１等級,格差,２等級,格差,")));
    EXPECT_TRUE(bytes.startsWith(ToCp932(lines[0])));
    EXPECT_EQ(lines[2], QStringLiteral("1,200000,100,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"));
    EXPECT_EQ(lines[31].section(',', 0, 0), "30");
    EXPECT_EQ(lines[31].section(',', 3, 3), "330000");
    EXPECT_EQ(lines.last(), QString());

    // No means no file.
    dialogs.clear();
    dialogs.answers = {false};
    click("btnCSV");
    EXPECT_FALSE(QFile::exists(folder.path("CSV/賃金表3.CSV")));

    // Without the CSV folder the file error is reported instead of the success message.
    ASSERT_TRUE(QDir(folder.path("CSV")).removeRecursively());
    dialogs.clear();
    dialogs.answers = {true};
    click("btnCSV");
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_TRUE(dialogs.calls[1].text.startsWith(QStringLiteral("CSVファイルの書き込みでエラーが発生しました。\r\n")));
    EXPECT_FALSE(dialogs.saw(QStringLiteral("CSVディレクトリに賃金表が出力されました。\r\n") + folder.path("CSV/賃金表.CSV")));
}

TEST_F(TPX2010Test, CombinedTableChecksBeforePrinting)
{
    enterTableFive();
    // Unsaved changes: Yes goes back.
    dialogs.clear();
    type("txtKiso1", "260000");
    dialogs.answers = {true};
    click("btnSalaryList");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:続行します。")});
    EXPECT_EQ(dialogs.calls[0].caption, QStringLiteral("確認"));

    // No goes on to the report: the document is composed and shown in the preview, and
    // closing the preview deletes it.
    dialogs.clear();
    dialogs.answers = {false};
    QString shownCaption;
    int shownPages = 0;
    bool documentWhileShown = false;
    SetModalHookForTesting([&](QDialog& d) {
        shownCaption = d.windowTitle();
        if (auto* preview = qobject_cast<TfrmPrintPreview*>(&d))
            shownPages = preview->pageCount();
        documentWhileShown = QFileInfo::exists(ComposedDocumentsFolder() + "wkPrintSalaryList.pdf");
        return int(QDialog::Accepted);
    });
    click("btnSalaryList");
    SetModalHookForTesting(nullptr);
    EXPECT_EQ(dialogs.calls.size(), 1);   // the question only
    EXPECT_EQ(shownCaption, QStringLiteral("印刷プレビュー"));
    EXPECT_GE(shownPages, 1);
    EXPECT_TRUE(documentWhileShown);
    EXPECT_FALSE(QFileInfo::exists(ComposedDocumentsFolder() + "wkPrintSalaryList.pdf"));

    // A number without a generated table has nothing to print.
    click("btnCancel");
    showPage(0);
    type("cmbScaleCode", "12");
    ASSERT_TRUE(idBox("cmbScaleCode")->checkWhenLeft());
    dialogs.clear();
    click("btnSalaryList");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("印刷対象データはありません。")});
}

TEST_F(TPX2010Test, BaseAmountsShowTheLinkedEmployeesPayByGrade)
{
    click("btnKijungaku");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("賃金表IDを入力して下さい。")});
    EXPECT_FALSE(screen.BaseAmounts().isVisible());

    Exec(folder.fdm().ACN2, "INSERT INTO MSYAIN1 (KCO, SCO, NENDO, SKCO) VALUES (2, 1, 2024, 4), (2, 2, 2024, 4)");
    Exec(folder.fdm().ACN2, "INSERT INTO MSYAIN2 (KCO, SCO, NENDO, TOUKYU, KKYU1, KKYU2, KKYU3) "
                            "VALUES (2, 1, 2024, 2, 250000, 10000, 0), (2, 2, 2024, 2, 260000, 0, 0)");
    dialogs.clear();
    type("cmb2ScaleCode", "4");
    ASSERT_TRUE(idBox("cmb2ScaleCode")->checkWhenLeft());
    click("btnKijungaku");
    EXPECT_TRUE(dialogs.calls.isEmpty());
    TPX2011& d = screen.BaseAmounts();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.windowTitle(), QStringLiteral("基準額"));
    EXPECT_EQ(d.findChild<QLabel*>("Label002")->text(), QStringLiteral("第２等級"));
    EXPECT_EQ(d.findChild<QLabel*>("Label009")->text(), QStringLiteral("第９等級"));
    EXPECT_EQ(d.findChild<QLabel*>("Label012")->text(), QStringLiteral("260,000"));
    EXPECT_EQ(d.findChild<QLabel*>("Label011")->text(), QString());

    // A click on it closes it, and closing the screen closes it too.
    QTest::mouseClick(&d, Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    click("btnKijungaku");
    EXPECT_TRUE(d.isVisible());
    click("btnClose");
    EXPECT_FALSE(d.isVisible());
    EXPECT_FALSE(screen.isVisible());
}

TEST_F(TPX2010Test, CloseAsksAboutUnsavedChanges)
{
    type("txtTitle", QStringLiteral("途中"));
    dialogs.answers = {true};
    click("btnClose");
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:画面を閉じます。")});
    dialogs.answers = {false};
    click("btnClose");
    EXPECT_FALSE(screen.isVisible());

    // Escape discards the edits.
    screen.show();
    type("txtTitle", QStringLiteral("途中"));
    QTest::keyClick(&screen, Qt::Key_Escape);
    EXPECT_EQ(text("txtTitle"), QString());
    EXPECT_FALSE(screen.IsChanged());
    EXPECT_TRUE(screen.isVisible());
}
