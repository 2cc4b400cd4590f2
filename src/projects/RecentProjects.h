// The projects the start panel offers while no project is open: the ones the user opened
// lately (kept by the window in the user's settings) and the supplied sample companies.
// Each entry names a company of a fiscal year that exists in the control database, so one
// click can open it as 選択 of the company list does.
#pragma once

#include "shell/Session.h"

#include <QList>
#include <QString>

// A project as the user's settings remember it.
struct ProjectRef {
    int year = 0;
    int code = 0;
    friend bool operator==(const ProjectRef&, const ProjectRef&) = default;
};

// A project the panel lists, with the company's name.
struct ListedProject {
    int year = 0;
    int code = 0;
    QString name;
    ProjectRef ref() const { return {year, code}; }
};

// "2020年度　サンプル精機株式会社"
QString ListedProjectText(const ListedProject& p);

// The remembered projects that still exist, in the given order, with their names; a project
// deleted since, or a read that failed, is left out.
QList<ListedProject> ExistingProjects(const Session& s, const QList<ProjectRef>& remembered);

// The sample companies, each in the latest fiscal year that holds it, by company code.
QList<ListedProject> SampleProjects(const Session& s);

// The remembered list after opening p: p first, the others after it without repeats, at
// most `keep` entries.
QList<ProjectRef> RememberedAfterOpening(const QList<ProjectRef>& remembered, ProjectRef p, int keep = 8);
