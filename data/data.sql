-- The empty year template DATA/DATA.MDB: every project table of a fiscal year and
-- the four views. Column order is binding: inserts give their values by position.
-- Every column is nullable; readers treat null as '' or 0.

CREATE TABLE MKIGYOU2 (
    KCO integer, NENDO integer, KNA text, CYOUSAHI integer, BEARITSU real, TAIKEI text,
    KKNA1 text, KKNA2 text, KKNA3 text,
    TNA1 text, TNA2 text, TNA3 text, TNA4 text, TNA5 text,
    MCCO integer, MDCO integer,
    TK01 text, TK02 text, TK03 text, TK04 text, TK05 text, TK06 text, TK07 text, TK08 text, TK09 text,
    FRSTKYU integer, SKCO integer, SYOUKYUHI integer, FRSTKYUM integer, FRENCM integer);

CREATE TABLE MMARK (
    KCO integer, NENDO integer, MKCO integer, MARK text, HANREI text, MKCOLOR text,
    MKSIZE integer, KCOLOR text, KSYURUI integer, KHABA integer);

CREATE TABLE MGRAPH (
    KCO integer, NENDO integer, GSCO integer, CCOLOR text, CSYURUI integer, CHABA integer);

CREATE TABLE MSYAIN1 (
    KCO integer, HSCO integer, SCO integer, NENDO integer, SCOT text, SNA text,
    SEIHI integer, NYUHI integer, YAKU text, SKCO integer, TCO integer,
    NENREI integer, KINZOKU integer, NENSU integer, SIKAKUGO integer, JISEKI integer,
    TRITSU real, NENKYU integer, SYOKUKYU integer, KIHONKYU integer, SYOTEIKYU integer,
    SRITSU real, SYOUYO integer, NENSYU integer, MCO integer, MNA text, MLINK integer,
    BANDID integer, YHYOUKA integer, MZONE integer, NEWBANDID integer, NEWYHYOUKA integer,
    NEWMZONE integer, NEWDAY1 text);

CREATE TABLE MSYAIN2 (
    KCO integer, SCO integer, NENDO integer, SEIBETSU integer, TOUKYU integer, GOUHOU integer,
    SM1 integer, SM2 text, GAKU text, SENKOU text, KSIKAKU text, KEIKEN text, THI integer,
    ZONEX integer, TENSU integer, HCO integer, UPK integer, UPT integer,
    KKYU1 integer, KKYU2 integer, KKYU3 integer,
    TEATE1 integer, TEATE2 integer, TEATE3 integer, TEATE4 integer, TEATE5 integer,
    NKKYU1 integer, NKKYU2 integer, NKKYU3 integer,
    NTEATE1 integer, NTEATE2 integer, NTEATE3 integer, NTEATE4 integer, NTEATE5 integer,
    NSRITSU real, SYOUYO2 integer, NNENSYU integer, NTOUKYU integer, SGOUHOU integer,
    NGOUHOU integer, FSKCHK integer, HCO1 integer, HNA1 text, HCO2 integer, HNA2 text,
    HCO3 integer, HNA3 text, SYOTEI integer, NSYOTEI integer, SPATH text,
    FITNO integer, FITNAME text, FITKIN integer, FITJITSU integer, SAVENO integer, SAVEKIN integer,
    UPKIN1 integer, UPKIN2 integer, UPKIN3 integer);

CREATE TABLE MCHART (
    CHCO integer, KCO integer, NENDO integer, KNO integer, FCHK text, TOUKYU text, TITLE text,
    FX text, FY text, MARKR integer, X1 integer, X2 integer, Y1 real, Y2 real,
    FKINJI integer, CGRAPH integer, SJYUN1 real, SJYUN2 real, SJYUN3 real, SJYUN4 real,
    TOUKYU1 integer, KAISETSU text, MIBUN integer, SKCO integer,
    XNAME text, YNAME text, XUNIT text, YUNIT text, XPITCH integer, YPITCH integer, SEX integer);

CREATE TABLE DCHART (
    SCO integer, SNA text, LABELN text, MARKL text,
    F1 integer, F2 integer, F3 integer, F4 integer, F5 integer,
    X real, Y real, NO integer, MKCO integer, GTOP integer, GLEFT integer);

