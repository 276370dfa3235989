#include "RateDownload.h"

#include "common/AppError.h"
#include "common/Prompts.h"

#include <QDir>
#include <QSaveFile>

QString ConnectionFailedMessage() {
    return QStringLiteral("Cоединение с интернет не установлено.");
}

QString TempXmlPath() {
    return QDir::current().absoluteFilePath(QStringLiteral("temp.xml"));
}

void SaveResponse(const QByteArray& body, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size() || file.write("\n", 1) != 1 ||
        !file.commit())
        throw AppError(QStringLiteral("Не удалось записать файл «%1»: %2").arg(path, file.errorString()));
}

RateDownloadResult ProcessRateResponse(const QByteArray& body, TableObject& table, Prompts& prompts,
                                       const QString& tempPath) {
    RateDownloadResult result;
    SaveResponse(body, tempPath);
    result.loaded = LoadDownloadedRates(table, prompts, tempPath);
    result.outcome = result.loaded.rateData ? RateDownloadOutcome::Processed : RateDownloadOutcome::NotRateData;
    return result;
}

RateDownloadResult DownloadRates(const HttpClient& client, const DownloadRequest& request, TableObject& table,
                                 Prompts& prompts, const QString& tempPath) {
    DownloadResult transfer = client.get(request);
    if (!transfer.ok()) {
        prompts.message(ConnectionFailedMessage());
        RateDownloadResult failed;
        failed.transfer = std::move(transfer);
        return failed;
    }
    RateDownloadResult result = ProcessRateResponse(transfer.data, table, prompts, tempPath);
    result.transfer = std::move(transfer);
    return result;
}
