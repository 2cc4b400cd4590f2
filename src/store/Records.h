// Row and list records of every table, each generated from one column list.
//
// A column list names the table's columns in their binding order with the kind of
// field that holds each one:
//   Text       a string, quoted in statements
//   NumText    a number held as text: the decimal literal of the column's value
//   Int        32-bit integer
//   Real       64-bit floating point
//   RealAsInt  a real field whose stored value is read as a whole number
// The same list declares the record's members and describes the table for the
// record access layer (RecordAccess.h), so statements and copies cannot drift apart.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// Status block: the first fields of every row and list record.
struct dbstatus_rec {
    bool ok = false;
    QString message;
    int rows = 0;
};

enum class FieldKind { Text, NumText, Int, Real, RealAsInt };

#define WL_MEMBER_Text(n) QString n;
#define WL_MEMBER_NumText(n) QString n;
#define WL_MEMBER_Int(n) int n = 0;
#define WL_MEMBER_Real(n) double n = 0;
#define WL_MEMBER_RealAsInt(n) double n = 0;
#define WL_MEMBER(n, kind) WL_MEMBER_##kind(n)
#define WL_COLUMN(n, kind) ColumnOf<Rec>(#n, FieldKind::kind, &Rec::n),

// One column of a table as seen by a record type R.
template <class R>
struct ColumnOf {
    const char* name;
    FieldKind kind;
    QString R::*text = nullptr;
    int R::*integer = nullptr;
    double R::*real = nullptr;

    ColumnOf(const char* n, FieldKind k, QString R::*m) : name(n), kind(k), text(m) {}
    ColumnOf(const char* n, FieldKind k, int R::*m) : name(n), kind(k), integer(m) {}
    ColumnOf(const char* n, FieldKind k, double R::*m) : name(n), kind(k), real(m) {}
};

// Which routines a table offers.
enum TableOp : unsigned {
    OpInsert = 1,
    OpUpdate = 2,
    OpDelete = 4,
    OpReadOne = 8,
    OpReadAll = 16,
    OpSave = 32,
    OpGetOrCreate = 64,
};

// Columns read only when the statement's head matches.
template <class R>
struct ExtraColumns {
    // The head (followed by a blank) must contain one of these texts, case-insensitively.
    QStringList headContains;
    std::vector<ColumnOf<R>> columns;
};

template <class R>
struct TableDesc {
    const char* table;
    std::vector<ColumnOf<R>> columns;
    QStringList keys;                    // default condition columns
    bool readAllUsesDefault = false;     // false: an empty condition reads the whole table
    QStringList notInUpdate;             // columns left out of an update's set list
    QStringList bracketed;               // columns written [NAME] in an update
    QStringList notReadByDefault;        // columns read only through an extra list
    QStringList emptyReadsAsZero;        // NumText columns whose empty value reads "0"
    std::vector<ExtraColumns<R>> extras;
};

// TableOf<R>::desc() describes R's table; TableOf<R>::ops says which routines exist.
template <class R>
struct TableOf;

#define WL_DECLARE_RECORD(Rec, COLUMNS, OPS)                                                     \
    struct Rec : dbstatus_rec {                                                                  \
        COLUMNS(WL_MEMBER)                                                                       \
    };                                                                                           \
    template <>                                                                                  \
    struct TableOf<Rec> {                                                                        \
        static constexpr unsigned ops = (OPS);                                                   \
        static const TableDesc<Rec>& desc();                                                     \
    };

// A list record: status block, a spare integer, the rows.
template <class R>
struct RecList : dbstatus_rec {
    int spare = 0;
    QList<R> items;
};

// ---------------------------------------------------------------- control and company

