#pragma once

#include <QIcon>

// The program's icon, drawn in the colours of the banner.
QIcon programIcon();
