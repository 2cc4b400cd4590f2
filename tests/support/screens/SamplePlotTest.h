// The fixture of the plot screens' tests: the first sample company of 2020 open, dialogs
// scripted, modal screens accepted at once; the plot window, the current chart and the last
// optimal-wage analysis cleared after.
#pragma once

#include "plot/ChartModel.h"
#include "plot/screens/TPX1100.h"
#include "projects/Companies.h"
#include "projects/SampleCompanies.h"
#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"
#include "support/screens/ScriptedDialogs.h"
#include "support/TestProgramFolder.h"
#include "support/TestProject.h"

#include <QDialog>
#include <QPushButton>

#include <gtest/gtest.h>

class SamplePlotTest : public ::testing::Test {
protected:
    static constexpr int Year = 2020;

    void SetUp() override
    {
        ResetAppState();
        QString error;
        ASSERT_TRUE(WriteSampleCompanies(folder.session(), &error)) << error.toStdString();
        openSample();
        SetModalHookForTesting([](QDialog&) { return int(QDialog::Accepted); });
    }
    void TearDown() override
    {
        SetModalHookForTesting(nullptr);
        DestroyPlotWindowForTesting();
        SetCurrentChart(0);
        LastOptimalWage() = TOptimalWage();
    }
    // Opens the first sample company of the year (again, after a main window started
    // without a company).
    void openSample()
    {
        OpenSampleCompany(folder, Year);
        folder.tellWindow();   // the window opens the company as the company list does
    }
    QString db(const QString& sql) { return Scalar(folder.fdm().ACN2, sql); }
    // Columns of the company's stored settings row of a chart.
    QString chart(int id, const QString& columns)
    {
        return db(QStringLiteral("SELECT %1 FROM MCHART WHERE NENDO = %2 AND KCO = 1 AND CHCO = %3")
                      .arg(columns).arg(Year).arg(id));
    }
    template <class W>
    W* child(QWidget& screen, const QString& name)
    {
        W* w = screen.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void press(QWidget& screen, const QString& name) { child<QPushButton>(screen, name)->click(); }

    ScriptedDialogs dialogs;
    TestProgramFolder folder;
};
