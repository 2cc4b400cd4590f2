// TfrmImportWorker driven end to end: choose a file, check it, import it in both modes.
#include "employees/screens/TfrmImportWorker.h"
#include "shell/screens/AppState.h"
#include "core/TextCodec.h"
#include "shell/screens/StringGrid.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct ImportScreen : ::testing::Test {
    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    std::unique_ptr<TfrmImportWorker> form;

    void SetUp() override
    {
        OpenTestProject(folder);
        SetCurrentDateForTesting(QDate(2024, 6, 1));
        form = std::make_unique<TfrmImportWorker>();
        form->Prepare();
    }
    void TearDown() override { SetCurrentDateForTesting(QDate()); }

    template <class W>
    W* child(const char* name)
    {
        W* w = form->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }

    QString writeCsv(const QString& name, const QStringList& lines)
    {
        const QString path = folder.path(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ToCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        return path;
    }
    QString names()
    {
        return Scalar(folder.fdm().ACN2,
                      "SELECT group_concat(v, ' ') FROM (SELECT SCO || ':' || SNA AS v FROM VSYAIN ORDER BY SCO)");
    }
};

} // namespace

TEST_F(ImportScreen, OpensWithHeadingsAndTheImportButtonsDisabled)
{
    EXPECT_EQ(form->objectName(), "TfrmImportWorker");
    EXPECT_EQ(form->windowTitle(), QStringLiteral("社員マスタの取込"));
    TStringGrid* grid = child<TStringGrid>("GRDCowork");
    ASSERT_EQ(grid->colCount(), 16);
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->cell(0, 0), QStringLiteral("状態"));
    EXPECT_EQ(grid->cell(15, 0), QStringLiteral("公的資格"));
    EXPECT_EQ(grid->columnWidth(6), 40);
    EXPECT_EQ(grid->columnWidth(1), 80);
    EXPECT_GE(grid->columnWidth(2), 50);
    EXPECT_FALSE(child<QPushButton>("BTN_Rep")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("BTN_Add")->isEnabled());
    EXPECT_EQ(child<QLineEdit>("EB_FileName")->maxLength(), 255);
    EXPECT_FALSE(child<QLineEdit>("EB_FileName")->focusPolicy() & Qt::TabFocus);

    click("BTN_Check");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("ファイル名を入力して下さい。")});
}

TEST_F(ImportScreen, ChecksThenImportsInAddAndReplaceMode)
{
    const QString path = writeCsv("staff.csv", {"社員番号,社員名,性別,賃金等級", "1,\"山田, 太郎\",男性,2", "2,佐藤,,0"});
    dialogs.files = {QString(), path};
    click("BTN_SelectFile");   // cancelled: nothing changes
    EXPECT_EQ(child<QLineEdit>("EB_FileName")->text(), QString());
    click("BTN_SelectFile");
    EXPECT_EQ(dialogs.calls[1].caption, QStringLiteral("社員マスタCSVファイルの選択"));
    EXPECT_TRUE(dialogs.calls[1].text.endsWith(QStringLiteral("|CSVファイル(*.csv)|*.csv")));
    EXPECT_EQ(child<QLineEdit>("EB_FileName")->text(), path);

    click("BTN_Check");
    TStringGrid* grid = child<TStringGrid>("GRDCowork");
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->cell(1, 1), QStringLiteral("山田, 太郎"));
    EXPECT_EQ(grid->cell(6, 1), QStringLiteral("男"));
    EXPECT_EQ(grid->cell(6, 2), QStringLiteral("女"));
    EXPECT_EQ(grid->cell(13, 1), "2");
    EXPECT_TRUE(child<QPushButton>("BTN_Add")->isEnabled());
    EXPECT_TRUE(child<QPushButton>("BTN_Rep")->isEnabled());

    dialogs.clear();
    dialogs.answers = {false, true};
    click("BTN_Add");   // cancelled
    EXPECT_EQ(names(), QString());
    click("BTN_Add");
    EXPECT_EQ(dialogs.calls[1].kind, "okCancel");
    EXPECT_EQ(dialogs.calls[1].text, QStringLiteral("既存の社員マスタに追加して取込ます。\r\n実行してもよろしいですか？"));
    EXPECT_EQ(dialogs.calls.size(), 2);   // no message after success
    EXPECT_EQ(names(), QStringLiteral("1:山田, 太郎 2:佐藤"));
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT group_concat(SEIBETSU || TOUKYU) FROM MSYAIN2"), "02,10");
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT NEWDAY1 FROM MSYAIN1 WHERE SCO = 1"), "2024/06/01");
    EXPECT_FALSE(child<QPushButton>("BTN_Add")->isEnabled());

    click("BTN_Check");
    dialogs.clear();
    dialogs.answers = {true};
    click("BTN_Rep");
    EXPECT_EQ(dialogs.calls[0].text,
              QStringLiteral("すでに登録済みの社員マスタは削除して取込ます。\r\n実行してもよろしいですか？"));
    EXPECT_EQ(names(), QStringLiteral("1:山田, 太郎 2:佐藤"));
}