#define MSEIGYO_COLUMNS(COL)                                                                       \
    COL(CO, NumText) COL(NA, Text) COL(FSEIHIN, NumText) COL(INSTDATE, Text) COL(ENDDATE, Text)            \
    COL(PATH, Text) COL(REKI1, Text) COL(SNEN1, NumText) COL(STSUKI1, NumText) COL(SHI1, NumText)          \
    COL(REKI2, Text) COL(SNEN2, NumText) COL(STSUKI2, NumText) COL(SHI2, NumText)                        \
    COL(REKI3, Text) COL(SNEN3, NumText) COL(STSUKI3, NumText) COL(SHI3, NumText) COL(FREKI, NumText)
WL_DECLARE_RECORD(TSeigyo_, MSEIGYO_COLUMNS, OpUpdate | OpReadOne)

#define MKIGYOU1_COLUMNS(COL)                                                                      \
    COL(KCO, NumText) COL(NENDO, NumText) COL(KNA, Text) COL(PATH, Text) COL(SDATE, NumText)               \
    COL(FNK, NumText) COL(KDATE, NumText) COL(REKI, NumText) COL(SYOTEIHH, NumText)                      \
    COL(SYOTEIDD, NumText) COL(SYOTEIMM, NumText) COL(SAITEI, NumText)
WL_DECLARE_RECORD(TKigyo1_, MKIGYOU1_COLUMNS, OpInsert | OpUpdate | OpDelete | OpReadOne | OpReadAll)

#define MKIGYOU2_COLUMNS(COL)                                                                      \
    COL(KCO, NumText) COL(NENDO, NumText) COL(KNA, Text) COL(CYOUSAHI, NumText) COL(BEARITSU, NumText)     \
    COL(TAIKEI, Text) COL(KKNA1, Text) COL(KKNA2, Text) COL(KKNA3, Text)                                 \
    COL(TNA1, Text) COL(TNA2, Text) COL(TNA3, Text) COL(TNA4, Text) COL(TNA5, Text)                        \
    COL(MCCO, NumText) COL(MDCO, NumText)                                                            \
    COL(TK01, Text) COL(TK02, Text) COL(TK03, Text) COL(TK04, Text) COL(TK05, Text) COL(TK06, Text)          \
    COL(TK07, Text) COL(TK08, Text) COL(TK09, Text)                                                    \
    COL(FRSTKYU, NumText) COL(SKCO, NumText) COL(SYOUKYUHI, NumText) COL(FRSTKYUM, NumText)              \
    COL(FRENCM, NumText)
WL_DECLARE_RECORD(TKigyo2_, MKIGYOU2_COLUMNS, OpInsert | OpUpdate | OpDelete | OpReadOne | OpReadAll)

#define MMARK_COLUMNS(COL)                                                                         \
    COL(KCO, NumText) COL(NENDO, NumText) COL(MKCO, NumText) COL(MARK, Text) COL(HANREI, Text)             \
    COL(MKCOLOR, Text) COL(MKSIZE, NumText) COL(KCOLOR, Text) COL(KSYURUI, NumText) COL(KHABA, NumText)
WL_DECLARE_RECORD(TMark_, MMARK_COLUMNS, OpInsert | OpUpdate | OpDelete | OpReadAll | OpSave)

#define MGRAPH_COLUMNS(COL)                                                                        \
    COL(KCO, NumText) COL(NENDO, NumText) COL(GSCO, NumText) COL(CCOLOR, Text) COL(CSYURUI, NumText)       \
    COL(CHABA, NumText)
WL_DECLARE_RECORD(TGraph_, MGRAPH_COLUMNS, OpInsert | OpUpdate | OpDelete | OpReadAll | OpSave)

// ---------------------------------------------------------------- employees

