#pragma once

#include "TableObject.h"

// One record as the grid and the dump show it: each column in its display text, joined by ';'.
QString FormatRecordLine(const TableObject& table, const TableRow& row);
