#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kGroup = QStringLiteral("Settings/");

const Settings::Value kValues[] = {
    {"Enab", Settings::Kind::Number, "0"},
    {"Advertising", Settings::Kind::Text, "0"},
    {"Skin", Settings::Kind::Text, "No skin"},
    {"ProxyIP", Settings::Kind::Text, ""},
    {"ProxyPort", Settings::Kind::Number, "80"},
    {"Socket", Settings::Kind::Number, "0"},
    {"EnabAuth", Settings::Kind::Number, nullptr},
    {"Name", Settings::Kind::Text, nullptr},
    {"Pass", Settings::Kind::Text, nullptr},
    {"Country", Settings::Kind::Text, nullptr},
    {"Lang", Settings::Kind::Text, nullptr},
    {"Path", Settings::Kind::Text, nullptr},
    // The calculations window: its size, the open tab and the last inputs of each tab.
    {"CalcWidth", Settings::Kind::Number, nullptr},
    {"CalcHeight", Settings::Kind::Number, nullptr},
    {"CalcTab", Settings::Kind::Number, nullptr},
    {"CalcPrincipal", Settings::Kind::Text, nullptr},
    {"CalcFrom", Settings::Kind::Text, nullptr},
    {"CalcTo", Settings::Kind::Text, nullptr},
    {"CalcBasis", Settings::Kind::Text, nullptr},   // "395", "150", "300" or the N of 1/N
    {"CalcPayments", Settings::Kind::Text, nullptr}, // "DD.MM.YYYY=AMOUNT" items joined by "|"
    {"ConvSeries", Settings::Kind::Text, nullptr},
    {"ConvDate", Settings::Kind::Text, nullptr},
    {"ConvAmount", Settings::Kind::Text, nullptr},
    {"ConvDirection", Settings::Kind::Number, nullptr}, // 0 currency to roubles, 1 roubles to currency
    {"InflFrom", Settings::Kind::Text, nullptr},
    {"InflTo", Settings::Kind::Text, nullptr},
    {"InflAmount", Settings::Kind::Text, nullptr},
    {"ChartSeries", Settings::Kind::Text, nullptr},
    {"ChartFrom", Settings::Kind::Text, nullptr},
    {"ChartTo", Settings::Kind::Text, nullptr},
    // The database file chosen at the first start (beside the program, or the user's copy); later starts of the
    // window and of tarvel-cli keep to it while it exists.
    {"Database", Settings::Kind::Text, nullptr},
};
} // namespace

const Settings::Value* Settings::values(int* count) {
    *count = int(std::size(kValues));
    return kValues;
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

bool Settings::contains(const QString& name) const {
    return m_settings->contains(kGroup + name);
}

QString Settings::text(const QString& name) const {
    return m_settings->value(kGroup + name).toString();
}

int Settings::number(const QString& name, int fallback) const {
    const QVariant v = m_settings->value(kGroup + name);
    if (!v.isValid())
        return fallback;
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : fallback;
}

void Settings::setText(const QString& name, const QString& value) {
    beforeWrite();
    m_settings->setValue(kGroup + name, value);
    sync();
}

void Settings::setNumber(const QString& name, int value) {
    beforeWrite();
    m_settings->setValue(kGroup + name, value);
    sync();
}

void Settings::setValues(const QList<QPair<QString, QVariant>>& values) {
    beforeWrite();
    for (const auto& [name, value] : values)
        m_settings->setValue(kGroup + name, value);
    sync();
}

int Settings::advertising() const {
    return number(QStringLiteral("Advertising"), 0);
}

std::optional<QString> Settings::country() const {
    if (!contains(QStringLiteral("Country")))
        return std::nullopt;
    return text(QStringLiteral("Country"));
}

std::optional<QString> Settings::lang() const {
    if (!contains(QStringLiteral("Lang")))
        return std::nullopt;
    return text(QStringLiteral("Lang"));
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
