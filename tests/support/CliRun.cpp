#include "CliRun.h"

#include <QProcess>

CliRun runCli(const QStringList& args, const QProcessEnvironment& environment, const QString& workDir,
              int timeoutMs) {
    QProcess p;
    p.setProcessEnvironment(environment);
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(QStringLiteral(TARVEL_BIN_DIR "/tarvel-cli"), args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {-1, {}, QStringLiteral("timeout")};
    }
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
