// The table descriptions behind the row records: names, column order, default keys.
#include "store/Records.h"

#define WL_TABLE(Rec, ...)                                                                       \
    const TableDesc<Rec>& TableOf<Rec>::desc()                                                   \
    {                                                                                            \
        using R [[maybe_unused]] = Rec;                                                          \
        static const TableDesc<Rec> d{__VA_ARGS__};                                              \
        return d;                                                                                \
    }

// WL_COLUMN expects the record type under the name Rec.
#define WL_COLUMNS(Record, COLUMNS)                                                              \
    [] {                                                                                         \
        using Rec = Record;                                                                      \
        return std::vector<ColumnOf<Rec>>{COLUMNS(WL_COLUMN)};                                   \
    }()

WL_TABLE(TSeigyo_, .table = "MSEIGYO", .columns = WL_COLUMNS(TSeigyo_, MSEIGYO_COLUMNS), .keys = {"CO"},
         .bracketed = {"CO", "ENDDATE", "PATH"})

WL_TABLE(TKigyo1_, .table = "MKIGYOU1", .columns = WL_COLUMNS(TKigyo1_, MKIGYOU1_COLUMNS),
         .keys = {"KCO", "NENDO"}, .readAllUsesDefault = true,
         .emptyReadsAsZero = {"SYOTEIHH", "SYOTEIDD", "SYOTEIMM", "SAITEI"})

WL_TABLE(TKigyo2_, .table = "MKIGYOU2", .columns = WL_COLUMNS(TKigyo2_, MKIGYOU2_COLUMNS),
         .keys = {"KCO", "NENDO"}, .readAllUsesDefault = true)

WL_TABLE(TMark_, .table = "MMARK", .columns = WL_COLUMNS(TMark_, MMARK_COLUMNS), .keys = {"KCO", "NENDO", "MKCO"},
         .readAllUsesDefault = true)

WL_TABLE(TGraph_, .table = "MGRAPH", .columns = WL_COLUMNS(TGraph_, MGRAPH_COLUMNS),
         .keys = {"KCO", "NENDO", "GSCO"})

WL_TABLE(TChart_, .table = "MCHART", .columns = WL_COLUMNS(TChart_, MCHART_COLUMNS),
         .keys = {"KCO", "NENDO", "CHCO"})

WL_TABLE(TDChart_, .table = "DCHART", .columns = WL_COLUMNS(TDChart_, DCHART_COLUMNS), .keys = {"SCO"})

WL_TABLE(TSPDRAW_, .table = "DSPDRAW", .columns = WL_COLUMNS(TSPDRAW_, DSPDRAW_COLUMNS),
         .keys = {"KCO", "NENDO", "SDCO"})

WL_TABLE(TCHNGIN_, .table = "DCHINGIN", .columns = WL_COLUMNS(TCHNGIN_, DCHINGIN_COLUMNS),
         .keys = {"KCO", "NENDO", "SDCO"})

WL_TABLE(TMCHNGIN_, .table = "MCHINGIN", .columns = WL_COLUMNS(TMCHNGIN_, MCHINGIN_COLUMNS),
         .keys = {"KCO", "NENDO", "CGCO"})

WL_TABLE(TSCALE_, .table = "DSCALE", .columns = WL_COLUMNS(TSCALE_, DSCALE_COLUMNS), .keys = {"KCO", "NENDO", "SKCO"})

WL_TABLE(T2JI_, .table = "DKSEN2", .columns = WL_COLUMNS(T2JI_, DKSEN2_COLUMNS), .keys = {"KCO", "NENDO", "K2CO"})

WL_TABLE(T3JI_, .table = "DKSEN3", .columns = WL_COLUMNS(T3JI_, DKSEN3_COLUMNS), .keys = {"KCO", "NENDO", "K3CO"})

// No caller relies on DCHINGIN2's default condition; the row of one step is the natural key.
WL_TABLE(TCHNGIN2_, .table = "DCHINGIN2", .columns = WL_COLUMNS(TCHNGIN2_, DCHINGIN2_COLUMNS),
         .keys = {"KCO", "NENDO", "SKCO", "GOUHOU"})

WL_TABLE(TMHYOUKA_, .table = "MHYOUKA", .columns = WL_COLUMNS(TMHYOUKA_, MHYOUKA_COLUMNS),
         .keys = {"KCO", "NENDO", "SKCO", "HCO"})

WL_TABLE(TYHYOUKA_, .table = "YHYOUKA", .columns = WL_COLUMNS(TYHYOUKA_, YHYOUKA_COLUMNS),
         .keys = {"KCO", "NENDO", "HCO"})

