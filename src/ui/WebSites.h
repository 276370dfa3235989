#pragma once

#include <QString>

// The maker's web sites.
namespace WebSites {
// "Страница в Internet", the about box's link.
inline const QString kMakerSite = QStringLiteral("https://www.quorvane.ru/");
// The banner, on a click and on a double click alike.
inline const QString kProgramsSite = QStringLiteral("https://www.quorvane.ru/jurist/");

// Hands an address to the system's browser; an address without a scheme is taken as a web address. Whatever
// goes wrong is the system's to show.
void open(const QString& address);
} // namespace WebSites