#define MSYAIN1_COLUMNS(COL)                                                                       \
    COL(KCO, NumText) COL(HSCO, Int) COL(SCO, NumText) COL(NENDO, NumText) COL(SCOT, Text) COL(SNA, Text)    \
    COL(SEIHI, Int) COL(NYUHI, Int) COL(YAKU, Text) COL(SKCO, Int) COL(TCO, Int) COL(NENREI, Int)            \
    COL(KINZOKU, Int) COL(NENSU, Int) COL(SIKAKUGO, Int) COL(JISEKI, Int) COL(TRITSU, Real)                \
    COL(NENKYU, Int) COL(SYOKUKYU, Int) COL(KIHONKYU, Int) COL(SYOTEIKYU, Int) COL(SRITSU, Real)           \
    COL(SYOUYO, Int) COL(NENSYU, Int) COL(MCO, Int) COL(MNA, Text) COL(MLINK, Int) COL(BANDID, Int)          \
    COL(YHYOUKA, Int) COL(MZONE, Int) COL(NEWBANDID, Int) COL(NEWYHYOUKA, Int) COL(NEWMZONE, Int)          \
    COL(NEWDAY1, Text)

// MSYAIN2 without its key columns KCO, SCO, NENDO (shared with MSYAIN1).
#define MSYAIN2_OWN_COLUMNS(COL)                                                                   \
    COL(SEIBETSU, Int) COL(TOUKYU, Int) COL(GOUHOU, Int) COL(SM1, Int) COL(SM2, Text) COL(GAKU, Text)        \
    COL(SENKOU, Text) COL(KSIKAKU, Text) COL(KEIKEN, Text) COL(THI, Int) COL(ZONEX, Int) COL(TENSU, Int)     \
    COL(HCO, Int) COL(UPK, Int) COL(UPT, Int) COL(KKYU1, Int) COL(KKYU2, Int) COL(KKYU3, Int)                \
    COL(TEATE1, Int) COL(TEATE2, Int) COL(TEATE3, Int) COL(TEATE4, Int) COL(TEATE5, Int)                   \
    COL(NKKYU1, Int) COL(NKKYU2, Int) COL(NKKYU3, Int)                                                 \
    COL(NTEATE1, Int) COL(NTEATE2, Int) COL(NTEATE3, Int) COL(NTEATE4, Int) COL(NTEATE5, Int)              \
    COL(NSRITSU, RealAsInt) COL(SYOUYO2, Int) COL(NNENSYU, Int) COL(NTOUKYU, Int) COL(SGOUHOU, Int)        \
    COL(NGOUHOU, Int) COL(FSKCHK, Int) COL(HCO1, Int) COL(HNA1, Text) COL(HCO2, Int) COL(HNA2, Text)         \
    COL(HCO3, Int) COL(HNA3, Text) COL(SYOTEI, Int) COL(NSYOTEI, Int) COL(SPATH, Text) COL(FITNO, Int)       \
    COL(FITNAME, Text) COL(FITKIN, Int) COL(FITJITSU, Int) COL(SAVENO, Int) COL(SAVEKIN, Int)              \
    COL(UPKIN1, Int) COL(UPKIN2, Int) COL(UPKIN3, Int)

// The looked-up columns of the view VSYAIN.
#define VSYAIN_VIEW_COLUMNS(COL)                                                                   \
    COL(HKIGOU, Text) COL(MATRIXID, Int) COL(KIN, Int) COL(NKIN, Int) COL(HYOUKA, Text) COL(SGOUSU, Int)     \
    COL(BANDNAME, Text)

// An employee: MSYAIN1 and MSYAIN2 (read through VSYAIN), the view's columns and six
// totals that every read computes.
struct TSyain_ : dbstatus_rec {
    MSYAIN1_COLUMNS(WL_MEMBER)
    MSYAIN2_OWN_COLUMNS(WL_MEMBER)
    VSYAIN_VIEW_COLUMNS(WL_MEMBER)
    int BasicSum = 0;         // KKYU1 + KKYU2 + KKYU3
    int MonthlyTotal = 0;     // basic sum + TEATE1..5 (所定給)
    int BonusTotal = 0;       // SYOUYO + SYOUYO2
    int AnnualTotal = 0;      // monthly total * 12 + bonus total (年収)
    int NewBasicSum = 0;      // NKKYU1 + NKKYU2 + NKKYU3
    int NewMonthlyTotal = 0;  // after-raise basic sum + NTEATE1..5

