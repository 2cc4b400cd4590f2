// Main window: the menu rule, the company guard, captions, guidance, compaction and help.
#include "shell/screens/AppState.h"
#include "shell/screens/ExportSettings.h"
#include "shell/Compaction.h"
#include "shell/WriterLock.h"
#include "store/Connection.h"
#include "shell/screens/MainWindowLink.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/TBeforeUseForm.h"
#include "app/TPX0000.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProject.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QStringList allItems = {
    "mnNew",          "mnOPen",        "mnClose",      "mnMnt",          "mnDlt",         "mnBase",
    "mnSararyName",   "mnHyouka",      "mnPrint",      "mnCsvUtf8",    "mnImport",       "mnExport",   "mnExportXlsx",  "mnDBCond",
    "mnEnd",          "mnWorker",      "mnLiving",     "mnModelData",    "mnModelSalary", "mnSalaryPlot",
    "mnSalaryUpCurve", "mnLivingComp", "mnModelSalaryComp", "mnSalaryUpSetting", "mnSalaryList",
    "mnSalarySetting", "mnSalaryInput", "mnNendoUpdate", "mnList5000", "mnList5010", "mnSalaryReport",
    "mnSalaryUpReport", "BeforeUse",   "mnHELPH",      "mnVersion"};

QStringList enabledItems(const TPX0000& w)
{
    QStringList out;
    for (const QString& n : allItems)
        if (w.action(n)->isEnabled())
            out << n;
    return out;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetModalHookForTesting([this](QDialog& d) {
            shown << d.objectName();
            return onShow ? onShow(d) : 0;
        });
        window = std::make_unique<TPX0000>();
    }
    void TearDown() override { SetModalHookForTesting({}); }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
    std::unique_ptr<TPX0000> window;
    QStringList shown;
    std::function<int(QDialog&)> onShow;
};

TEST_F(MainWindowTest, AtStartOnlyTheNoCompanyCommandsAndHelpAreEnabled)
{
    EXPECT_EQ(enabledItems(*window), QStringList({"mnNew", "mnOPen", "mnMnt", "mnDlt", "mnPrint", "mnCsvUtf8", "mnDBCond", "mnEnd",
                                                  "BeforeUse", "mnHELPH", "mnVersion"}));
    EXPECT_FALSE(window->menu("mnMatrix")->menuAction()->isVisible());
    // The raise-curve design, the optimal wage and the year rollover can be reached once a
    // project is ready, like the other analysis commands.
    EXPECT_TRUE(window->action("mnFit")->isVisible());
    EXPECT_FALSE(window->action("mnFit")->isEnabled());
    EXPECT_FALSE(window->action("mnMatUPList")->isVisible());
    EXPECT_EQ(window->windowTitle(), AppTitle);
    // Tool buttons follow their menu items; the printer and design buttons stay disabled.
    EXPECT_TRUE(window->toolButton("btnNew")->isEnabled());
    EXPECT_TRUE(window->toolButton("btn_mdb")->isEnabled());
    EXPECT_FALSE(window->toolButton("btnKihon")->isEnabled());
    EXPECT_FALSE(window->toolButton("btn_Printa")->isEnabled());
    EXPECT_FALSE(window->toolButton("btnSalaryUpSetting")->isEnabled());
    EXPECT_EQ(window->toolButton("btnNew")->text(), QStringLiteral("新 規"));
    EXPECT_EQ(window->toolButton("btnNew")->toolTip(), QStringLiteral("ﾌﾟﾛｼﾞｪｸﾄを新規作成"));
    EXPECT_EQ(window->toolButton("btn_GroupSalary")->size(), QSize(50, 62));
    // The control record's eras are taken into the application state.
    EXPECT_EQ(App().EraNames[2], QStringLiteral("令和"));
    EXPECT_EQ(App().EraStartYears[1], 1989);
    EXPECT_EQ(App().FiscalYear, App().TodayYear);
}

TEST_F(MainWindowTest, ProjectCommandsWithoutACompanyShowTheGuardOnly)
{
    void (TPX0000::*commands[])() = {&TPX0000::mnBaseClick,        &TPX0000::mnWorkerClick,
                                     &TPX0000::mnSalaryListClick,  &TPX0000::mnSalaryInputClick,
                                     &TPX0000::mnSalaryReportClick, &TPX0000::mnImportClick,
                                     &TPX0000::mnModelSalaryClick, &TPX0000::mnMmatIdClick};
    for (auto command : commands) {
        dialogs.clear();
        (window.get()->*command)();
        ASSERT_EQ(dialogs.calls.size(), 1);
        EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("企業の選択がされていません。企業を選択してください。"));
        EXPECT_EQ(dialogs.calls[0].kind, "warning");
    }
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(App().ReportMode, 0);
}

