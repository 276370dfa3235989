#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// What every benchmark program shares: repeated timings, their medians, and the rows of the one table that
// bench/run.sh prints. A row goes to stdout as "row<TAB>measure<TAB>figure<TAB>reference<TAB>ratio<TAB>target
// <TAB>met"; anything else a program prints is a note.
namespace Bench {

double median(std::vector<double> values);

// Milliseconds of one call.
double timeMs(const std::function<void()>& body);

// How many runs each figure is the median of: the first argument, else BENCH_RUNS, else 7.
int runCount(int argc, char* argv[]);

QString ms(double value);                       // "12.3 ms"
QString megabytes(double bytes);                // "41.2 MB"
QString ratio(double figure, double reference); // "2.1×"

void row(const QString& measure, const QString& figure, const QString& reference, const QString& ratio,
         const QString& target, bool met);
// A row without a target: shown for context.
void infoRow(const QString& measure, const QString& figure, const QString& reference = QString());

// Runs a program to its end and returns its wall time in milliseconds; throws std::runtime_error when it does
// not start, fails or exits non-zero. `input` goes to its standard input.
double runProgram(const QString& program, const QStringList& arguments, const QByteArray& input = {});

// The folder of the running benchmark program (build-bench/bench-bin); the program's own binaries are in
// ../bin beside it.
QString programBinDir();

} // namespace Bench