    // Recomputes the six totals from the pay columns.
    void computeTotals();
};

// Only texts and numbers: a list of thousands of employees grows by moving its memory
// instead of copying every employee each time it grows.
Q_DECLARE_TYPEINFO(TSyain_, Q_RELOCATABLE_TYPE);

// The employee record is spread over two tables; these describe each of them.
struct EmployeeTables {
    static const TableDesc<TSyain_>& msyain1();
    static const TableDesc<TSyain_>& msyain2();  // with KCO, SCO, NENDO first
    static const std::vector<ColumnOf<TSyain_>>& viewColumns();
};

// ---------------------------------------------------------------- charts

#define MCHART_COLUMNS(COL)                                                                        \
    COL(CHCO, NumText) COL(KCO, NumText) COL(NENDO, NumText) COL(KNO, Int) COL(FCHK, Text) COL(TOUKYU, Text) \
    COL(TITLE, Text) COL(FX, NumText) COL(FY, NumText) COL(MARKR, Int) COL(X1, Int) COL(X2, Int)             \
    COL(Y1, RealAsInt) COL(Y2, RealAsInt) COL(FKINJI, Int) COL(CGRAPH, Int) COL(SJYUN1, Real)              \
    COL(SJYUN2, Real) COL(SJYUN3, Real) COL(SJYUN4, Real) COL(TOUKYU1, Int) COL(KAISETSU, Text)            \
    COL(MIBUN, Int) COL(SKCO, Int) COL(XNAME, Text) COL(YNAME, Text) COL(XUNIT, Text) COL(YUNIT, Text)       \
    COL(XPITCH, Int) COL(YPITCH, Int) COL(SEX, Int)
WL_DECLARE_RECORD(TChart_, MCHART_COLUMNS,
                  OpInsert | OpUpdate | OpDelete | OpReadOne | OpReadAll | OpGetOrCreate)

#define DCHART_COLUMNS(COL)                                                                        \
    COL(SCO, NumText) COL(SNA, Text) COL(LABELN, Text) COL(MARKL, Text) COL(F1, Int) COL(F2, Int)            \
    COL(F3, Int) COL(F4, Int) COL(F5, Int) COL(X, Real) COL(Y, Real) COL(NO, Int) COL(MKCO, Int) COL(GTOP, Int)  \
    COL(GLEFT, Int)
WL_DECLARE_RECORD(TDChart_, DCHART_COLUMNS, OpInsert | OpDelete | OpReadAll)

#define DSPDRAW_COLUMNS(COL)                                                                       \
    COL(KCO, NumText) COL(NENDO, NumText) COL(SDCO, NumText) COL(X, Int) COL(Y, Int) COL(FCHKS, Int)         \
    COL(FREN, Int) COL(SNENREI1, Int) COL(SKIN1, RealAsInt) COL(SNENREI2, Int) COL(SKIN2, RealAsInt)       \
    COL(SNENREI3, Int) COL(SKIN3, RealAsInt) COL(SNENREI4, Int) COL(SKIN4, RealAsInt)                    \
    COL(SNENREI5, Int) COL(SKIN5, RealAsInt) COL(SNENREI6, Int) COL(SKIN6, RealAsInt)                    \
    COL(KAISETSU, Text) COL(HANREI, Text) COL(SETSUMEI, Text) COL(SCOLOR, Text) COL(SSYURUI, Int)          \
    COL(SHABA, Int)
WL_DECLARE_RECORD(TSPDRAW_, DSPDRAW_COLUMNS, OpInsert | OpDelete | OpReadOne | OpReadAll)

// ---------------------------------------------------------------- wage tables

#define DCHINGIN_COLUMNS(COL)                                                                      \
    COL(KCO, NumText) COL(NENDO, NumText) COL(SDCO, Int) COL(X, Int) COL(Y, Int) COL(NO, Int)                \
    COL(SNENREI, Int) COL(SKIN, Int) COL(PITCH, Int) COL(SRITSU, Real) COL(KAKUSA, Int)
