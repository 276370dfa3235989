#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>

class IniText;
class Settings;

// One section of the language catalogue: its keys in a fixed order, each with its built-in English text.
class LocRecord {
public:
    struct Entry {
        const char16_t* key;
        const char16_t* englishDefault;
    };
    LocRecord(const char16_t* section, std::initializer_list<Entry> entries);

    QString section() const { return QString::fromUtf16(m_section); }
    QStringList keys() const;
    // The text of a key; a key the record does not have gives an empty text.
    QString value(QStringView key) const;

    // Every field from the catalogue, or its default where the section or the key is absent.
    void load(const IniText& catalogue);
    void reset();

private:
    const char16_t* m_section;
    QList<Entry> m_entries;
    QList<QString> m_values;
};

// The seven records, one per section, in the order they are read.
struct TLOCother : LocRecord {
    TLOCother();
};
struct TLOCButton : LocRecord {
    TLOCButton();
};
struct TLOCCaption : LocRecord {
    TLOCCaption();
};
struct TLOCGroup : LocRecord {
    TLOCGroup();
};
struct TLOCItems : LocRecord {
    TLOCItems();
};
struct TLOCMenu : LocRecord {
    TLOCMenu();
};
struct TLOCString : LocRecord {
    TLOCString();
};

// The interface language catalogue: the Lang\<language>.lng file beside the program, read into the seven
// records. No window takes its texts from it; every text shown is the Russian one built into the windows.
class Localize {
public:
    // A missing or unreadable file leaves every field at its default; nothing is reported.
    void load(const QString& path);

    // <program folder>/Lang/<lang>.lng; no language gives the file ".lng", which does not exist.
    static QString catalogPath(const QString& programDir, const QString& lang);
    // The user picked a language: store it as Lang and load its catalogue.
    void chooseLanguage(Settings& settings, const QString& programDir, const QString& lang);
    // The user picked a country: it is only stored.
    static void chooseCountry(Settings& settings, const QString& country);

    TLOCother other;
    TLOCButton button;
    TLOCCaption caption;
    TLOCGroup group;
    TLOCItems items;
    TLOCMenu menu;
    TLOCString string;

    QList<LocRecord*> records() { return {&other, &button, &caption, &group, &items, &menu, &string}; }
};
