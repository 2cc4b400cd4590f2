// The raise-curve design TPX1050 and its legend dialog TPX1051 on a sample company: curves
// saved and reloaded per X and Y pair, the print and the CSV, the checks, 実行 and 閉じる.
#include "plot/ChartAnalyses.h"
#include "reports/ReportPage.h"
#include "plot/ChartModel.h"
#include "plot/screens/TPX1050.h"
#include "plot/screens/TPX1051.h"
#include "plot/screens/TPX1100.h"
#include "shell/screens/TfrmPrintPreview.h"
#include "shell/screens/AppState.h"
#include "core/Colors.h"
#include "core/TextCodec.h"
#include "app/TPX0000.h"
#include "support/PdfText.h"
#include "support/screens/SamplePlotTest.h"
#include "support/screens/Typing.h"
#include "plot/RaiseCurveDesign.h"

#include <QAction>
#include <QCheckBox>
#include <QToolButton>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

class RaiseCurveDesignScreens : public SamplePlotTest {
protected:
    void SetUp() override
    {
        SamplePlotTest::SetUp();
        Exec(folder.fdm().ACN2, "DELETE FROM DSPDRAW");
        Exec(folder.fdm().ACN2, "DELETE FROM DCHINGIN");
    }
    QLineEdit* nenrei(QWidget& s, int n, int k) { return child<QLineEdit>(s, QStringLiteral("txtNenrei%1%2").arg(n).arg(k)); }
    QLineEdit* amount(QWidget& s, int n, int k) { return child<QLineEdit>(s, QStringLiteral("txtSyokunou%1%2").arg(n).arg(k)); }
    void point(QWidget& s, int n, int k, int x, long long yen)
    {
        nenrei(s, n, k)->setText(QString::number(x));
        amount(s, n, k)->setText(QString::number(yen));
    }
    void choose(QWidget& s, const QString& name) { child<QRadioButton>(s, name)->click(); }
    int designRows() { return db("SELECT count(*) FROM DCHINGIN WHERE KCO = 1 AND NENDO = 2020").toInt(); }
};

} // namespace