WL_TABLE(TSALARY_, .table = "SALARYNAME", .columns = WL_COLUMNS(TSALARY_, SALARYNAME_COLUMNS),
         .keys = {"KCO", "NENDO", "SALARYID"})

WL_TABLE(TSEIKEI_, .table = "MSEIKEI", .columns = WL_COLUMNS(TSEIKEI_, MSEIKEI_COLUMNS), .keys = {"KCO", "SKCO"})

WL_TABLE(TMODEL_, .table = "MDEL", .columns = WL_COLUMNS(TMODEL_, MDEL_COLUMNS), .keys = {"MDCO"})

WL_TABLE(TMDCHNGIN_, .table = "MDCHINGIN", .columns = WL_COLUMNS(TMDCHNGIN_, MDCHINGIN_COLUMNS),
         .keys = {"MDCO", "MCCO"})

// BANDTEIGI is read only through the views; the views add their own columns.
WL_TABLE(TBAND_, .table = "BANDM", .columns = WL_COLUMNS(TBAND_, BANDM_COLUMNS), .keys = {"KCO", "NENDO", "BANDID"},
         .notReadByDefault = {"BANDTEIGI"},
         .extras = {
             {{"VBANDM2 ", "VBANDM "},
              {ColumnOf<R>("NAME", FieldKind::Text, &R::NAME), ColumnOf<R>("ZONESU", FieldKind::NumText, &R::ZONESU),
               ColumnOf<R>("MATRIXNAME", FieldKind::Text, &R::MATRIXNAME),
               ColumnOf<R>("BANDTEIGI", FieldKind::Text, &R::BANDTEIGI)}},
             {{"VBANDM "}, WL_COLUMNS(TBAND_, VBANDM_VIEW_COLUMNS)},
         })

WL_TABLE(TMATID_, .table = "MATRIXID", .columns = WL_COLUMNS(TMATID_, MATRIXID_COLUMNS),
         .keys = {"KCO", "NENDO", "MATRIXID"})

WL_TABLE(TMATCELL_, .table = "MATRIXCELL", .columns = WL_COLUMNS(TMATCELL_, MATRIXCELL_COLUMNS),
         .keys = {"KCO", "NENDO", "MATRIXID"},
         .extras = {{{"VMATRIXCELL"}, WL_COLUMNS(TMATCELL_, VMATRIXCELL_VIEW_COLUMNS)}})

// ---------------------------------------------------------------- employees

#define WL_EMPLOYEE_KEYS(COL) COL(KCO, NumText) COL(SCO, NumText) COL(NENDO, NumText)
#define MSYAIN2_COLUMNS(COL) WL_EMPLOYEE_KEYS(COL) MSYAIN2_OWN_COLUMNS(COL)

const TableDesc<TSyain_>& EmployeeTables::msyain1()
{
    static const TableDesc<TSyain_> d{.table = "MSYAIN1",
                                      .columns = WL_COLUMNS(TSyain_, MSYAIN1_COLUMNS),
                                      .keys = {"KCO", "SCO", "NENDO"},
                                      .readAllUsesDefault = true,
                                      .notInUpdate = {"KCO", "SCO", "NENDO"}};
    return d;
}

const TableDesc<TSyain_>& EmployeeTables::msyain2()
{
    static const TableDesc<TSyain_> d{.table = "MSYAIN2",
                                      .columns = WL_COLUMNS(TSyain_, MSYAIN2_COLUMNS),
                                      .keys = {"KCO", "SCO", "NENDO"},
                                      .readAllUsesDefault = true,
                                      .notInUpdate = {"KCO", "SCO", "NENDO"}};
    return d;
}

const std::vector<ColumnOf<TSyain_>>& EmployeeTables::viewColumns()
{
    static const std::vector<ColumnOf<TSyain_>> v = WL_COLUMNS(TSyain_, VSYAIN_VIEW_COLUMNS);
    return v;
}

void TSyain_::computeTotals()
{
    BasicSum = KKYU1 + KKYU2 + KKYU3;
    MonthlyTotal = BasicSum + TEATE1 + TEATE2 + TEATE3 + TEATE4 + TEATE5;
    BonusTotal = SYOUYO + SYOUYO2;
    AnnualTotal = MonthlyTotal * 12 + BonusTotal;
    NewBasicSum = NKKYU1 + NKKYU2 + NKKYU3;
    NewMonthlyTotal = NewBasicSum + NTEATE1 + NTEATE2 + NTEATE3 + NTEATE4 + NTEATE5;
}
