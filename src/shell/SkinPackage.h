#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// The skin package: after the header 06 00 00 00 "dxSkin", a list of named skins, each a Qt style sheet.
// Layout: header, entry count, then per entry the name and the style sheet; every number is a 32-bit
// little-endian count, every text UTF-8 preceded by its length in bytes.
namespace SkinPackage {
using Skin = QPair<QString, QString>; // name, style sheet

QByteArray write(const QList<Skin>& skins);

// The first offset b at which the byte is 6 and the byte at b + 4 is 100 ('d'): where the package starts
// inside a skin resource; -1 when there is none.
qsizetype findStart(QByteArrayView data);

// The skins of a package, as far as it can be read; a damaged or truncated package gives what precedes the damage.
QList<Skin> read(QByteArrayView package);

// The style sheet of the skin with that name, letter case ignored.
std::optional<QString> find(QByteArrayView package, QStringView name);
} // namespace SkinPackage
