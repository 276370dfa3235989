#pragma once

#include "HttpClient.h"
#include "LoadDownloadedRates.h"

#include <QString>

class Prompts;
class TableObject;

// The message of every failure of the request phase (its first letter is a Latin C, as the program has it).
QString ConnectionFailedMessage();

// temp.xml in the working directory: the last answer of the service.
QString TempXmlPath();
// temp.xml in the user's cache folder, where the answer goes when the working directory takes no file.
QString CachedTempXmlPath();
// Replaces the file with the answer followed by one line break.
void SaveResponse(const QByteArray& body, const QString& path);

enum class RateDownloadOutcome { Processed, ConnectionFailed, NotRateData };

struct RateDownloadResult {
    RateDownloadOutcome outcome = RateDownloadOutcome::ConnectionFailed;
    LoadedRates loaded;
    DownloadResult transfer;
    QString savedAt; // where the answer was saved: the given temp.xml, the one in the cache folder, or nowhere
};

// The processing phase: saves the answer (in the cache folder when the given path takes no file) and appends
// the missing dates to the table.
RateDownloadResult ProcessRateResponse(const QByteArray& body, TableObject& table, Prompts& prompts,
                                       const QString& tempPath);

// The whole download without windows, on the calling thread: the transfer (a failure shows the connection
// message and leaves the table and the saved answer alone), then the processing phase.
RateDownloadResult DownloadRates(const HttpClient& client, const DownloadRequest& request, TableObject& table,
                                 Prompts& prompts, const QString& tempPath);
