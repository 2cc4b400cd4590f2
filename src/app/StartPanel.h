// The start panel: what the main window's workspace shows while no project is open. It lists
// the projects the user opened lately and the sample companies, each opened with one click,
// says in one line where to begin, and holds the setting that reopens the last project on
// start. The lists come from projects/RecentProjects; the remembered projects and the
// setting are the user's (UserSettings).
#pragma once

#include "projects/RecentProjects.h"

#include <QWidget>

class QCheckBox;
class QVBoxLayout;

// The user's remembered projects, most recent first.
QList<ProjectRef> RememberedProjects();
// Puts p first in the remembered projects.
void RememberProject(ProjectRef p);
// Whether the window opens the last project on start.
bool ReopenLastProjectOnStart();
void SetReopenLastProjectOnStart(bool on);

class StartPanel : public QWidget {
    Q_OBJECT
public:
    // The one line on what to do first.
    static const QString FirstStepText;

    explicit StartPanel(QWidget* parent = nullptr);

    // Lists the remembered projects that still exist and the sample companies of s's
    // program folder.
    void Reload(const Session& s);

signals:
    void projectChosen(const ListedProject& project);
    void openListRequested();
    void newProjectRequested();

private:
    void fill(QVBoxLayout* box, const QList<ListedProject>& projects, const QString& emptyText,
              const QString& namePrefix);

    QVBoxLayout* recentBox_ = nullptr;
    QVBoxLayout* sampleBox_ = nullptr;
    QCheckBox* reopenLast_ = nullptr;
};
