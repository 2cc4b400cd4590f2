// Basic settings of a project: calendar, reference date, era table, marks and graph lines.
#pragma once

#include "core/Colors.h"
#include "shell/Session.h"
#include "store/Records.h"

#include <QImage>
#include <QString>

// One row of the era conversion table (texts as the fields show them).
struct EraSetting {
    QString name;
    QString year;
    QString month;
    QString day;
};

// A plot mark as the screen edits it.
struct MarkSetting {
    QString symbol;
    QString legend;
    TColor markColor = 0;
    int size = 1;
    TColor curveColor = 0;
    int lineType = 0;
    int width = 1;
};

// One of the four lines of the graph frame.
struct GraphLineSetting {
    TColor color = 0;
    int lineType = 0;
    int width = 1;
};

struct BasicSettings {
    bool ageByToday = false;      // MKIGYOU1.FNK 1 (today) / 0 (reference date)
    long long referenceDate = 0;  // MKIGYOU1.KDATE, yyyymmdd as typed
    bool eraCalendar = false;     // MKIGYOU1.REKI 1 / 0
    EraSetting eras[3];
    int selectedEra = 0;          // MSEIGYO.FREKI 0..2
    MarkSetting marks[9];
    GraphLineSetting lines[4];

    // The rows as read; written back with the settings replaced.
    TKigyo1_ company;
    TSeigyo_ control;
};

// Reads the settings of the session's project: its MKIGYOU1 row and the control record
// (control database), its marks and graph lines (year database). false after a database
// failure (the store reports it).
bool ReadBasicSettings(const Session& s, BasicSettings& settings);

// Writes MKIGYOU1 and MSEIGYO (control database) and MMARK 1..9 and MGRAPH 1..4 (project
// database) with one commit; when anything fails both are rolled back. An empty install or
// end date of the control record becomes the session's today.
bool WriteBasicSettings(const Session& s, const BasicSettings& settings);

// Puts calendar mode, age mode, reference date, eras and marks into the session.
void PublishBasicSettings(Session& s, const BasicSettings& settings);

// The reference date as typed ("2001.4.1"): the dots removed, the rest a whole number.
// false when it is not one.
bool ReferenceDateFromText(const QString& text, long long& date);
// The reference date as shown: "0000'.'00'.'00".
QString ReferenceDateText(long long date);
// A mark size typed into the size list: a whole number 8..18.
bool MarkSizeAccepted(const QString& text, int* size = nullptr);
// A field's number text, or fallback when it is not a whole number.
int NumberOr(const QString& text, int fallback);

// The sample of a line: cleared by a white line 5 pixels wide from (0, 4) to (160, 4), then,
// when width is not 0, the line drawn again with the style (0..5), width and colour.
QImage DrawLineSample(TColor color, int lineType, int width);