WL_DECLARE_RECORD(TCHNGIN_, DCHINGIN_COLUMNS, OpInsert | OpDelete | OpReadAll)

#define MCHINGIN_COLUMNS(COL)                                                                      \
    COL(KCO, NumText) COL(NENDO, NumText) COL(CGCO, NumText) COL(TKSU, Int) COL(GOUSU, Int)                \
    COL(KSENTAKUF, Int) COL(UKAKIF, Int) COL(MARUMEF, Int) COL(TITLE, Text) COL(SKCO, Int) COL(K2CO, Int)    \
    COL(K3CO, Int) COL(GOUHOU1, Int) COL(GOUHOU2, Int)
WL_DECLARE_RECORD(TMCHNGIN_, MCHINGIN_COLUMNS, OpInsert | OpDelete | OpReadOne | OpReadAll)

#define DSCALE_COLUMNS(COL)                                                                        \
    COL(KCO, NumText) COL(NENDO, NumText) COL(SKCO, NumText) COL(TKNO, NumText) COL(TKNA, Text)            \
    COL(RITSU1, NumText) COL(KKIN, NumText) COL(RITSU2, NumText) COL(SPKIN, NumText) COL(RNKIN, NumText)
WL_DECLARE_RECORD(TSCALE_, DSCALE_COLUMNS, OpInsert | OpDelete | OpReadAll)

#define DKSEN2_COLUMNS(COL)                                                                        \
    COL(KCO, NumText) COL(NENDO, NumText) COL(K2CO, NumText) COL(TKNO, Int) COL(SGOUSU, Int) COL(SKIN, Int)  \
    COL(C1GOUSU, Int) COL(C1KIN, Int) COL(EGOUSU, Int) COL(EKIN, Int) COL(KRITSU, Real)
WL_DECLARE_RECORD(T2JI_, DKSEN2_COLUMNS, OpInsert | OpDelete | OpReadAll)

#define DKSEN3_COLUMNS(COL)                                                                        \
    COL(KCO, NumText) COL(NENDO, NumText) COL(K3CO, NumText) COL(TKNO, Int) COL(SGOUSU, Int) COL(SKIN, Int)  \
    COL(C1GOUSU, Int) COL(C1KIN, Int) COL(C2GOUSU, Int) COL(C2KIN, Int) COL(EGOUSU, Int) COL(EKIN, Int)      \
    COL(KRITSU, Real)
WL_DECLARE_RECORD(T3JI_, DKSEN3_COLUMNS, OpInsert | OpDelete | OpReadAll)

#define DCHINGIN2_COLUMNS(COL)                                                                     \
    COL(KCO, NumText) COL(NENDO, NumText) COL(SKCO, NumText) COL(GOUHOU, NumText)                        \
    COL(KIN1, NumText) COL(KS1, NumText) COL(KIN2, NumText) COL(KS2, NumText) COL(KIN3, NumText)           \
    COL(KS3, NumText) COL(KIN4, NumText) COL(KS4, NumText) COL(KIN5, NumText) COL(KS5, NumText)            \
    COL(KIN6, NumText) COL(KS6, NumText) COL(KIN7, NumText) COL(KS7, NumText) COL(KIN8, NumText)           \
    COL(KS8, NumText) COL(KIN9, NumText) COL(KS9, NumText)
WL_DECLARE_RECORD(TCHNGIN2_, DCHINGIN2_COLUMNS, OpInsert | OpDelete | OpReadOne | OpReadAll)

#define MHYOUKA_COLUMNS(COL)                                                                       \
    COL(KCO, NumText) COL(NENDO, NumText) COL(SKCO, NumText) COL(HCO, NumText) COL(HKIGOU, Text)           \
    COL(SGOUSU, NumText)
WL_DECLARE_RECORD(TMHYOUKA_, MHYOUKA_COLUMNS, OpInsert | OpDelete | OpReadOne | OpReadAll)

// ---------------------------------------------------------------- reference tables

