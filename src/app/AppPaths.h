#pragma once

#include <QString>

// Where the program finds its files.
namespace AppPaths {
// The folder that holds the program file.
QString programDir();
// data/main.db beside the program.
QString databasePath();
} // namespace AppPaths