TEST_F(RaiseCurveDesignScreens, CurveFiveIsSavedReloadedAndEachPairShowsItsOwnCurves)
{
    {
        TPX1050 s;
        s.Prepare();
        EXPECT_EQ(s.windowTitle(), QStringLiteral("昇給カーブの設計"));
        EXPECT_EQ(s.size(), QSize(880, 620));
        choose(s, "optX1");
        choose(s, "optY3");   // 基本給
        EXPECT_EQ(child<QLabel>(s, "Label001")->text(), QStringLiteral("年　　齢１"));
        EXPECT_EQ(child<QLabel>(s, "Label010")->text(), QStringLiteral("基　本　給５"));
        EXPECT_EQ(nenrei(s, 5, 6)->text(), QStringLiteral("0"));
        EXPECT_EQ(child<QRadioButton>(s, "optY5")->text(), QStringLiteral("賞　与"));
        EXPECT_FALSE(child<QWidget>(s, "optMarkSeq")->isVisibleTo(&s));

        point(s, 5, 1, 20, 200000);
        point(s, 5, 2, 25, 230000);
        point(s, 5, 3, 30, 250000);
        child<QCheckBox>(s, "chk5")->setChecked(true);
        child<QPlainTextEdit>(s, "txtBikou")->setPlainText(QStringLiteral("若年層を厚く"));
        EXPECT_TRUE(s.changed());
        press(s, "btnAdd");
        EXPECT_FALSE(s.changed());
        press(s, "btnClose");   // keeps the X and Y items in force
        EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
    }
    EXPECT_EQ(db("SELECT count(*) FROM DSPDRAW WHERE KCO = 1 AND NENDO = 2020 AND X = 0 AND Y = 2"), "5");
    EXPECT_EQ(db("SELECT FCHKS || ',' || FREN || ',' || SNENREI3 || ',' || SKIN3 || ',' || KAISETSU FROM DSPDRAW "
                 "WHERE KCO = 1 AND NENDO = 2020 AND SDCO = '5'"),
              QStringLiteral("1,1,30,250000.0,若年層を厚く"));

    TPX1050 again;
    again.Prepare();
    EXPECT_EQ(child<QLabel>(again, "Label002")->text(), QStringLiteral("基　本　給１"));
    EXPECT_EQ(nenrei(again, 5, 2)->text(), QStringLiteral("25"));
    EXPECT_EQ(amount(again, 5, 2)->text(), QStringLiteral("230,000"));
    EXPECT_EQ(amount(again, 5, 4)->text(), QStringLiteral("0"));
    EXPECT_TRUE(child<QCheckBox>(again, "chk5")->isChecked());
    EXPECT_EQ(child<QPlainTextEdit>(again, "txtBikou")->toPlainText(), QStringLiteral("若年層を厚く"));
    EXPECT_FALSE(again.changed());

    // Another Y item: its own (here no) curves, and the headings follow.
    choose(again, "optY4");
    EXPECT_EQ(child<QLabel>(again, "Label002")->text(), QStringLiteral("所　定　給１"));
    EXPECT_EQ(nenrei(again, 5, 1)->text(), QStringLiteral("0"));
    EXPECT_EQ(amount(again, 5, 2)->text(), QStringLiteral("0"));
    EXPECT_FALSE(child<QCheckBox>(again, "chk5")->isChecked());
    EXPECT_TRUE(child<QPlainTextEdit>(again, "txtBikou")->toPlainText().isEmpty());
    EXPECT_FALSE(again.changed());
    choose(again, "optY3");
    EXPECT_EQ(amount(again, 5, 3)->text(), QStringLiteral("250,000"));
}

TEST_F(RaiseCurveDesignScreens, SalaryListPrintsThePagesAndCsvExportWritesTheFile)
{
    TPX1050 s;
    s.Prepare();
    choose(s, "optX1");
    choose(s, "optY3");
    child<QLineEdit>(s, "txtTitle")->setText(QStringLiteral("設計試案"));
    point(s, 1, 1, 20, 200000);
    point(s, 1, 2, 30, 250000);
    point(s, 5, 1, 30, 300000);
    point(s, 5, 2, 31, 310000);

    QStringList pages;
    QString previewed;
    SetModalHookForTesting([&](QDialog& d) {
        previewed = d.objectName();
        pages = PdfPages(ComposedDocumentsFolder() + QStringLiteral("wkPrintSekkeiList.pdf"));
        return int(QDialog::Accepted);
    });
    press(s, "btnSalaryList");
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(previewed, QStringLiteral("frmPrintPreview"));
    ASSERT_EQ(pages.size(), 1);
    const QString text = WithoutBlanks(pages[0]);
    for (const char* expected : {"昇給設計レポート", "設計試案", "サンプル精機株式会社", "P.", "設計５", "年齢", "基本給",
                                 "格差", "250,000", "310,000", "平均", "225,000", "5,000", "305,000", "10,000"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_EQ(designRows(), 13);
    // Closing the preview removed the document.
    EXPECT_FALSE(QFileInfo::exists(ComposedDocumentsFolder() + QStringLiteral("wkPrintSekkeiList.pdf")));

    // CSV出力: asked first; No writes nothing, Yes writes the file.
    const QString csv = DesignCsvPath(App().ExeFolder);
    QFile::remove(csv);
    dialogs.answers = {false, true};
    press(s, "btnFile");
    EXPECT_FALSE(QFileInfo::exists(csv));
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].caption, AppTitle);
    EXPECT_TRUE(dialogs.calls[0].text.endsWith(QStringLiteral("CSVへ出力します。\r\nよろしいですか？")));
    press(s, "btnFile");
    EXPECT_TRUE(dialogs.saw(QStringLiteral("CSVディレクトリに賃金表が出力されました。")));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = FromCp932(file.readAll()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.value(0), QStringLiteral("設計試案"));
    EXPECT_EQ(lines.value(3), QStringLiteral("20,200000,100,0,0,0,0,0,0,0,0,0,30,300000,100"));
    EXPECT_EQ(lines.value(14), QStringLiteral("平均,225000,5000,,,,,,,,,,平均,305000,10000"));
}

