#include "ImportRun.h"

#include "ImportText.h"

bool ImportRun::readLine(QString& line) {
    QByteArray bytes;
    if (!reader.next(bytes))
        return false;
    line = dosMode ? DecodeDosLine(bytes) : DecodeWindows1251(bytes);
    return true;
}

void RunRecognition(ImportRun& run, QStringView signature, const ImportParser& parser) {
    QByteArray bytes;
    while (run.reader.next(bytes)) {
        if (FindText(signature, DecodeWindows1251(bytes)) > 0) {
            parser(run);
        } else if (FindText(signature, DecodeDosLine(bytes)) > 0) {
            run.dosMode = true;
            parser(run);
        }
    }
}