#define YHYOUKA_COLUMNS(COL) COL(KCO, NumText) COL(NENDO, NumText) COL(HCO, NumText) COL(HKIGOU, Text)
WL_DECLARE_RECORD(TYHYOUKA_, YHYOUKA_COLUMNS, OpInsert | OpDelete | OpReadOne | OpReadAll)

#define SALARYNAME_COLUMNS(COL)                                                                    \
    COL(KCO, NumText) COL(NENDO, NumText) COL(SALARYID, NumText) COL(SALARYNAME, Text) COL(TEIGI, Text)    \
    COL(KIHON1, Text) COL(KIHON2, Text) COL(KIHON3, Text) COL(TEATE1, Text) COL(TEATE2, Text)              \
    COL(TEATE3, Text) COL(TEATE4, Text) COL(TEATE5, Text)
WL_DECLARE_RECORD(TSALARY_, SALARYNAME_COLUMNS, OpInsert | OpDelete | OpReadOne | OpReadAll)

#define MSEIKEI_COLUMNS(COL)                                                                       \
    COL(KCO, NumText) COL(NENDO, NumText) COL(SKCO, NumText) COL(SNIN, Int) COL(SNENREI, Int)              \
    COL(SEIKEIHI, Int) COL(YURITSU, Real) COL(STRITSU, Real) COL(TNRITSU, Real) COL(KKRITSU, Real)         \
    COL(DEDOKORO, Text) COL(TCHIIKI, Text) COL(CJITEN, Text) COL(NSUCHI, Text)
WL_DECLARE_RECORD(TSEIKEI_, MSEIKEI_COLUMNS, OpInsert | OpDelete | OpReadAll)

#define MDEL_COLUMNS(COL)                                                                          \
    COL(MDCO, NumText) COL(MDNA, Text) COL(DEDOKORO, Text) COL(TCHIIKI, Text) COL(JSU, NumText)            \
    COL(CJITEN, Text) COL(GYOUSYU, Text) COL(KIBO, Text) COL(BIKOU, Text)
WL_DECLARE_RECORD(TMODEL_, MDEL_COLUMNS, OpInsert | OpUpdate | OpDelete | OpReadOne | OpReadAll | OpSave)

#define MDCHINGIN_COLUMNS(COL)                                                                     \
    COL(MDCO, NumText) COL(MCCO, NumText) COL(NENREI, NumText) COL(KNENSU, NumText) COL(KKIN, NumText)     \
    COL(SKIN, NumText) COL(SYOUYO, NumText) COL(NENSYU, NumText) COL(SENSYU, NumText) COL(KKNENSU, NumText)
WL_DECLARE_RECORD(TMDCHNGIN_, MDCHINGIN_COLUMNS, OpInsert | OpUpdate | OpDelete | OpReadAll | OpSave)

// ---------------------------------------------------------------- matrices and bands

#define BANDM_COLUMNS(COL)                                                                         \
    COL(KCO, NumText) COL(NENDO, NumText) COL(BANDID, NumText) COL(BANDNAME, Text) COL(BANDTEIGI, Text)    \
    COL(MATRIXID, NumText) COL(TITLE, Text) COL(MARUME, NumText) COL(基準賃金, NumText)                  \
    COL(下限率, NumText) COL(上限率, NumText) COL(スプレッド, NumText) COL(レンジ, NumText)              \
    COL(下限額1, NumText) COL(上限額1, NumText) COL(下限額2, NumText) COL(上限額2, NumText)              \
    COL(下限額3, NumText) COL(上限額3, NumText) COL(下限額4, NumText) COL(上限額4, NumText)              \
    COL(下限額5, NumText) COL(上限額5, NumText)
// Read from the views VBANDM2 and VBANDM only.
#define VBANDM2_VIEW_COLUMNS(COL) COL(NAME, Text) COL(ZONESU, NumText) COL(MATRIXNAME, Text)
#define VBANDM_VIEW_COLUMNS(COL)                                                                   \
    COL(YHYOUKA, NumText) COL(UP1, NumText) COL(UP2, NumText) COL(UP3, NumText) COL(UP4, NumText)          \
    COL(UP5, NumText)
