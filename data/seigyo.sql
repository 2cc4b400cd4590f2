-- The control database DATA/SEIGYO.MDB: the control record, the company list of every
-- year, model data and model wages, the template marks and graph styles, the guidance
-- pages. Column order is binding: inserts give their values by position.

CREATE TABLE MSEIGYO (
    CO integer, NA text, FSEIHIN integer, INSTDATE text, ENDDATE text, PATH text,
    REKI1 text, SNEN1 integer, STSUKI1 integer, SHI1 integer,
    REKI2 text, SNEN2 integer, STSUKI2 integer, SHI2 integer,
    REKI3 text, SNEN3 integer, STSUKI3 integer, SHI3 integer,
    FREKI integer);

CREATE TABLE MKIGYOU1 (
    KCO integer, NENDO integer, KNA text, PATH text, SDATE integer, FNK integer, KDATE integer,
    REKI integer, SYOTEIHH real, SYOTEIDD real, SYOTEIMM real, SAITEI integer);

CREATE TABLE MMMARK (
    KCO integer, NENDO integer, MKCO integer, MARK text, HANREI text, MKCOLOR text,
    MKSIZE integer, KCOLOR text, KSYURUI integer, KHABA integer);

CREATE TABLE MMGRAPH (
    KCO integer, NENDO integer, GSCO integer, CCOLOR text, CSYURUI integer, CHABA integer);

CREATE TABLE MDEL (
    MDCO integer, MDNA text, DEDOKORO text, TCHIIKI text, JSU integer, CJITEN text,
    GYOUSYU text, KIBO text, BIKOU text);

CREATE TABLE MDCHINGIN (
    MDCO integer, MCCO integer, NENREI integer, KNENSU integer, KKIN integer, SKIN integer,
    SYOUYO integer, NENSYU integer, SENSYU integer, KKNENSU integer);

CREATE TABLE Before (ID integer, Name text, Memo text, Kbn text);

CREATE INDEX MKIGYOU1_KEY ON MKIGYOU1 (NENDO, KCO);
CREATE INDEX MDCHINGIN_KEY ON MDCHINGIN (MDCO, MCCO);

-- The control record with the three Japanese eras (name, first year, month, day).
INSERT INTO MSEIGYO VALUES (0, 'Wageloom賃金Slim Free版', 0, '', '', '',
    '昭和', 1926, 12, 25,
    '平成', 1989, 1, 8,
    '令和', 2019, 5, 1,
    2);

-- Template plot marks, copied into every newly registered company.
INSERT INTO MMMARK VALUES (0, 9999, 1, '●', '一般職',   'clRed',     10, 'clRed',     0, 2);
INSERT INTO MMMARK VALUES (0, 9999, 2, '▲', '主任',     'clBlue',    10, 'clBlue',    0, 2);
INSERT INTO MMMARK VALUES (0, 9999, 3, '■', '係長',     'clGreen',   10, 'clGreen',   0, 2);
INSERT INTO MMMARK VALUES (0, 9999, 4, '◆', '課長',     'clFuchsia', 10, 'clFuchsia', 0, 2);
INSERT INTO MMMARK VALUES (0, 9999, 5, '★', '部長',     'clNavy',    10, 'clNavy',    0, 2);
INSERT INTO MMMARK VALUES (0, 9999, 6, '○', '専門職',   'clTeal',    10, 'clTeal',    1, 1);
INSERT INTO MMMARK VALUES (0, 9999, 7, '△', '嘱託',     'clMaroon',  10, 'clMaroon',  1, 1);
INSERT INTO MMMARK VALUES (0, 9999, 8, '□', 'パート',   'clPurple',  10, 'clPurple',  2, 1);
INSERT INTO MMMARK VALUES (0, 9999, 9, '◇', 'その他',   'clBlack',   10, 'clBlack',   2, 1);