CREATE TABLE DSPDRAW (
    KCO integer, NENDO integer, SDCO integer, X integer, Y integer, FCHKS integer, FREN integer,
    SNENREI1 integer, SKIN1 real, SNENREI2 integer, SKIN2 real, SNENREI3 integer, SKIN3 real,
    SNENREI4 integer, SKIN4 real, SNENREI5 integer, SKIN5 real, SNENREI6 integer, SKIN6 real,
    KAISETSU text, HANREI text, SETSUMEI text, SCOLOR text, SSYURUI integer, SHABA integer);

CREATE TABLE MCHINGIN (
    KCO integer, NENDO integer, CGCO integer, TKSU integer, GOUSU integer, KSENTAKUF integer,
    UKAKIF integer, MARUMEF integer, TITLE text, SKCO integer, K2CO integer, K3CO integer,
    GOUHOU1 integer, GOUHOU2 integer);

CREATE TABLE DSCALE (
    KCO integer, NENDO integer, SKCO integer, TKNO integer, TKNA text,
    RITSU1 integer, KKIN integer, RITSU2 integer, SPKIN real, RNKIN integer);

CREATE TABLE DKSEN2 (
    KCO integer, NENDO integer, K2CO integer, TKNO integer, SGOUSU integer, SKIN integer,
    C1GOUSU integer, C1KIN integer, EGOUSU integer, EKIN integer, KRITSU real);

CREATE TABLE DKSEN3 (
    KCO integer, NENDO integer, K3CO integer, TKNO integer, SGOUSU integer, SKIN integer,
    C1GOUSU integer, C1KIN integer, C2GOUSU integer, C2KIN integer, EGOUSU integer, EKIN integer,
    KRITSU real);

CREATE TABLE DCHINGIN2 (
    KCO integer, NENDO integer, SKCO integer, GOUHOU integer,
    KIN1 integer, KS1 integer, KIN2 integer, KS2 integer, KIN3 integer, KS3 integer,
    KIN4 integer, KS4 integer, KIN5 integer, KS5 integer, KIN6 integer, KS6 integer,
    KIN7 integer, KS7 integer, KIN8 integer, KS8 integer, KIN9 integer, KS9 integer);

CREATE TABLE MHYOUKA (
    KCO integer, NENDO integer, SKCO integer, HCO integer, HKIGOU text, SGOUSU integer);

CREATE TABLE DCHINGIN (
    KCO integer, NENDO integer, SDCO integer, X integer, Y integer, NO integer,
    SNENREI integer, SKIN integer, PITCH integer, SRITSU real, KAKUSA integer);

CREATE TABLE MSEIKEI (
    KCO integer, NENDO integer, SKCO integer, SNIN integer, SNENREI integer, SEIKEIHI integer,
    YURITSU real, STRITSU real, TNRITSU real, KKRITSU real,
    DEDOKORO text, TCHIIKI text, CJITEN text, NSUCHI text);

CREATE TABLE SALARYNAME (
    KCO integer, NENDO integer, SALARYID integer, SALARYNAME text, TEIGI text,
    KIHON1 text, KIHON2 text, KIHON3 text,
    TEATE1 text, TEATE2 text, TEATE3 text, TEATE4 text, TEATE5 text);

CREATE TABLE YHYOUKA (
    KCO integer, NENDO integer, HCO integer, HKIGOU text);

CREATE TABLE MATRIXID (
    KCO integer, NENDO integer, MATRIXID integer, NAME text, TEIGI text, ZONESU integer);

CREATE TABLE MATRIXCELL (
    KCO integer, NENDO integer, MATRIXID integer, YHYOUKA integer,
    UP1 real, UP2 real, UP3 real, UP4 real, UP5 real);

CREATE TABLE BANDM (
    KCO integer, NENDO integer, BANDID integer, BANDNAME text, BANDTEIGI text, MATRIXID integer,
    TITLE text, MARUME integer, 基準賃金 integer, 下限率 integer, 上限率 integer,
    スプレッド real, レンジ integer,
    下限額1 integer, 上限額1 integer, 下限額2 integer, 上限額2 integer, 下限額3 integer, 上限額3 integer,
    下限額4 integer, 上限額4 integer, 下限額5 integer, 上限額5 integer);

