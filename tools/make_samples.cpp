// make_samples: writes the sample companies of 2018 to 2020 into a program folder
// whose DATA/SEIGYO.MDB exists; years already present are left untouched.
//
//   make_samples <program folder>
#include "projects/SampleCompanies.h"
#include "shell/Session.h"
#include "store/DataModule.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_samples <program folder>\n");
        return 2;
    }
    TFDM dataModule;
    Session session;
    if (!StartSession(session, QString::fromLocal8Bit(argv[1]), dataModule.ACN1, dataModule.ACN2, QDate::currentDate())
             .ok)
        return 1;
    QString error;
    QStringList log;
    const bool ok = WriteSampleCompanies(session, &error, &log);
    for (const QString& line : log)
        std::printf("make_samples: %s\n", line.toUtf8().constData());
    if (!ok) {
        std::fprintf(stderr, "make_samples: %s\n", error.toUtf8().constData());
        return 1;
    }
    return 0;
}