-- Template graph styles: 1 axes, 2 ticks and scale numbers, 3 grid lines, 4 centre lines.
INSERT INTO MMGRAPH VALUES (0, 9999, 1, 'clBlack',  0, 2);
INSERT INTO MMGRAPH VALUES (0, 9999, 2, 'clBlack',  0, 1);
INSERT INTO MMGRAPH VALUES (0, 9999, 3, 'clSilver', 2, 1);
INSERT INTO MMGRAPH VALUES (0, 9999, 4, 'clGray',   1, 1);

-- Guidance pages shown from ヘルプ → ご利用案内.
INSERT INTO Before VALUES (1, 'はじめに',
'このシステムは、企業の賃金制度を分析・設計するためのワークベンチです。

１つの企業の１つの年度を「プロジェクト」と呼びます。
プロジェクトごとに、企業の基本設定・社員情報・賃金表を登録し、
賃金の分析と設計を行います。

作業の流れ
　１．プロジェクトの登録（企業と年度）
　２．基本設定・就労形態・評価記号の登録
　３．社員情報の登録または取込
　４．賃金プロット・昇給カーブの分析
　５．賃金表の作成と昇給管理
　６．レポートの印刷・CSV出力', '1');
INSERT INTO Before VALUES (2, 'プロジェクトの登録と選択',
'【プロジェクト】→【新規作成】で年度を選び「登録」を押すと、企業データの画面が開きます。
企業名称と等級名称を入力して登録して下さい。
その年度の最初の登録では、年度のデータベースが自動的に作成されます。

登録した企業は【プロジェクト】→【開く】で年度を選び、一覧から企業を選んで
「選択」を押すと開きます。開いている企業はウィンドウの見出しに表示されます。

企業名称などの変更は【変更】、企業とその年度のデータの削除は【削除】で行います。
変更・削除の前には、開いている企業を【閉じる】で閉じて下さい。', '1');
INSERT INTO Before VALUES (3, '基本設定・就労形態・評価',
'企業を開いたら、最初に次の３つを登録して下さい。
これらがそろうまで、社員登録・分析・賃金表・昇給・レポートのメニューは使えません。

　【基本設定】　　暦（西暦／和暦）、年齢・勤続の計算方法、基準年月日、
　　　　　　　　　プロットのマークとグラフの線
　【就労形態】　　就労形態と、基本給・手当の項目名
　【評　　価】　　賃金表ごとの評価記号と昇号数

基本設定の「登録」を押すと、年齢・勤続の計算方法が確定します。', '1');
INSERT INTO Before VALUES (4, '社員情報',
'【データ入力】→【社員　登録】で社員を１人ずつ登録します。
基本情報（氏名・生年月日・入社年月日・等級・号俸・評価など）と
賃金情報（基本給・手当・賞与、昇給後の金額）を入力して下さい。

他のシステムの社員マスタは【社員情報取込】でCSVファイルから取り込めます。
【社員マスタ出力】で、登録した社員をCSVファイルに書き出せます。
CSVファイルはプログラムのフォルダの CSV フォルダに作成されます。', '1');
INSERT INTO Before VALUES (5, '賃金表',
'【賃金設計】→【賃金表　作成】で等級別・号俸別の賃金表を作成します。

　１．基本設定ページで賃金表ID・タイトル・等級数・曲線・丸め方を決めます。
　２．サラリースケールページで等級ごとの中央値と上限・下限を入力します。
　　　「基準額」ボタンで、同じ等級の社員の基本給の平均額が参考に表示されます。
　３．２次曲線または３次曲線のページで号俸と賃金の制御点を入力します。
　４．「登録」を押すと賃金表が計算されて保存されます。

作成した賃金表は「CSV出力」でCSVファイルに書き出せます。', '1');
INSERT INTO Before VALUES (6, '分析と昇給',
'【プロット分析】では、年齢や勤続年数と賃金の散布図に昇給カーブを当てはめ、
平均やピッチ、生計費・モデル賃金との比較を行います。

【昇給管理】では、社員ごとに評価・昇号数・昇格を入力し、
賃金表から昇給後の基本給を求めます。

【レポート】では、グループ別の賃金一覧や個人別の人事・賃金情報を印刷します。', '1');
