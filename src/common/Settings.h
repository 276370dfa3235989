#pragma once

#include <QSettings>
#include <QString>

#include <memory>
#include <optional>

// The per-user settings key (organisation "Quorvane", application "Vendrick", group "Settings"): the registry
// on Windows, an INI file in the user's config folder elsewhere. Knows every value, its kind and its
// first-start default.
class Settings {
public:
    // Every value of the key; the table in Settings.cpp has one row per key, in this order.
    enum class Key {
        Enab,
        Advertising,
        Skin,
        ProxyIP,
        ProxyPort,
        Socket,
        EnabAuth,
        Name,
        Pass,
        Country,
        Lang,
        Path,
        CalcWidth,
        CalcHeight,
        CalcTab,
        CalcPrincipal,
        CalcFrom,
        CalcTo,
        CalcBasis,
        CalcPayments,
        ConvSeries,
        ConvDate,
        ConvAmount,
        ConvDirection,
        InflFrom,
        InflTo,
        InflAmount,
        ChartSeries,
        ChartFrom,
        ChartTo,
        Database,
        Count
    };
    enum class Kind { Number, Text };
    struct Value {
        Key key;
        const char* name;
        Kind kind;
        const char* firstStartDefault; // nullptr: not written at first start
    };
    // Every value of the key, first-start defaults in the order they are written.
    static const Value* values(int* count);
    // The value's name in the key.
    static QString name(Key key);

    Settings();                                // the user's own key
    explicit Settings(const QString& iniFile); // a given INI file (tests, portable copies)
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    QString fileName() const;

    bool keyExists() const;
    // Writes the defaults when the key does not exist yet; later starts never rewrite them.
    void writeFirstStartDefaults();

    bool contains(Key key) const;
    QString text(Key key) const;                 // missing: empty text
    int number(Key key, int fallback = 0) const; // missing or not a whole number: fallback
    void setText(Key key, const QString& value);
    void setNumber(Key key, int value);
    // Writes several values and stores them in one go.
    void setValues(const QList<QPair<Key, QVariant>>& values);

    // Start-up readings.
    QString skin() const { return text(Key::Skin); }
    int advertising() const; // missing or not a whole number: 0
    std::optional<QString> country() const;
    std::optional<QString> lang() const;

    void sync();

private:
    void beforeWrite();
    void restrictPermissions();
    std::unique_ptr<QSettings> m_settings;
    bool m_iniFile = false;
};
