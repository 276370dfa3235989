#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of tarvel-cli from the build, its exit code and both outputs.
struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun runCli(const QStringList& args, const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
              const QString& workDir = {}, int timeoutMs = 60000);
