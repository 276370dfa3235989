#pragma once

#include <QFont>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

// Positions and small makers shared by the boxes of the main window.
namespace MainWindowLayout {
// The left column is wider than drawn for a narrow dialog font: «из файла "КонсультантПлюс"» needs the room in
// DejaVu Sans and Noto Sans; the grids' column gives it up.
constexpr int kLeftWidth = 194;
constexpr int kMiddleX = 202;
constexpr int kMiddleWidth = 212;

// A label as wide as its text, or of a given width aligned level with the caption beside it.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width = -1);
QFrame* makeSeparator(QWidget* parent, int x, int y, int width);
// The layout is drawn for a small dialog font; a wide default font would run labels into their values.
QFont dialogFont(QFont font);
} // namespace MainWindowLayout
