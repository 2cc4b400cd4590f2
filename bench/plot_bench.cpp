// Plot benchmark: opening a chart of 5,000 generated points (MCHART and DCHART read, ten
// series fitted) and painting it into a 1600 × 1000 image, compared in the same run with a
// bare loop that reads the same DCHART rows through the sqlite3 C API and draws the same
// 5,000 glyphs with QPainter.
//
//   plot_bench [runs]     (default 9)
#include "plot/ChartModel.h"
#include "plot/PlotLayout.h"
#include "plot/PlotPainter.h"
#include "shell/Session.h"
#include "store/DataModule.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

const int PointCount = 5000;
const int Kco = 1;
const int Year = 2024;
const QSize ImageSize(1600, 1000);

struct Lcg {
    quint32 state = 20240401;
    double next()
    {
        state = state * 1664525u + 1013904223u;
        return double(state >> 8) / double(1u << 24);
    }
};

const char* const Symbols[9] = {"●", "▲", "■", "◆", "★", "○", "△", "□", "◇"};
const TColor Colors[9] = {0x0000FF, 0xFF0000, 0x008000, 0xFF00FF, 0x800000, 0x808000, 0x000080, 0x800080, 0};

void Run(DbConnection& cn, const QString& sql)
{
    if (cn.execute(sql) < 0)
        std::fprintf(stderr, "failed: %s\n", qPrintable(sql));
}

// The chart row, the graph styles and 5,000 points of nine marks with a rising pay curve.
void WriteChart(DbConnection& cn)
{
    Run(cn, QStringLiteral("INSERT INTO MCHART VALUES (1020, %1, %2, 1, '111111111', '111111111', 'bench', '0', '3', 3, "
                           "0, 0, 0, 0, 0, 1, 5, -5, 0, 0, 0, '', 4, 0, '年　　齢', '所　定　給', '歳', '万円', 5, 5, 2)")
                .arg(Kco)
                .arg(Year));
    const char* styles[4] = {"clBlack', 0, 2", "clBlack', 0, 1", "clSilver', 2, 1", "clGray', 1, 1"};
    for (int i = 0; i < 4; ++i)
        Run(cn, QStringLiteral("INSERT INTO MGRAPH VALUES (%1, %2, %3, '%4)").arg(Kco).arg(Year).arg(i + 1).arg(styles[i]));
    Lcg rnd;
    cn.begin();
    for (int i = 1; i <= PointCount; ++i) {
        const int mark = 1 + i % 9;
        const double age = 18 + std::floor(rnd.next() * 47);
        const double pay = 15 + 0.9 * (age - 18) - 0.006 * (age - 18) * (age - 18) + mark + rnd.next() * 6;
        cn.execute(QStringLiteral("INSERT INTO DCHART VALUES (?, ?, '', '', 0, 0, 0, 0, 0, ?, ?, ?, ?, 0, 0)"),
                   {i, QStringLiteral("社員%1").arg(i), age, pay, i, mark});
    }
    cn.commit();
}

// Our way: open the chart (the window's OpenPlot less the widgets) and paint it.
double OurPlot(Session& session, QImage& image)
{
    QElapsedTimer t;
    t.start();
    const ChartModel model = OpenChart(session, 1020);
    const ChartRanges& r = model.ranges;
    image = RenderPlot(model, {r.Xmin, r.Xmax, r.Ymin, r.Ymax}, ImageSize);
    return t.nsecsElapsed() / 1e6;
}

// The bare loop: the same rows through the C API, a linear mapping, the same glyphs.
double BareLoop(const QString& path, QImage& image)
{
    QElapsedTimer t;
    t.start();
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM DCHART order by SCO", -1, &st, nullptr);
    struct P {
        double x, y;
        int mark;
    };
    std::vector<P> points;
    points.reserve(PointCount);
    while (sqlite3_step(st) == SQLITE_ROW)
        points.push_back({sqlite3_column_double(st, 9), sqlite3_column_double(st, 10), sqlite3_column_int(st, 12)});
    sqlite3_finalize(st);
    sqlite3_close(db);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(PlotFontFamily);
    font.setPixelSize(FontPixelSize(10));
    painter.setFont(font);
    const int ascent = QFontMetrics(font).ascent();
    const QString symbols[9] = {Symbols[0], Symbols[1], Symbols[2], Symbols[3], Symbols[4],
                                Symbols[5], Symbols[6], Symbols[7], Symbols[8]};
    for (const P& p : points) {
        const int m = std::clamp(p.mark - 1, 0, 8);
        painter.setPen(QColor::fromRgb(ColorToRgb(Colors[m])));
        const int x = 146 + int((p.x - 15) / 50.0 * 1300), y = 900 - int((p.y - 10) / 60.0 * 850);
        painter.drawText(x - 7, y - 7 + ascent, symbols[m]);
    }
    painter.end();
    return t.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;

    QTemporaryDir dir;
    const QString data = dir.path() + "/DATA/";
    QDir().mkpath(data + QString::number(Year));
    const QString yearFile = data + QString::number(Year) + "/DATA.MDB";
    if (!QFile::copy(QStringLiteral(WAGELOOM_FIXTURES "/SEIGYO.MDB"), data + "SEIGYO.MDB")
        || !QFile::copy(QStringLiteral(WAGELOOM_FIXTURES "/DATA.MDB"), yearFile)) {
        std::fprintf(stderr, "the supplied databases are missing under %s\n", WAGELOOM_FIXTURES);
        return 1;
    }
    QFile(data + "SEIGYO.MDB").setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QFile(yearFile).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    TFDM fdm;
    Session session;
    if (!StartSession(session, dir.path(), fdm.ACN1, fdm.ACN2, QDate(2024, 4, 1)).ok)
        return 1;
    session.fiscalYear = Year;
    session.companyCode = Kco;
    fdm.OpenDatabase(fdm.ACN2, yearFile);
    if (!fdm.ACN2.isOpen())
        return 1;
    WriteChart(fdm.ACN2);
    for (int i = 0; i < 9; ++i) {
        TMMARK& m = session.project.Marks[i];
        m.MKCO = i + 1;
        m.MARK = QString::fromUtf8(Symbols[i]);
        m.HANREI = QStringLiteral("印%1").arg(i + 1);
        m.MKCOLOR = m.KCOLOR = Colors[i];
        m.MKSIZE = 10;
        m.KHABA = 2;
    }

    QImage ours(ImageSize, QImage::Format_RGB32), bare(ImageSize, QImage::Format_RGB32);
    OurPlot(session, ours);   // warm-up: fonts and caches
    BareLoop(yearFile, bare);
    std::vector<double> a, b;
    std::printf("%d points, %dx%d image\n%4s %10s %10s %8s\n", PointCount, ImageSize.width(), ImageSize.height(), "run",
                "plot ms", "bare ms", "ratio");
    for (int i = 1; i <= runs; ++i) {
        a.push_back(OurPlot(session, ours));
        b.push_back(BareLoop(yearFile, bare));
        std::printf("%4d %10.2f %10.2f %8.2f\n", i, a.back(), b.back(), a.back() / b.back());
    }
    const double ratio = Median(a) / Median(b);
    std::printf("%4s %10.2f %10.2f\n", "med", Median(a), Median(b));
    std::printf("open + paint / bare loop: ratio of the medians %.2f (aim: within 2x, %s)\n", ratio,
                ratio <= 2.0 ? "met" : "missed");
    if (qEnvironmentVariableIsSet("BENCH_IMAGE"))
        ours.save(qEnvironmentVariable("BENCH_IMAGE"));
    return 0;
}
