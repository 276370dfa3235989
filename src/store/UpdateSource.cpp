#include "UpdateSource.h"

QString SourceSentence(int upd) {
    switch (upd) {
    case 0:
        return QStringLiteral("Значение в таблице было добавлено вручную.");
    case 1:
        return QStringLiteral("Значение в таблице было добавлено из системы \"КонсультантПлюс\".");
    case 2:
        return QStringLiteral("Значение в таблице было добавлено из системы \"Гарант\".");
    case 3:
        return QStringLiteral("Значение в таблице было добавлено из интернета.");
    case 4:
        return QStringLiteral("Значение в таблице было поставлено с программой.");
    default:
        return QString();
    }
}

QString SourceShortWording(int upd) {
    switch (upd) {
    case 0:
        return QStringLiteral("вручную");
    case 1:
        return QStringLiteral("из системы \"КонсультантПлюс\"");
    case 2:
        return QStringLiteral("из системы \"Гарант\"");
    case 3:
        return QStringLiteral("из интернета");
    case 4:
        return QStringLiteral("поставлена с программой");
    default:
        return QString();
    }
}