TEST_F(MainWindowTest, ListCommandsAreRefusedWhileACompanyIsSelected)
{
    App().ListMode = 4;
    for (auto command : {&TPX0000::mnNewClick, &TPX0000::mnMntClick, &TPX0000::mnDltClick}) {
        dialogs.clear();
        (window.get()->*command)();
        EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("企業の選択を解除して下さい。")});
        EXPECT_EQ(dialogs.calls[0].kind, "warning");
        EXPECT_EQ(App().ListMode, 4);
    }
}

TEST_F(MainWindowTest, TheMenuUnblocksOnceSettingsFormsAndEvaluationsExist)
{
    OpenTestProject(folder, {.kco = 1, .year = 2024, .name = QStringLiteral("株式会社テスト")});
    TFDM& fdm = folder.fdm();
    Exec(fdm.ACN1, "UPDATE MKIGYOU1 SET FNK = 9");
    window->RefreshMenu(false);
    EXPECT_TRUE(window->action("mnBase")->isEnabled());
    EXPECT_TRUE(window->action("mnModelSalary")->isEnabled());
    EXPECT_FALSE(window->action("mnNew")->isEnabled());
    EXPECT_FALSE(window->action("mnWorker")->isEnabled());
    EXPECT_FALSE(window->toolButton("btnWorker")->isEnabled());

    struct Step {
        const char* statement;
        DbConnection* cn;
        bool unblocked;
    };
    const Step steps[] = {
        {"UPDATE MKIGYOU1 SET FNK = 0", &fdm.ACN1, false},
        {"INSERT INTO SALARYNAME (KCO, NENDO, SALARYID, SALARYNAME) VALUES (1, 2024, 1, '正社員')", &fdm.ACN2, false},
        {"INSERT INTO MHYOUKA VALUES (1, 2024, 0, 1, 'A', 2)", &fdm.ACN2, true},
    };
    for (const Step& s : steps) {
        Exec(*s.cn, s.statement);
        window->RefreshMenu(false);
        EXPECT_EQ(window->action("mnWorker")->isEnabled(), s.unblocked) << s.statement;
        EXPECT_EQ(window->action("mnSalaryReport")->isEnabled(), s.unblocked);
        EXPECT_EQ(window->toolButton("btn_Person")->isEnabled(), s.unblocked);
        for (const char* command : {"mnSalaryUpSetting", "mnNendoUpdate", "mnFit"})
            EXPECT_EQ(window->action(command)->isEnabled(), s.unblocked) << command;
        EXPECT_EQ(window->toolButton("btnSalaryUpSetting")->isEnabled(), s.unblocked);
        EXPECT_EQ(window->toolButton("btnKousinn")->isEnabled(), s.unblocked);
    }
    EXPECT_FALSE(window->action("mnMHyouka")->isEnabled());
    Exec(fdm.ACN2, "INSERT INTO MATRIXID (KCO, NENDO, MATRIXID) VALUES (1, 2024, 1)");
    window->RefreshMenu(false);
    EXPECT_TRUE(window->action("mnMHyouka")->isEnabled());

    window->mnCloseClick();
    EXPECT_FALSE(App().CompanyOpen);
    EXPECT_EQ(App().ListMode, 0);
    EXPECT_FALSE(window->action("mnWorker")->isEnabled());
    EXPECT_TRUE(window->action("mnNew")->isEnabled());
}

TEST_F(MainWindowTest, UnblockedCommandsOpenTheirScreens)
{
    OpenTestProject(folder);
    window->CreateLongLivedScreens();
    window->mnSalaryListClick();
    window->mnWorkerClick();
    EXPECT_EQ(shown, QStringList({"TPX2010", "TPX0030"}));
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join(" ").toStdString();
}