-- 男女の賃金の差異: the disclosure's settings and 説明欄 per company and year (KUBUN: the
-- employment forms' categories "id=R|P|X|U;..."; JYOGAI, YAKUSYOKU: names one a line), and the
-- actual annual wages and monthly scheduled hours (in 1/1000 h) imported per employee number
-- (NENGAKU NULL on a row of hours alone).
CREATE TABLE IF NOT EXISTS PAYGAP (
    KCO integer, NENDO integer, KIKANFROM integer, KIKANTO integer, KUBUN text, JYOGAI text,
    KANSAN integer, YAKUSYOKU text, KANRITOUKYU integer, SETSUMEI text);

CREATE TABLE IF NOT EXISTS PAYGAPJISSEKI (
    KCO integer, NENDO integer, SCOT text, NENGAKU integer, SYOTEIJIKAN integer);

-- Lookup indexes on the keys every screen filters by.
CREATE INDEX MKIGYOU2_KEY ON MKIGYOU2 (KCO, NENDO);
CREATE INDEX MMARK_KEY ON MMARK (KCO, NENDO, MKCO);
CREATE INDEX MGRAPH_KEY ON MGRAPH (KCO, NENDO, GSCO);
CREATE INDEX MSYAIN1_KEY ON MSYAIN1 (KCO, NENDO, SCO);
CREATE INDEX MSYAIN2_KEY ON MSYAIN2 (KCO, NENDO, SCO);
CREATE INDEX MCHART_KEY ON MCHART (KCO, NENDO, CHCO);
CREATE INDEX MCHINGIN_KEY ON MCHINGIN (KCO, NENDO, CGCO);
CREATE INDEX DSCALE_KEY ON DSCALE (KCO, NENDO, SKCO);
CREATE INDEX DKSEN2_KEY ON DKSEN2 (KCO, NENDO, K2CO);
CREATE INDEX DKSEN3_KEY ON DKSEN3 (KCO, NENDO, K3CO);
CREATE INDEX DCHINGIN2_KEY ON DCHINGIN2 (KCO, NENDO, SKCO, GOUHOU);
CREATE INDEX MHYOUKA_KEY ON MHYOUKA (KCO, NENDO, SKCO, HCO);
CREATE INDEX YHYOUKA_KEY ON YHYOUKA (KCO, NENDO, HCO);
CREATE INDEX SALARYNAME_KEY ON SALARYNAME (KCO, NENDO, SALARYID);
CREATE INDEX MSEIKEI_KEY ON MSEIKEI (SKCO);
CREATE INDEX MATRIXID_KEY ON MATRIXID (KCO, NENDO, MATRIXID);
CREATE INDEX MATRIXCELL_KEY ON MATRIXCELL (KCO, NENDO, MATRIXID, YHYOUKA);
CREATE INDEX BANDM_KEY ON BANDM (KCO, NENDO, BANDID);