TEST_F(ImportScreen, ErrorsStayVisibleAndBlockTheImport)
{
    child<QLineEdit>("EB_FileName")->setText(writeCsv("bad.csv", {"社員名,社員番号,生年月日", "甲,1,1980/4/1", ",2,0"}));
    click("BTN_Check");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("エラーが存在するので取込できません。")});
    TStringGrid* grid = child<TStringGrid>("GRDCowork");
    EXPECT_EQ(grid->cell(0, 1), QString());
    EXPECT_EQ(grid->cell(0, 2), QStringLiteral("ERROR"));
    EXPECT_EQ(grid->cell(11, 2), "0");
    EXPECT_FALSE(child<QPushButton>("BTN_Add")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("BTN_Rep")->isEnabled());

    // A missing file: message, buttons stay disabled, the old rows are not cleared.
    dialogs.clear();
    child<QLineEdit>("EB_FileName")->setText(folder.path("gone.csv"));
    click("BTN_Check");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("指定されたファイルは存在しません。")});
    EXPECT_EQ(grid->rowCount(), 3);

    // A file without valid headings clears the grid to one empty row.
    dialogs.clear();
    child<QLineEdit>("EB_FileName")->setText(writeCsv("unknown.csv", {"a,b", "1,2"}));
    click("BTN_Check");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("有効な項目名がありません。")});
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->cell(0, 1), QString());
}

TEST_F(ImportScreen, AFailedImportKeepsTheOldEmployeesAndMayBeRetried)
{
    child<QLineEdit>("EB_FileName")->setText(writeCsv("old.csv", {"社員名,社員番号", "旧,1"}));
    click("BTN_Check");
    dialogs.answers = {true};
    click("BTN_Add");
    Exec(folder.fdm().ACN2, "CREATE TRIGGER refuse BEFORE INSERT ON MSYAIN1 WHEN NEW.SNA = '壊' "
                            "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    child<QLineEdit>("EB_FileName")->setText(writeCsv("new.csv", {"社員名,社員番号", "新,1", "壊,2"}));
    click("BTN_Check");
    dialogs.clear();
    dialogs.answers = {true};
    click("BTN_Rep");
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[1].kind, "warning");
    EXPECT_EQ(dialogs.calls[1].caption, QString());
    EXPECT_TRUE(dialogs.calls[1].text.startsWith(QStringLiteral("データベースにエラーがありました。")));
    EXPECT_EQ(names(), QStringLiteral("1:旧"));
    EXPECT_TRUE(child<QPushButton>("BTN_Rep")->isEnabled());
}

TEST_F(ImportScreen, AnErrorRowSaysWhichFieldsFailedInItsToolTipAndWhenSelected)
{
    child<QLineEdit>("EB_FileName")
        ->setText(writeCsv("why.csv", {"社員名,社員番号,生年月日,入社日,賃金等級,本支店ID", "甲,1,1980/4/1,2000/4/1,3,0",
                                       ",2,1980/13/1,2000/4/1,10,x", "丙,3,1980/4/1,2000/4/31,1,"}));
    click("BTN_Check");
    TStringGrid* grid = child<TStringGrid>("GRDCowork");
    ASSERT_EQ(grid->rowCount(), 4);
    // The status column keeps its word; the reasons go to the tool tip.
    EXPECT_EQ(grid->cell(0, 2), QStringLiteral("ERROR"));
    EXPECT_EQ(grid->item(2, 0)->toolTip(),
              QStringLiteral("社員名がありません、本支店IDが数値ではありません、賃金等級が0～9ではありません、"
                             "生年月日が日付（年/月/日）ではありません"));
    EXPECT_EQ(grid->item(2, 5)->toolTip(), grid->item(2, 0)->toolTip());
    EXPECT_EQ(grid->item(3, 0)->toolTip(), QStringLiteral("入社日が日付（年/月/日）ではありません"));
    EXPECT_EQ(grid->item(1, 0)->toolTip(), QString());

    auto* status = child<QLabel>("labStatus");
    grid->setCursor(3, 3);
    EXPECT_EQ(status->text(), QStringLiteral("3行目 ERROR：入社日が日付（年/月/日）ではありません"));
    grid->setCursor(3, 1);
    EXPECT_EQ(status->text(), QString());
    grid->setCursor(1, 2);
    EXPECT_TRUE(status->text().startsWith(QStringLiteral("2行目 ERROR：社員名がありません")));

    // A sound file clears the reasons.
    child<QLineEdit>("EB_FileName")->setText(writeCsv("ok.csv", {"社員名,社員番号", "甲,1"}));
    click("BTN_Check");
    EXPECT_EQ(status->text(), QString());
    EXPECT_EQ(grid->item(1, 0)->toolTip(), QString());
}
