// Which program folder (the folder holding DATA, CSV, Report and Picture) the program and
// the batch tool work on.
//
// In order:
//   1. the folder given with --folder DIR;
//   2. the folder named by the environment variable WAGELOOM_FOLDER;
//   3. the executable's own folder when it holds DATA/SEIGYO.MDB (the build tree's
//      build/bin, or a copy laid out like it);
//   4. the user's own data folder (normally ~/.local/share/wageloom) when the supplied
//      files sit in ../share/wageloom beside the executable (an installed package). The
//      user folder is made from the supplied files on the first start and never
//      overwritten afterwards.
//
// The routine takes every input as a plain value so that the window, the batch tool and
// the tests decide the same way; ProgramFolderInputsOfProcess gathers them for a program.
#pragma once

#include "core/Outcome.h"

#include <QString>

// The environment variable that names a program folder.
inline const char* const ProgramFolderVariable = "WAGELOOM_FOLDER";

struct ProgramFolderInputs {
    QString executableFolder;   // the folder of the running executable
    QString environmentFolder;  // the value of WAGELOOM_FOLDER ('' when unset)
    QString optionFolder;       // the value of --folder ('' when not given)
    QString userFolder;         // the per-user data folder (see UserProgramFolder)
};

enum class ProgramFolderSource {
    Option,       // --folder
    Environment,  // WAGELOOM_FOLDER
    Executable,   // the executable's own folder
    UserData,     // the user's data folder, made from the supplied files
};

struct ProgramFolderChoice {
    Outcome outcome;                // Failed when no usable folder was found or made; a
                                    // success says so when the user folder was just made
    QString folder;                 // absolute, with a trailing "/" ('' on failure)
    ProgramFolderSource source = ProgramFolderSource::Executable;
    bool madeFromSuppliedFiles = false;  // the user folder was (completed and) filled just now
};

// The supplied files of an installed program: <executableFolder>/../share/wageloom.
QString SuppliedFilesFolder(const QString& executableFolder);

// The per-user data folder: Qt's generic data location (XDG_DATA_HOME, normally
// ~/.local/share) + "/wageloom". Named explicitly rather than through the application
// name, which differs between the window and the batch tool.
QString UserProgramFolder();

// The inputs of this process: the executable's folder, WAGELOOM_FOLDER and the user folder,
// with the --folder value the caller has parsed.
ProgramFolderInputs ProgramFolderInputsOfProcess(const QString& optionFolder);

// Decides the program folder (see the order above). When it is the user folder and that
// folder has no control database yet, copies every supplied file that is missing there
// (a file already present is never replaced; the control database comes last, so a copy
// cut short is completed on the next start) and makes CSV, Picture and Report.
ProgramFolderChoice ChooseProgramFolder(const ProgramFolderInputs& inputs);
