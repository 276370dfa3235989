#include "SkinPackage.h"

#include <QtEndian>

namespace SkinPackage {
namespace {
constexpr char kHeader[] = {6, 0, 0, 0, 'd', 'x', 'S', 'k', 'i', 'n'};
constexpr qsizetype kHeaderSize = qsizetype(sizeof(kHeader));

void putCount(QByteArray& out, quint32 n) {
    char bytes[4];
    qToLittleEndian(n, bytes);
    out.append(bytes, 4);
}

void putText(QByteArray& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    putCount(out, quint32(utf8.size()));
    out.append(utf8);
}

// Reads from a package, refusing to run past its end.
class Reader {
public:
    explicit Reader(QByteArrayView data) : m_data(data) {}
    bool count(quint32& n) {
        if (m_data.size() - m_pos < 4)
            return false;
        n = qFromLittleEndian<quint32>(m_data.data() + m_pos);
        m_pos += 4;
        return true;
    }
    bool text(QString& s) {
        quint32 n = 0;
        if (!count(n) || quint64(n) > quint64(m_data.size() - m_pos))
            return false;
        s = QString::fromUtf8(m_data.sliced(m_pos, qsizetype(n)));
        m_pos += qsizetype(n);
        return true;
    }
    void skip(qsizetype n) { m_pos += n; }

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
};
} // namespace

QByteArray write(const QList<Skin>& skins) {
    QByteArray out(kHeader, kHeaderSize);
    putCount(out, quint32(skins.size()));
    for (const Skin& skin : skins) {
        putText(out, skin.first);
        putText(out, skin.second);
    }
    return out;
}

qsizetype findStart(QByteArrayView data) {
    for (qsizetype b = 0; b + 4 < data.size(); ++b) {
        if (data[b] == 6 && data[b + 4] == 100)
            return b;
    }
    return -1;
}

QList<Skin> read(QByteArrayView package) {
    QList<Skin> skins;
    if (package.size() < kHeaderSize || package.first(kHeaderSize) != QByteArrayView(kHeader, kHeaderSize))
        return skins;
    Reader in(package);
    in.skip(kHeaderSize);
    quint32 n = 0;
    if (!in.count(n))
        return skins;
    for (quint32 i = 0; i < n; ++i) {
        Skin skin;
        if (!in.text(skin.first) || !in.text(skin.second))
            break;
        skins.append(skin);
    }
    return skins;
}

std::optional<QString> find(QByteArrayView package, QStringView name) {
    for (const Skin& skin : read(package)) {
        if (QStringView(skin.first).compare(name, Qt::CaseInsensitive) == 0)
            return skin.second;
    }
    return std::nullopt;
}
} // namespace SkinPackage
