#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

// A language catalogue file read the way the catalogue's INI layout wants it: the text encoding by its
// byte-order mark, sections and keys without regard to letter case.
class IniText {
public:
    // UTF-16 LE (FF FE), UTF-16 BE (FE FF), UTF-8 (EF BB BF) by their mark, which is skipped; without a mark
    // the bytes are windows-1251.
    static QString decode(const QByteArray& bytes);

    IniText() = default;
    explicit IniText(const QString& text);
    // A file that cannot be read counts as empty.
    static IniText fromFile(const QString& path);

    std::optional<QString> value(QStringView section, QStringView key) const;
    bool isEmpty() const { return m_sections.isEmpty(); }

private:
    QHash<QString, QHash<QString, QString>> m_sections; // case-folded names
};