TEST_F(MainWindowTest, ReportCommandsOpenTheirScreens)
{
    OpenTestProject(folder);
    QStringList captions;
    onShow = [&](QDialog& d) {
        captions << d.windowTitle();
        return 0;
    };
    window->mnSalaryReportClick();
    EXPECT_EQ(App().ReportMode, 2);
    window->mnSalaryUpReportClick();
    EXPECT_EQ(App().ReportMode, 1);
    window->mnList5000Click();
    window->mnList5010Click();
    EXPECT_EQ(shown, QStringList({"TPX0090", "TPX0090", "TPX5000", "TPX5010"}));
    EXPECT_EQ(captions, QStringList({QStringLiteral("グループ別社員賃金レポート"), QStringLiteral("グループ別社員昇給レポート"),
                                     QStringLiteral("社員個人情報レポート"), QStringLiteral("社員賃金情報レポート")}));
    EXPECT_TRUE(dialogs.calls.isEmpty()) << dialogs.texts().join(" ").toStdString();
}

TEST_F(MainWindowTest, CaptionOfAnOpenCompany)
{
    App().FiscalYear = 2024;
    App().CalendarMode = 0;
    App().CompanyName = QStringLiteral("株式会社テスト");
    EXPECT_EQ(OpenCompanyCaption(),
              QStringLiteral("【　2024 年度  :  株式会社テスト　】 Wageloom賃金Slim Free版"));
    App().CalendarMode = 1;
    App().FiscalYear = 2020;
    EXPECT_EQ(OpenCompanyCaption(), QStringLiteral("【　令和 02 年度  :  株式会社テスト　】 Wageloom賃金Slim Free版"));
    SetMainWindowCaption(OpenCompanyCaption());
    EXPECT_EQ(window->windowTitle(), OpenCompanyCaption());
}

TEST_F(MainWindowTest, ModelWagesNeedAModelCodeAndRaiseInputAsksWithoutAWageTable)
{
    OpenTestProject(folder);
    window->mnModelSalaryClick();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_TRUE(dialogs.calls[0].text.startsWith(QStringLiteral("企業マスターにモデルコードがセットされていません。")));

    dialogs.clear();
    dialogs.answers = {false};
    window->mnSalaryInputClick();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(dialogs.calls[0].text,
              QStringLiteral("賃金表　が作成されていません、続けますか。\n【はい】:続けます。\n【いいえ】:画面を終了します。"));
    EXPECT_TRUE(shown.isEmpty());

    // はい opens the raise input, which does not ask again.
    dialogs.clear();
    dialogs.answers = {true};
    window->mnSalaryInputClick();
    EXPECT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(shown, QStringList{QStringLiteral("TPX3010")});
}

TEST_F(MainWindowTest, GuidanceViewerPagesThroughTheControlDatabaseTexts)
{
    Exec(folder.fdm().ACN1, "DELETE FROM Before WHERE ID > 3");
    TBeforeUseForm viewer;
    ASSERT_EQ(viewer.pageCount(), 3);
    EXPECT_EQ(viewer.ED_Name->text(), QStringLiteral("はじめに"));
    viewer.BTN_PreClick();
    EXPECT_EQ(viewer.currentPage(), 0);   // < on the first page does nothing
    viewer.BTN_NextClick();
    EXPECT_EQ(viewer.currentPage(), 1);
    viewer.BTN_LastClick();
    viewer.BTN_NextClick();
    EXPECT_EQ(viewer.currentPage(), 2);   // > on the last page does nothing
    EXPECT_EQ(viewer.ED_Name->text(), QStringLiteral("基本設定・就労形態・評価"));
    viewer.BTN_StartClick();
    EXPECT_EQ(viewer.currentPage(), 0);

    Exec(folder.fdm().ACN1, "DELETE FROM Before");
    TBeforeUseForm empty;
    EXPECT_EQ(empty.pageCount(), 0);
    empty.BTN_NextClick();
    empty.BTN_LastClick();
    EXPECT_TRUE(empty.ED_Name->text().isEmpty());
    EXPECT_TRUE(empty.ED_Memo->toPlainText().isEmpty());

    window->BeforeUseClick();
    EXPECT_TRUE(dialogs.calls.last().text.startsWith(QStringLiteral("注意\r\n")));
    EXPECT_EQ(shown, QStringList{"TBeforeUseForm"});
}