-- VSYAIN: one row per employee. MSYAIN1 (all 34 columns), then MSYAIN2 from SEIBETSU on,
-- then the looked-up columns. Outer lookups: an employee without wage table,
-- evaluation or band is still one row, with nulls in the looked-up columns.
--   HKIGOU   symbol of the evaluation HCO within the employee's wage table (MHYOUKA)
--   MATRIXID matrix of the employee's band (BANDM of BANDID)
--   KIN      DCHINGIN2 amount of the wage table SKCO for grade TOUKYU at step GOUHOU
--   NKIN     the same for the new grade (NTOUKYU, or TOUKYU when it is 0) at step NGOUHOU;
--            it feeds the after-raise basic pay component linked to the wage table
--   HYOUKA   symbol of the role evaluation (YHYOUKA.HKIGOU of YHYOUKA)
--   SGOUSU   steps added by the evaluation (MHYOUKA.SGOUSU)
--   BANDNAME name of the employee's band (BANDM.BANDNAME)
CREATE VIEW VSYAIN AS
SELECT
    s1.KCO, s1.HSCO, s1.SCO, s1.NENDO, s1.SCOT, s1.SNA, s1.SEIHI, s1.NYUHI, s1.YAKU, s1.SKCO,
    s1.TCO, s1.NENREI, s1.KINZOKU, s1.NENSU, s1.SIKAKUGO, s1.JISEKI, s1.TRITSU, s1.NENKYU,
    s1.SYOKUKYU, s1.KIHONKYU, s1.SYOTEIKYU, s1.SRITSU, s1.SYOUYO, s1.NENSYU, s1.MCO, s1.MNA,
    s1.MLINK, s1.BANDID, s1.YHYOUKA, s1.MZONE, s1.NEWBANDID, s1.NEWYHYOUKA, s1.NEWMZONE,
    s1.NEWDAY1,
    s2.SEIBETSU, s2.TOUKYU, s2.GOUHOU, s2.SM1, s2.SM2, s2.GAKU, s2.SENKOU, s2.KSIKAKU,
    s2.KEIKEN, s2.THI, s2.ZONEX, s2.TENSU, s2.HCO, s2.UPK, s2.UPT,
    s2.KKYU1, s2.KKYU2, s2.KKYU3, s2.TEATE1, s2.TEATE2, s2.TEATE3, s2.TEATE4, s2.TEATE5,
    s2.NKKYU1, s2.NKKYU2, s2.NKKYU3, s2.NTEATE1, s2.NTEATE2, s2.NTEATE3, s2.NTEATE4, s2.NTEATE5,
    s2.NSRITSU, s2.SYOUYO2, s2.NNENSYU, s2.NTOUKYU, s2.SGOUHOU, s2.NGOUHOU, s2.FSKCHK,
    s2.HCO1, s2.HNA1, s2.HCO2, s2.HNA2, s2.HCO3, s2.HNA3, s2.SYOTEI, s2.NSYOTEI, s2.SPATH,
    s2.FITNO, s2.FITNAME, s2.FITKIN, s2.FITJITSU, s2.SAVENO, s2.SAVEKIN,
    s2.UPKIN1, s2.UPKIN2, s2.UPKIN3,
    (SELECT h.HKIGOU FROM MHYOUKA h
      WHERE h.KCO = s1.KCO AND h.NENDO = s1.NENDO AND h.SKCO = s1.SKCO AND h.HCO = s2.HCO
      LIMIT 1) AS HKIGOU,
    (SELECT b.MATRIXID FROM BANDM b
      WHERE b.KCO = s1.KCO AND b.NENDO = s1.NENDO AND b.BANDID = s1.BANDID
      LIMIT 1) AS MATRIXID,
    (SELECT CASE s2.TOUKYU WHEN 1 THEN c.KIN1 WHEN 2 THEN c.KIN2 WHEN 3 THEN c.KIN3
                           WHEN 4 THEN c.KIN4 WHEN 5 THEN c.KIN5 WHEN 6 THEN c.KIN6
                           WHEN 7 THEN c.KIN7 WHEN 8 THEN c.KIN8 WHEN 9 THEN c.KIN9 END
       FROM DCHINGIN2 c
      WHERE c.KCO = s1.KCO AND c.NENDO = s1.NENDO AND c.SKCO = s1.SKCO AND c.GOUHOU = s2.GOUHOU
      LIMIT 1) AS KIN,
    (SELECT CASE (CASE WHEN IFNULL(s2.NTOUKYU, 0) = 0 THEN s2.TOUKYU ELSE s2.NTOUKYU END)
                 WHEN 1 THEN c.KIN1 WHEN 2 THEN c.KIN2 WHEN 3 THEN c.KIN3
                 WHEN 4 THEN c.KIN4 WHEN 5 THEN c.KIN5 WHEN 6 THEN c.KIN6
                 WHEN 7 THEN c.KIN7 WHEN 8 THEN c.KIN8 WHEN 9 THEN c.KIN9 END
       FROM DCHINGIN2 c
      WHERE c.KCO = s1.KCO AND c.NENDO = s1.NENDO AND c.SKCO = s1.SKCO AND c.GOUHOU = s2.NGOUHOU
      LIMIT 1) AS NKIN,
    (SELECT y.HKIGOU FROM YHYOUKA y
      WHERE y.KCO = s1.KCO AND y.NENDO = s1.NENDO AND y.HCO = s1.YHYOUKA
      LIMIT 1) AS HYOUKA,
    (SELECT h.SGOUSU FROM MHYOUKA h
      WHERE h.KCO = s1.KCO AND h.NENDO = s1.NENDO AND h.SKCO = s1.SKCO AND h.HCO = s2.HCO
      LIMIT 1) AS SGOUSU,
    (SELECT b.BANDNAME FROM BANDM b
      WHERE b.KCO = s1.KCO AND b.NENDO = s1.NENDO AND b.BANDID = s1.BANDID
      LIMIT 1) AS BANDNAME
