// Start of a session without windows or with them: the control database and its eras.
#pragma once

// Opens the control database on ACN1, takes today's date (FiscalYear := this year), clears
// the open company and reads the control record's three eras into the application state.
// ExeFolder must be set. false when the control database could not be opened (message shown).
bool StartSession();