TEST_F(MainWindowTest, CompactionVisitsEveryDatabaseAndLeavesNoBackup)
{
    folder.openYear(2023);
    Exec(folder.fdm().ACN2, "INSERT INTO MKIGYOU2 (KCO, NENDO, KNA) VALUES (1, 2023, '残る会社')");
    QDir data(folder.dataPath());
    data.mkpath("2022");
    QFile::copy(folder.dataPath("DATA.MDB"), folder.dataPath("2022/DATA.MDB"));
    data.mkpath("old");
    QFile::copy(folder.dataPath("DATA.MDB"), folder.dataPath("old/ARCHIVE.MDB"));
    QFile::copy(folder.dataPath("DATA.MDB"), folder.dataPath("old/KEEP.mdb.old"));

    const QStringList files = DatabaseFilesUnder(folder.dataPath());
    QStringList names;
    for (const QString& f : files)
        names << QDir(folder.dataPath()).relativeFilePath(f);
    names.sort();
    EXPECT_EQ(names, QStringList({"2022/DATA.MDB", "2023/DATA.MDB", "DATA.MDB", "SEIGYO.MDB", "old/ARCHIVE.MDB"}));

    dialogs.answers = {true};
    window->mnDBCondClick();
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("データベースを圧縮します。よろしいですか？"),
                                            QStringLiteral("DB圧縮処理が完了しました。")}));
    EXPECT_TRUE(QDir(folder.dataPath()).entryList({"*.bak"}).isEmpty());
    EXPECT_TRUE(QDir(folder.dataPath("2023")).entryList({"*.bak"}).isEmpty());
    EXPECT_TRUE(QFile::exists(folder.dataPath("old/KEEP.mdb.old")));
    EXPECT_TRUE(folder.fdm().ACN1.isOpen());
    EXPECT_FALSE(folder.fdm().ACN2.isOpen());
    EXPECT_EQ(Scalar(folder.fdm().ACN2, "SELECT KNA FROM MKIGYOU2"), QStringLiteral("残る会社"));
    EXPECT_EQ(Scalar(folder.fdm().ACN1, "SELECT REKI3 FROM MSEIGYO"), QStringLiteral("令和"));
}

TEST_F(MainWindowTest, AnExistingBackupAsksAndNoSkipsOnlyThatFile)
{
    QFile bak(folder.dataPath("DATA.bak"));
    ASSERT_TRUE(bak.open(QIODevice::WriteOnly));
    bak.write("old backup");
    bak.close();
    dialogs.answers = {true, false};
    window->mnDBCondClick();
    ASSERT_EQ(dialogs.calls.size(), 3);
    EXPECT_TRUE(dialogs.calls[1].text.startsWith(QStringLiteral("すでに.bakファイルが存在します。\r\n")));
    EXPECT_TRUE(dialogs.calls[1].text.endsWith(QStringLiteral("処理を続行しますか？")));
    EXPECT_EQ(dialogs.calls[2].text, QStringLiteral("DB圧縮処理が完了しました。"));
    EXPECT_EQ(dialogs.calls[2].kind, "information");
    QFile kept(folder.dataPath("DATA.bak"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "old backup");   // skipped: the backup stays as it was

    dialogs.clear();
    dialogs.answers = {false};
    window->mnDBCondClick();   // No to the first question: nothing happens
    EXPECT_EQ(dialogs.calls.size(), 1);
}

TEST_F(MainWindowTest, AFileThatCannotBeCompactedEndsTheCommandWithTheEngineText)
{
    QFile junk(folder.dataPath("BROKEN.MDB"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(8192, 'x'));
    junk.close();
    bool terminated = false;
    TPX0000::SetTerminateForTesting([&] { terminated = true; });
    dialogs.answers = {true};
    window->mnDBCondClick();
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_TRUE(dialogs.calls[1].text.contains("not a database")) << dialogs.calls[1].text.toStdString();
    EXPECT_EQ(dialogs.calls[1].kind, "warning");
    EXPECT_FALSE(dialogs.saw(QStringLiteral("DB圧縮処理が完了しました。")));
    EXPECT_FALSE(terminated);
    EXPECT_FALSE(QFile::exists(folder.dataPath("BROKEN.bak")));
    EXPECT_EQ(QFileInfo(folder.dataPath("BROKEN.MDB")).size(), 8192);
    // The next statement reopens the control database.
    EXPECT_EQ(Scalar(folder.fdm().ACN1, "SELECT REKI1 FROM MSEIGYO"), QStringLiteral("昭和"));
}

// Another program writing the folder: the window asks, opens the data read-only on Yes and
// every write is refused with the holder's message; on No the program ends.
TEST_F(MainWindowTest, WhileAnotherProgramWritesTheDataItOpensReadOnlyOrNotAtAll)
{
    window.reset();
    WriterLock other(folder.dataPath());
    ASSERT_TRUE(other.take().ok);
    bool terminated = false;
    TPX0000::SetTerminateForTesting([&] { terminated = true; });

    dialogs.clear();
    dialogs.answers = {true};
    window = std::make_unique<TPX0000>();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, "yesNo");
    EXPECT_TRUE(dialogs.calls[0].text.contains(QStringLiteral("から使用中です。"))) << dialogs.calls[0].text.toStdString();
    EXPECT_TRUE(dialogs.calls[0].text.contains(QStringLiteral("読み取り専用で開きますか？")));
    EXPECT_FALSE(terminated);
    const QString holder = dialogs.calls[0].text.section(QStringLiteral("\r\n\r\n"), 0, 0);
    EXPECT_EQ(WritesRefusedReason(), holder);
    EXPECT_EQ(Scalar(folder.fdm().ACN1, "SELECT REKI1 FROM MSEIGYO"), QStringLiteral("昭和"));
    EXPECT_LT(folder.fdm().ACN1.execute("UPDATE MSEIGYO SET REKI1 = 'x'"), 0);
    EXPECT_EQ(Scalar(folder.fdm().ACN1, "SELECT REKI1 FROM MSEIGYO"), QStringLiteral("昭和"));

    window.reset();
    EXPECT_TRUE(WritesRefusedReason().isEmpty());
    dialogs.clear();
    dialogs.answers = {false};
    window = std::make_unique<TPX0000>();
    EXPECT_TRUE(terminated);

    window.reset();
    other.release();
    dialogs.clear();
    window = std::make_unique<TPX0000>();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(WriterLockPath(folder.dataPath())));
    TPX0000::SetTerminateForTesting([] { std::exit(1); });
}