FROM MSYAIN1 s1
LEFT JOIN MSYAIN2 s2 ON s2.KCO = s1.KCO AND s2.SCO = s1.SCO AND s2.NENDO = s1.NENDO;

-- VBANDM2: one row per band. The columns of BANDM, then
--   NAME, ZONESU  name and zone count of the band's matrix (MATRIXID of the band)
--   MATRIXNAME    the matrix name again, under the name the band screens use
--   BANDTEIGI     the band's definition text (repeated; readers take it by name)
CREATE VIEW VBANDM2 AS
SELECT
    b.KCO, b.NENDO, b.BANDID, b.BANDNAME, b.BANDTEIGI, b.MATRIXID, b.TITLE, b.MARUME,
    b.基準賃金, b.下限率, b.上限率, b.スプレッド, b.レンジ,
    b.下限額1, b.上限額1, b.下限額2, b.上限額2, b.下限額3, b.上限額3,
    b.下限額4, b.上限額4, b.下限額5, b.上限額5,
    m.NAME AS NAME, m.ZONESU AS ZONESU, m.NAME AS MATRIXNAME, b.BANDTEIGI AS BANDTEIGI
FROM BANDM b
LEFT JOIN MATRIXID m ON m.KCO = b.KCO AND m.NENDO = b.NENDO AND m.MATRIXID = b.MATRIXID;

-- VBANDM: one row per band and cell of the band's matrix (one row with null cell values
-- for a band whose matrix has no cells): VBANDM2's columns, then YHYOUKA and UP1..UP5.
CREATE VIEW VBANDM AS
SELECT v.*, c.YHYOUKA AS YHYOUKA, c.UP1 AS UP1, c.UP2 AS UP2, c.UP3 AS UP3, c.UP4 AS UP4,
       c.UP5 AS UP5
FROM VBANDM2 v
LEFT JOIN MATRIXCELL c ON c.KCO = v.KCO AND c.NENDO = v.NENDO AND c.MATRIXID = v.MATRIXID;

-- VMATRIXCELL: one row per cell and band that uses the cell's matrix: MATRIXCELL's
-- columns, then the matrix's TEIGI, NAME and ZONESU, the symbol of the role evaluation
-- (YHYOUKANAME) and the band (BANDID, BANDNAME). A cell whose matrix no band uses
-- still appears once, with a null band.
CREATE VIEW VMATRIXCELL AS
SELECT
    c.KCO, c.NENDO, c.MATRIXID, c.YHYOUKA, c.UP1, c.UP2, c.UP3, c.UP4, c.UP5,
    m.TEIGI AS TEIGI, m.NAME AS NAME, y.HKIGOU AS YHYOUKANAME, m.ZONESU AS ZONESU,
    b.BANDID AS BANDID, b.BANDNAME AS BANDNAME
FROM MATRIXCELL c
LEFT JOIN MATRIXID m ON m.KCO = c.KCO AND m.NENDO = c.NENDO AND m.MATRIXID = c.MATRIXID
LEFT JOIN YHYOUKA y ON y.KCO = c.KCO AND y.NENDO = c.NENDO AND y.HCO = c.YHYOUKA
LEFT JOIN BANDM b ON b.KCO = c.KCO AND b.NENDO = c.NENDO AND b.MATRIXID = c.MATRIXID;