#define TBAND_COLUMNS(COL) BANDM_COLUMNS(COL) VBANDM2_VIEW_COLUMNS(COL) VBANDM_VIEW_COLUMNS(COL)
struct TBAND_ : dbstatus_rec {
    TBAND_COLUMNS(WL_MEMBER)
};
template <>
struct TableOf<TBAND_> {
    static constexpr unsigned ops = OpInsert | OpDelete | OpReadOne | OpReadAll;
    static const TableDesc<TBAND_>& desc();
};

#define MATRIXID_COLUMNS(COL)                                                                      \
    COL(KCO, NumText) COL(NENDO, NumText) COL(MATRIXID, NumText) COL(NAME, Text) COL(TEIGI, Text)          \
    COL(ZONESU, NumText)
WL_DECLARE_RECORD(TMATID_, MATRIXID_COLUMNS, OpInsert | OpDelete | OpReadOne | OpReadAll)

#define MATRIXCELL_COLUMNS(COL)                                                                    \
    COL(KCO, NumText) COL(NENDO, NumText) COL(MATRIXID, NumText) COL(YHYOUKA, NumText) COL(UP1, NumText)   \
    COL(UP2, NumText) COL(UP3, NumText) COL(UP4, NumText) COL(UP5, NumText)
// Read from the view VMATRIXCELL only.
#define VMATRIXCELL_VIEW_COLUMNS(COL)                                                              \
    COL(TEIGI, Text) COL(NAME, Text) COL(YHYOUKANAME, Text) COL(ZONESU, NumText) COL(BANDID, NumText)      \
    COL(BANDNAME, Text)
struct TMATCELL_ : dbstatus_rec {
    MATRIXCELL_COLUMNS(WL_MEMBER)
    VMATRIXCELL_VIEW_COLUMNS(WL_MEMBER)
};
template <>
struct TableOf<TMATCELL_> {
    static constexpr unsigned ops = OpInsert | OpDelete | OpReadOne | OpReadAll;
    static const TableDesc<TMATCELL_>& desc();
};

// List records
using TSeigyo_rec = RecList<TSeigyo_>;
using TKigyo1_rec = RecList<TKigyo1_>;
using TKigyo2_rec = RecList<TKigyo2_>;
using TMark_rec = RecList<TMark_>;
using TGraph_rec = RecList<TGraph_>;
using TSyain_rec = RecList<TSyain_>;
using TChart_rec = RecList<TChart_>;
using TDChart_rec = RecList<TDChart_>;
using TSPDRAW_rec = RecList<TSPDRAW_>;
using TCHNGIN_rec = RecList<TCHNGIN_>;
using TMCHNGIN_rec = RecList<TMCHNGIN_>;
using TSCALE_rec = RecList<TSCALE_>;
using T2JI_rec = RecList<T2JI_>;
using T3JI_rec = RecList<T3JI_>;
using TCHNGIN2_rec = RecList<TCHNGIN2_>;
using TMHYOUKA_rec = RecList<TMHYOUKA_>;
using TYHYOUKA_rec = RecList<TYHYOUKA_>;
using TSALARY_rec = RecList<TSALARY_>;
using TSEIKEI_rec = RecList<TSEIKEI_>;
using TMODEL_rec = RecList<TMODEL_>;
using TMDCHNGIN_rec = RecList<TMDCHNGIN_>;
using TBAND_rec = RecList<TBAND_>;
using TMATID_rec = RecList<TMATID_>;
using TMATCELL_rec = RecList<TMATCELL_>;

// The layer's shared row and list record of each table (process-wide).
template <class R>
R& SharedRecord()
{
    static R record;
    return record;
}
template <class R>
RecList<R>& SharedList()
{
    static RecList<R> list;
    return list;
}
