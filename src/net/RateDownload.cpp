#include "RateDownload.h"

#include "common/AppError.h"
#include "common/Prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

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

QString CachedTempXmlPath() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return dir.isEmpty() ? QString() : dir + QStringLiteral("/temp.xml");
}

RateDownloadResult ProcessRateResponse(const QByteArray& body, TableObject& table, Prompts& prompts,
                                       const QString& tempPath) {
    RateDownloadResult result;
    // The copy of the answer is for the user to look at; a folder that takes no file must not stop the download.
    const QString cached = CachedTempXmlPath();
    for (const QString& path : {tempPath, cached}) {
        if (path.isEmpty())
            continue;
        try {
            if (path == cached)
                QDir().mkpath(QFileInfo(path).absolutePath());
            SaveResponse(body, path);
            result.savedAt = path;
            break;
        } catch (const AppError&) {
            // Tried next in the user's cache folder; without any copy the answer is read as received.
        }
    }
    if (result.savedAt.isEmpty())
        result.loaded = LoadDownloadedAnswer(table, prompts, body + '\n');
    else
        result.loaded = LoadDownloadedRates(table, prompts, result.savedAt);
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
