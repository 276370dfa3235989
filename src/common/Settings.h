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
    enum class Kind { Number, Text };
    struct Value {
        const char* name;
        Kind kind;
        const char* firstStartDefault; // nullptr: not written at first start
    };
    // Every value of the key, first-start defaults in the order they are written.
    static const Value* values(int* count);

    Settings();                                // the user's own key
    explicit Settings(const QString& iniFile); // a given INI file (tests, portable copies)
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    QString fileName() const;

    bool keyExists() const;
    // Writes the defaults when the key does not exist yet; later starts never rewrite them.
    void writeFirstStartDefaults();

    bool contains(const QString& name) const;
    QString text(const QString& name) const;                // missing: empty text
    int number(const QString& name, int fallback = 0) const; // missing or not a whole number: fallback
    void setText(const QString& name, const QString& value);
    void setNumber(const QString& name, int value);
    // Writes several values and stores them in one go.
    void setValues(const QList<QPair<QString, QVariant>>& values);

    // Start-up readings.
    QString skin() const { return text(QStringLiteral("Skin")); }
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