TEST_F(RaiseCurveDesignScreens, PointProblemsAreShownAndNothingIsBuiltOrPrinted)
{
    struct Case {
        int n, k, x;
        long long yen;
        QString message;
    } cases[] = {
        {2, 2, 0, 210000, QStringLiteral("年齢を入力して下さい。2列 2行目")},
        {3, 2, 25, 0, QStringLiteral("金額を入力して下さい。3列 2行目")},
        {4, 2, 20, 230000, QStringLiteral("年齢は昇順に入力して下さい。4列 1行目")},
    };
    // A table built before stays as it was.
    Exec(folder.fdm().ACN2, "INSERT INTO DCHINGIN VALUES (1, 2020, 1, 0, 2, 1, 20, 200000, 0, 0, 100)");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        bool previewed = false;
        SetModalHookForTesting([&](QDialog&) {
            previewed = true;
            return int(QDialog::Accepted);
        });
        TPX1050 s;
        s.Prepare();
        point(s, c.n, 1, 20, 200000);
        point(s, c.n, c.k, c.x, c.yen);
        dialogs.clear();
        press(s, "btnSalaryList");
        EXPECT_EQ(dialogs.texts(), QStringList{c.message});
        dialogs.answers = {true};
        press(s, "btnFile");
        EXPECT_EQ(dialogs.texts().last(), c.message);
        EXPECT_FALSE(previewed);
        EXPECT_EQ(designRows(), 1);
        EXPECT_EQ(db("SELECT SNENREI FROM DCHINGIN WHERE KCO = 1 AND NENDO = 2020"), "20");
    }

    // No curve at all: no print.
    TPX1050 empty;
    empty.Prepare();
    dialogs.clear();
    press(empty, "btnSalaryList");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("印刷対象データは有りません。")});
    EXPECT_EQ(designRows(), 0);
}

TEST_F(RaiseCurveDesignScreens, ExecAsksForRegistrationFirstThenPlotsChart1050)
{
    SetModalHookForTesting([](QDialog&) { return int(QDialog::Accepted); });
    TPX1050 s;
    s.Prepare();
    press(s, "btnPlotAll");
    press(s, "btnTokyuAll");
    child<QRadioButton>(s, "optSex3")->click();
    child<QRadioButton>(s, "optSalaryAll")->click();
    child<QRadioButton>(s, "optLabelTrue")->click();
    ASSERT_TRUE(s.changed());
    const QString before = db("SELECT count(*) FROM DCHART");

    press(s, "btnExec");
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("ﾃﾞｰﾀが変更されています。登録　してください。")});
    EXPECT_EQ(CurrentChart(), 0);
    EXPECT_EQ(db("SELECT count(*) FROM DCHART"), before);
    EXPECT_EQ(s.result(), 0);

    // Typing a point is a change as well.
    press(s, "btnAdd");
    ASSERT_FALSE(s.changed());
    TypeText(nenrei(s, 1, 1), QStringLiteral("2"));
    EXPECT_TRUE(s.changed());
    press(s, "btnAdd");

    dialogs.clear();
    child<QLineEdit>(s, "txtTitle")->setText(QStringLiteral("設計"));
    press(s, "btnExec");
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(CurrentChart(), 1050);
    EXPECT_EQ(s.result(), int(QDialog::Accepted));
    EXPECT_EQ(PlotWindow().windowTitle(), QStringLiteral("プロット　 【　設計　】"));
    // MARKR is always 1; CGRAPH follows ﾌﾟﾛｯﾄﾏｰｸ表示 "1 : する".
    EXPECT_EQ(chart(1050, "MARKR || ',' || CGRAPH || ',' || TITLE || ',' || YNAME"),
              QStringLiteral("1,1,設計,") + child<QRadioButton>(s, "optY1")->text());
    EXPECT_GT(db("SELECT count(*) FROM DCHART").toInt(), 0);

    // The stored choices plot chart 1050 again without the screen, and name it as the chart to open.
    const ChartAnalysis again = AnalyseStoredChart(CurrentSession(), 1050);
    EXPECT_EQ(again.status, SetupAnalysis::Plotted);
    EXPECT_EQ(again.chartId, 1050);
    EXPECT_FALSE(again.outcome.hasMessage()) << again.outcome.text.toStdString();
}

