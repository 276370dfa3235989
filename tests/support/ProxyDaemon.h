#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A real proxy server from a Debian package, started by a test on a free loopback port with its own
// configuration in a temporary folder, and stopped when the object goes.
class ProxyDaemon {
public:
    // HTTP proxy; with a user name, the proxy asks for Basic authentication.
    static std::unique_ptr<ProxyDaemon> tinyproxy(const QString& user = {}, const QString& password = {});
    // SOCKS4 and SOCKS5 without authentication.
    static std::unique_ptr<ProxyDaemon> dante();
    // SOCKS5; with a user name, only the user-name-and-password method is accepted.
    static std::unique_ptr<ProxyDaemon> microsocks(const QString& user = {}, const QString& password = {});
    // SOCKS4 and SOCKS4A, logging the user id of every connection.
    static std::unique_ptr<ProxyDaemon> twistedSocks();
    // Not a proxy: an https server (openssl s_server) with a self-signed certificate for localhost.
    static std::unique_ptr<ProxyDaemon> selfSignedHttps();

    ~ProxyDaemon();
    ProxyDaemon(const ProxyDaemon&) = delete;
    ProxyDaemon& operator=(const ProxyDaemon&) = delete;

    bool started() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    quint16 port() const { return m_port; }
    QString name() const { return m_name; }
    // What the server wrote to its output and its log file so far.
    QString log();

private:
    ProxyDaemon(QString name, QString package);
    void start(const QString& program, const QStringList& arguments);
    QString file(const QString& name) const { return m_dir.filePath(name); }
    void writeFile(const QString& name, const QByteArray& content);

    QString m_name;
    QString m_package;
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
    QString m_logFile;
    QByteArray m_output;
};
