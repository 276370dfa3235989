#pragma once

#include "HttpClient.h"

#include <QString>

#include <optional>

class Settings;

// The fixed offset of the stored password form: each character becomes the three digits of its code plus it.
inline constexpr int kPassOffset = 274;

QString EncodePass(const QString& password);
QString DecodePass(const QString& stored);
// The first character that the stored form cannot carry (code plus offset of four digits), if any.
std::optional<QChar> UnencodablePassChar(const QString& password);

// The kinds of server in the order of the dialog's list, as stored in Socket.
enum class ProxyKind { Socks4 = 0, Socks4A = 1, Socks5 = 2, Http = 3 };

// What the connection dialog shows and what the user confirms, as texts of its fields.
struct ConnectionDialogValues {
    bool useProxy = false;
    QString address;
    QString port;
    int kind = int(ProxyKind::Http);
    bool authorise = false;
    QString user;
    QString password;
};

// The dialog's filling from the stored values; nothing when the settings key does not exist. With the proxy
// off only the check box is loaded; a missing Enab or EnabAuth counts as 0.
std::optional<ConnectionDialogValues> ReadConnectionDialog(const Settings& settings);

// The dialog's confirmation: checks the port (a whole number from 0 to 65535) and the password (every character
// storable) before anything is written, then writes the values in one go, and gives the client's settings
// (address trimmed, user name and password as typed). Throws AppError with the reason and writes nothing when
// a check fails. Turning the proxy off writes only Enab; turning authorisation off leaves Name and Pass.
ConnectionSettings StoreConnectionDialog(Settings& settings, const ConnectionDialogValues& values);

// The client's settings from the stored values, as at start-up.
ConnectionSettings StoredConnectionSettings(const Settings& settings);

// Start-up: stores Path (the start directory) and hands the stored choice to the client.
void ApplyConnectionSettings(Settings& settings, HttpClient& client, const QString& startDirectory);