TEST_F(RaiseCurveDesignScreens, CloseAsksWithUnsavedChanges)
{
    TPX1050 s;
    s.Prepare();
    EXPECT_FALSE(s.changed());
    TypeText(child<QLineEdit>(s, "txtTitle"), QStringLiteral("案"));
    ASSERT_TRUE(s.changed());

    dialogs.answers = {true, true, false};
    press(s, "btnClose");   // はい: back to the screen
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].kind, QStringLiteral("yesNo"));
    EXPECT_EQ(dialogs.calls[0].caption, QStringLiteral("確認"));
    EXPECT_EQ(dialogs.calls[0].text,
              QStringLiteral("ﾃﾞｰﾀが変更されています。\r【はい】:戻ります。\r【いいえ】:画面を閉じます。"));
    EXPECT_NE(chart(1050, "TITLE"), QStringLiteral("案"));

    s.reject();   // Escape asks the same question
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls[1].text, dialogs.calls[0].text);
    EXPECT_NE(chart(1050, "TITLE"), QStringLiteral("案"));

    press(s, "btnClose");   // いいえ: the settings saved, the screen closed
    EXPECT_EQ(chart(1050, "TITLE"), QStringLiteral("案"));
    EXPECT_EQ(CurrentChart(), 0);

    // Without changes no question.
    TPX1050 quiet;
    quiet.Prepare();
    dialogs.clear();
    press(quiet, "btnClose");
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(RaiseCurveDesignScreens, LegendDialogChangesColourStyleAndWidthOfACurve)
{
    DesignCurve curve;
    TPX1051 legend(3, curve);
    EXPECT_EQ(legend.windowTitle(), QStringLiteral("試行昇給曲線　凡例"));
    EXPECT_EQ(legend.size(), QSize(496, 450));
    EXPECT_EQ(child<QLineEdit>(legend, "txtName")->text(), QStringLiteral("曲線番号(3)"));
    EXPECT_FALSE(child<QWidget>(legend, "btnAdd")->isVisibleTo(&legend));
    // Width 0: the sample is only erased.
    EXPECT_EQ(legend.sampleImage().pixel(80, 4), QColor(Qt::white).rgb());

    dialogs.colors = {0x0000FFu};   // red as 00BBGGRR
    press(legend, "btnColor");
    EXPECT_EQ(curve.colour, ColorToText(0x0000FFu));
    auto* style = child<QComboBox>(legend, "cmbSensyu");
    auto* width = child<QComboBox>(legend, "cmbSenhaba");
    width->setEditText(QStringLiteral("3"));
    EXPECT_TRUE(legend.cmbSenhabaExit());
    EXPECT_EQ(curve.width, 3);
    EXPECT_EQ(legend.sampleImage().pixel(80, 4), QColor(Qt::red).rgb());
    EXPECT_EQ(child<QLabel>(legend, "Label101")->palette().color(QPalette::WindowText), QColor(Qt::red));

    style->setEditText(QStringLiteral("5"));
    EXPECT_TRUE(legend.cmbSensyuExit());
    EXPECT_EQ(curve.style, 5);
    EXPECT_EQ(style->currentText(), QStringLiteral("5 : なし"));
    EXPECT_EQ(legend.sampleImage().pixel(80, 4), QColor(Qt::white).rgb());

    // A code not in the list is refused and changes nothing.
    style->setEditText(QStringLiteral("7"));
    EXPECT_FALSE(legend.cmbSensyuExit());
    EXPECT_EQ(curve.style, 5);
    width->setEditText(QStringLiteral("9"));
    EXPECT_FALSE(legend.cmbSenhabaExit());
    EXPECT_EQ(curve.width, 3);

    child<QLineEdit>(legend, "txtHanrei")->setText(QStringLiteral("案３"));
    child<QLineEdit>(legend, "txtComment")->setText(QStringLiteral("中堅重視"));
    press(legend, "btnClose");
    EXPECT_EQ(curve.legend, QStringLiteral("案３"));
    EXPECT_EQ(curve.explanation, QStringLiteral("中堅重視"));
}

