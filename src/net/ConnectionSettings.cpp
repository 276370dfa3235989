#include "ConnectionSettings.h"

#include "common/AppError.h"
#include "common/NumberText.h"
#include "common/Settings.h"

namespace {

SocksVersion versionOf(int kind) {
    switch (kind) {
    case int(ProxyKind::Socks4):
        return SocksVersion::Socks4;
    case int(ProxyKind::Socks4A):
        return SocksVersion::Socks4A;
    case int(ProxyKind::Socks5):
        return SocksVersion::Socks5;
    default:
        return SocksVersion::None;
    }
}
} // namespace

QString EncodePass(const QString& password) {
    QString stored;
    stored.reserve(password.size() * 3);
    for (QChar c : password)
        stored += QString::number(c.unicode() + kPassOffset);
    return stored;
}

QString DecodePass(const QString& stored) {
    QString password;
    for (qsizetype start = 0; start < stored.size(); start += 3) {
        bool ok = false;
        const int code = stored.mid(start, 3).toInt(&ok) - kPassOffset;
        // A damaged tail is dropped rather than turned into characters nobody typed.
        if (!ok || stored.mid(start, 3).size() != 3 || code < 0)
            break;
        password += QChar(char16_t(code));
    }
    return password;
}

std::optional<QChar> UnencodablePassChar(const QString& password) {
    for (QChar c : password) {
        if (c.unicode() + kPassOffset > 999)
            return c;
    }
    return std::nullopt;
}

std::optional<ConnectionDialogValues> ReadConnectionDialog(const Settings& settings) {
    if (!settings.keyExists())
        return std::nullopt;
    ConnectionDialogValues v;
    v.useProxy = settings.number(Settings::Key::Enab) != 0;
    if (!v.useProxy)
        return v;
    v.address = settings.text(Settings::Key::ProxyIP);
    if (settings.contains(Settings::Key::ProxyPort))
        v.port = QString::number(settings.number(Settings::Key::ProxyPort));
    const int kind = settings.number(Settings::Key::Socket, int(ProxyKind::Http));
    if (kind >= int(ProxyKind::Socks4) && kind <= int(ProxyKind::Http))
        v.kind = kind;
    v.authorise = settings.number(Settings::Key::EnabAuth) != 0;
    if (v.authorise) {
        v.user = settings.text(Settings::Key::Name);
        v.password = DecodePass(settings.text(Settings::Key::Pass));
    }
    return v;
}

ConnectionSettings StoreConnectionDialog(Settings& settings, const ConnectionDialogValues& v) {
    ConnectionSettings client;
    if (!v.useProxy) {
        settings.setValues({{Settings::Key::Enab, 0}});
        return client;
    }
    const QString portText = v.port.trimmed();
    const int port = readInteger(portText);
    if (port < 0 || port > 65535)
        throw AppError(QStringLiteral("Номер порта должен быть от 0 до 65535."));
    if (v.authorise) {
        if (const auto bad = UnencodablePassChar(v.password))
            throw AppError(QStringLiteral("Пароль содержит символ «%1», который нельзя сохранить в настройках.\n"
                                          "Используйте латинские буквы, цифры и знаки препинания.")
                               .arg(*bad));
    }
    const int kind =
        (v.kind >= int(ProxyKind::Socks4) && v.kind <= int(ProxyKind::Http)) ? v.kind : int(ProxyKind::Http);
    const QString address = v.address.trimmed();

    QList<QPair<Settings::Key, QVariant>> values{{Settings::Key::Enab, 1},
                                                 {Settings::Key::ProxyIP, address},
                                                 {Settings::Key::ProxyPort, port},
                                                 {Settings::Key::Socket, kind},
                                                 {Settings::Key::EnabAuth, v.authorise ? 1 : 0}};
    if (v.authorise) {
        values.append({Settings::Key::Name, v.user.trimmed()});
        values.append({Settings::Key::Pass, EncodePass(v.password)});
    }
    settings.setValues(values);

    if (kind == int(ProxyKind::Http)) {
        client.proxy.server = address;
        client.proxy.port = port;
        if (v.authorise) {
            client.proxy.user = v.user;
            client.proxy.password = v.password;
        }
    } else {
        client.socks.version = versionOf(kind);
        client.socks.host = address;
        client.socks.port = port;
        if (v.authorise) {
            client.socks.authentication = SocksAuthentication::UserPassword;
            client.socks.user = v.user;
            client.socks.password = v.password;
        }
    }
    return client;
}

ConnectionSettings StoredConnectionSettings(const Settings& settings) {
    ConnectionSettings client;
    if (settings.number(Settings::Key::Enab) == 0)
        return client;
    const int kind = settings.number(Settings::Key::Socket);
    const QString address = settings.text(Settings::Key::ProxyIP);
    const int port = settings.number(Settings::Key::ProxyPort);
    const bool http = kind == int(ProxyKind::Http);
    if (http) {
        client.proxy.server = address;
        client.proxy.port = port;
    } else {
        client.socks.host = address;
        client.socks.port = port;
        client.socks.version = versionOf(kind); // an unknown kind leaves no SOCKS version: direct
    }
    if (settings.number(Settings::Key::EnabAuth) != 0) {
        const QString user = settings.text(Settings::Key::Name);
        const QString password = DecodePass(settings.text(Settings::Key::Pass));
        if (http) {
            client.proxy.user = user;
            client.proxy.password = password;
        } else {
            client.socks.authentication = SocksAuthentication::UserPassword;
            client.socks.user = user;
            client.socks.password = password;
        }
    }
    return client;
}

void ApplyConnectionSettings(Settings& settings, HttpClient& client, const QString& startDirectory) {
    settings.setText(Settings::Key::Path, startDirectory);
    client.setConnectionSettings(StoredConnectionSettings(settings));
}
