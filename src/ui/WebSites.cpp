#include "WebSites.h"

#include <QDesktopServices>
#include <QUrl>

namespace WebSites {
void open(const QString& address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
} // namespace WebSites
