#pragma once

#include <QString>

// The folder holding the six working files and the settings sets: the program
// file's folder when it is writable, else the per-user application data
// folder. Tools and tests may point it elsewhere before the installation is
// first loaded.
QString WorkingFolder();
void SetWorkingFolder(const QString& folder);

// Full path of a working file: WorkingFolder() + "/" + name.
QString WorkingFile(const QString& name);