TEST_F(RaiseCurveDesignScreens, LegendFromTheScreenIsStoredWithTheCurveAndMarksTheScreenChanged)
{
    TPX1050 s;
    s.Prepare();
    SetModalHookForTesting([&](QDialog& d) {
        auto* legend = dynamic_cast<TPX1051*>(&d);
        EXPECT_NE(legend, nullptr);
        if (!legend)
            return int(QDialog::Rejected);
        EXPECT_EQ(child<QLineEdit>(d, "txtName")->text(), QStringLiteral("曲線番号(2)"));
        child<QComboBox>(d, "cmbSenhaba")->setEditText(QStringLiteral("2"));
        legend->cmbSenhabaExit();
        child<QComboBox>(d, "cmbSensyu")->setEditText(QStringLiteral("1"));
        legend->cmbSensyuExit();
        child<QLineEdit>(d, "txtHanrei")->setText(QStringLiteral("第二案"));
        legend->btnColorClick();
        legend->btnCloseClick();
        return int(QDialog::Accepted);
    });
    dialogs.colors = {0x00FF00u};
    press(s, "btnHanrei2");
    EXPECT_TRUE(s.changed());
    point(s, 2, 1, 22, 210000);
    point(s, 2, 2, 40, 330000);
    press(s, "btnAdd");
    EXPECT_EQ(db("SELECT HANREI || ',' || SSYURUI || ',' || SHABA || ',' || SCOLOR FROM DSPDRAW "
                 "WHERE KCO = 1 AND NENDO = 2020 AND SDCO = '2'"),
              QStringLiteral("第二案,1,2,") + ColorToText(0x00FF00u));

    // The plot window stored a drawn curve: the screen shows it and counts as changed.
    Exec(folder.fdm().ACN2, "UPDATE DSPDRAW SET SNENREI3 = 50, SKIN3 = 390000 WHERE KCO = 1 AND NENDO = 2020 AND SDCO = '2'");
    NotifyCurvesStored(1050);
    EXPECT_EQ(amount(s, 2, 3)->text(), QStringLiteral("390,000"));
    EXPECT_TRUE(s.changed());
}

TEST_F(RaiseCurveDesignScreens, MainWindowEnablesTheCommandWithTheProjectAndItOpensTheScreen)
{
    QStringList shown;
    SetModalHookForTesting([&shown](QDialog& d) {
        shown << d.objectName();
        return int(QDialog::Rejected);
    });
    TPX0000 window;   // its creation starts without a company: open the sample again
    openSample();
    window.RefreshMenu(false);
    EXPECT_TRUE(window.action("mnSalaryUpSetting")->isEnabled());
    EXPECT_TRUE(window.toolButton("btnSalaryUpSetting")->isEnabled());
    window.toolButton("btnSalaryUpSetting")->click();
    EXPECT_EQ(shown, QStringList{"TPX1050"});
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join('|').toStdString();
}
