// 復元 (TfrmRestore): the restore points listed newest first and the chosen one put back.
#include "projects/SampleCompanies.h"
#include "projects/screens/TfrmRestore.h"
#include "raise/YearRollover.h"
#include "shell/RestorePoints.h"
#include "shell/screens/AppState.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProgramFolder.h"

#include <QFileInfo>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

class RestoreScreen : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteSampleCompanies(folder.session(), &error)) << error.toStdString(); }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    QString error;
};

TEST_F(RestoreScreen, ListsThePointsAndPutsTheChosenOneBackOnYes)
{
    const QString control = Scalar(folder.fdm().ACN1, "SELECT count(*) FROM MKIGYOU1");
    ASSERT_TRUE(MakeRestorePoint(folder.dataPath(), {"test", "テスト", 2020, 2, "", {"SEIGYO.MDB"}}).ok);
    ASSERT_TRUE(RollOverCompany(folder.session(), folder.fdm().ACN3, 2020, 1).done);
    folder.fdm().ACN3.close();
    ASSERT_NE(Scalar(folder.fdm().ACN1, "SELECT count(*) FROM MKIGYOU1"), control);

    TfrmRestore screen;
    QTableWidget* list = screen.List();
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("年次更新"));
    EXPECT_EQ(list->item(0, 2)->text(), QStringLiteral("2020年度"));
    EXPECT_TRUE(list->item(0, 3)->text().startsWith(QStringLiteral("1 ")));
    EXPECT_EQ(list->item(1, 1)->text(), QStringLiteral("テスト"));
    EXPECT_EQ(list->currentRow(), 0);

    // No to the question: nothing is put back.
    dialogs.answers = {false};
    EXPECT_FALSE(screen.btnRestoreClick());
    EXPECT_FALSE(screen.Restored());
    EXPECT_TRUE(QFileInfo::exists(folder.dataPath("2021/DATA.MDB")));

    dialogs.clear();
    dialogs.answers = {true};
    EXPECT_TRUE(screen.btnRestoreClick());
    EXPECT_TRUE(screen.Restored());
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[0].kind, "yesNo");
    EXPECT_TRUE(dialogs.calls[1].text.startsWith(QStringLiteral("復元しました。"))) << dialogs.calls[1].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder.dataPath("2021/DATA.MDB")));
    // The control database is open again, as it was before the rollover.
    EXPECT_TRUE(folder.fdm().ACN1.isOpen());
    EXPECT_EQ(Scalar(folder.fdm().ACN1, "SELECT count(*) FROM MKIGYOU1"), control);
    // The list now shows the restore's own point first.
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("復元"));
}

} // namespace