TEST_F(MainWindowTest, HelpOpensTheDocumentBesideTheProgram)
{
    QStringList opened;
    bool succeed = true;
    TPX0000::SetDocumentOpenerForTesting([&](const QString& p) {
        opened << p;
        return succeed;
    });
    window->mnHELPHClick();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("ヘルプファイルが見つかりません。")});

    QFile help(folder.path("WageloomSlim.html"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    dialogs.clear();
    window->mnHELPHClick();
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(opened, QStringList{App().ExeFolder + "WageloomSlim.html"});

    succeed = false;
    window->mnHELPHClick();
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, "warning");
    EXPECT_EQ(dialogs.calls[0].text, QStringLiteral("HELPの起動に失敗しました ") + App().ExeFolder + "WageloomSlim.html");
    TPX0000::SetDocumentOpenerForTesting([](const QString&) { return true; });
}

TEST_F(MainWindowTest, VersionDialogShowsTheProgramsTexts)
{
    window->CreateLongLivedScreens();
    onShow = [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("バージョン情報"));
        auto* title = d.findChild<QLabel*>("labAppTitle");
        EXPECT_TRUE(title && title->text() == AppTitle);
        auto* version = d.findChild<QLabel*>("labAppVersion");
        EXPECT_TRUE(version && version->text() == QStringLiteral("Version ： 1.7x_Free"));
        // The program folder in use, whole in the tool tip (the label may shorten it).
        auto* folder = d.findChild<QLabel*>("labFolder");
        EXPECT_TRUE(folder && folder->text().startsWith(QStringLiteral("プログラムフォルダ：")));
        EXPECT_TRUE(folder && folder->toolTip() == QDir::toNativeSeparators(App().ExeFolder)) << App().ExeFolder.toStdString();
        EXPECT_FALSE(App().ExeFolder.isEmpty());
        return 0;
    };
    window->mnVersionClick();
    EXPECT_EQ(shown, QStringList{"TPX4010"});
}

} // namespace

TEST_F(MainWindowTest, TheCsvEncodingItemIsTheUsersSetting)
{
    QAction* utf8 = window->action("mnCsvUtf8");
    ASSERT_TRUE(utf8->isCheckable());
    EXPECT_FALSE(utf8->isChecked());
    EXPECT_EQ(UserCsvEncoding(), CsvEncoding::ShiftJis);
    utf8->trigger();
    EXPECT_TRUE(utf8->isChecked());
    EXPECT_EQ(UserCsvEncoding(), CsvEncoding::Utf8Bom);
    utf8->trigger();
    EXPECT_EQ(UserCsvEncoding(), CsvEncoding::ShiftJis);
}
