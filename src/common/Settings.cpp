#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kGroup = QStringLiteral("Settings/");

constexpr Settings::Value kValues[] = {
    {Settings::Key::Enab, "Enab", Settings::Kind::Number, "0"},
    {Settings::Key::Advertising, "Advertising", Settings::Kind::Text, "0"},
    {Settings::Key::Skin, "Skin", Settings::Kind::Text, "No skin"},
    {Settings::Key::ProxyIP, "ProxyIP", Settings::Kind::Text, ""},
    {Settings::Key::ProxyPort, "ProxyPort", Settings::Kind::Number, "80"},
    {Settings::Key::Socket, "Socket", Settings::Kind::Number, "0"},
    {Settings::Key::EnabAuth, "EnabAuth", Settings::Kind::Number, nullptr},
    {Settings::Key::Name, "Name", Settings::Kind::Text, nullptr},
    {Settings::Key::Pass, "Pass", Settings::Kind::Text, nullptr},
    {Settings::Key::Country, "Country", Settings::Kind::Text, nullptr},
    {Settings::Key::Lang, "Lang", Settings::Kind::Text, nullptr},
    {Settings::Key::Path, "Path", Settings::Kind::Text, nullptr},
    // The calculations window: its size, the open tab and the last inputs of each tab.
    {Settings::Key::CalcWidth, "CalcWidth", Settings::Kind::Number, nullptr},
    {Settings::Key::CalcHeight, "CalcHeight", Settings::Kind::Number, nullptr},
    {Settings::Key::CalcTab, "CalcTab", Settings::Kind::Number, nullptr},
    {Settings::Key::CalcPrincipal, "CalcPrincipal", Settings::Kind::Text, nullptr},
    {Settings::Key::CalcFrom, "CalcFrom", Settings::Kind::Text, nullptr},
    {Settings::Key::CalcTo, "CalcTo", Settings::Kind::Text, nullptr},
    {Settings::Key::CalcBasis, "CalcBasis", Settings::Kind::Text, nullptr}, // "395", "150", "300" or the N of 1/N
    {Settings::Key::CalcPayments, "CalcPayments", Settings::Kind::Text,
     nullptr}, // "DD.MM.YYYY=AMOUNT" items joined by "|"
    {Settings::Key::ConvSeries, "ConvSeries", Settings::Kind::Text, nullptr},
    {Settings::Key::ConvDate, "ConvDate", Settings::Kind::Text, nullptr},
    {Settings::Key::ConvAmount, "ConvAmount", Settings::Kind::Text, nullptr},
    {Settings::Key::ConvDirection, "ConvDirection", Settings::Kind::Number,
     nullptr}, // 0 currency to roubles, 1 roubles to currency
    {Settings::Key::InflFrom, "InflFrom", Settings::Kind::Text, nullptr},
    {Settings::Key::InflTo, "InflTo", Settings::Kind::Text, nullptr},
    {Settings::Key::InflAmount, "InflAmount", Settings::Kind::Text, nullptr},
    {Settings::Key::ChartSeries, "ChartSeries", Settings::Kind::Text, nullptr},
    {Settings::Key::ChartFrom, "ChartFrom", Settings::Kind::Text, nullptr},
    {Settings::Key::ChartTo, "ChartTo", Settings::Kind::Text, nullptr},
    // The database file chosen at the first start (beside the program, or the user's copy); later starts of the
    // window and of tarvel-cli keep to it while it exists.
    {Settings::Key::Database, "Database", Settings::Kind::Text, nullptr},
};

// The table is indexed by Settings::Key: each row stands at its key's place.
constexpr bool inKeyOrder() {
    for (size_t i = 0; i < std::size(kValues); ++i)
        if (size_t(kValues[i].key) != i)
            return false;
    return std::size(kValues) == size_t(Settings::Key::Count);
}
static_assert(inKeyOrder(), "every key has its row, in the order of Settings::Key");

const Settings::Value& valueOf(Settings::Key key) {
    return kValues[size_t(key)];
}

QString path(Settings::Key key) {
    return kGroup + Settings::name(key);
}
} // namespace

const Settings::Value* Settings::values(int* count) {
    *count = int(std::size(kValues));
    return kValues;
}

QString Settings::name(Key key) {
    return QString::fromLatin1(valueOf(key).name);
}

Settings::Settings() {
#ifdef Q_OS_WIN
    m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvane"),
                                             QStringLiteral("Vendrick"));
#else
    m_settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quorvane"),
                                             QStringLiteral("Vendrick"));
    m_iniFile = true;
#endif
}

Settings::Settings(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)), m_iniFile(true) {}

Settings::~Settings() {
    sync();
}

QString Settings::fileName() const {
    return m_settings->fileName();
}

bool Settings::keyExists() const {
    m_settings->beginGroup(QStringLiteral("Settings"));
    const bool exists = !m_settings->childKeys().isEmpty() || !m_settings->childGroups().isEmpty();
    m_settings->endGroup();
    return exists;
}

void Settings::writeFirstStartDefaults() {
    if (keyExists())
        return;
    beforeWrite();
    for (const Value& v : kValues) {
        if (!v.firstStartDefault)
            continue;
        const QString name = QString::fromLatin1(v.name);
        if (v.kind == Kind::Number)
            m_settings->setValue(kGroup + name, QString::fromLatin1(v.firstStartDefault).toInt());
        else
            m_settings->setValue(kGroup + name, QString::fromLatin1(v.firstStartDefault));
    }
    sync();
}

bool Settings::contains(Key key) const {
    return m_settings->contains(path(key));
}

QString Settings::text(Key key) const {
    return m_settings->value(path(key)).toString();
}

int Settings::number(Key key, int fallback) const {
    const QVariant v = m_settings->value(path(key));
    if (!v.isValid())
        return fallback;
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : fallback;
}

void Settings::setText(Key key, const QString& value) {
    beforeWrite();
    m_settings->setValue(path(key), value);
    sync();
}

void Settings::setNumber(Key key, int value) {
    beforeWrite();
    m_settings->setValue(path(key), value);
    sync();
}

void Settings::setValues(const QList<QPair<Key, QVariant>>& values) {
    beforeWrite();
    for (const auto& [key, value] : values)
        m_settings->setValue(path(key), value);
    sync();
}

int Settings::advertising() const {
    return number(Key::Advertising, 0);
}

std::optional<QString> Settings::country() const {
    if (!contains(Key::Country))
        return std::nullopt;
    return text(Key::Country);
}

std::optional<QString> Settings::lang() const {
    if (!contains(Key::Lang))
        return std::nullopt;
    return text(Key::Lang);
}

void Settings::beforeWrite() {
    if (!m_iniFile)
        return;
    // The file will hold the proxy password: make it the owner's alone before anything is written to it.
    const QString path = m_settings->fileName();
    QFileInfo info(path);
    if (!info.exists()) {
        QDir().mkpath(info.absolutePath());
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.close();
    }
    restrictPermissions();
}

void Settings::sync() {
    m_settings->sync();
    if (m_iniFile && QFileInfo::exists(m_settings->fileName()))
        restrictPermissions();
}

void Settings::restrictPermissions() {
    QFile::setPermissions(m_settings->fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
