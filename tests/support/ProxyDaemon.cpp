#include "ProxyDaemon.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

#include <unistd.h>

namespace {
quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QString findProgram(const QString& name) {
    QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    return found;
}
} // namespace

ProxyDaemon::ProxyDaemon(QString name, QString package) : m_name(std::move(name)), m_package(std::move(package)) {
    m_process.setWorkingDirectory(m_dir.path());
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

ProxyDaemon::~ProxyDaemon() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
}

void ProxyDaemon::writeFile(const QString& name, const QByteArray& content) {
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
}

QString ProxyDaemon::log() {
    m_output += m_process.readAll();
    QString text = QString::fromUtf8(m_output);
    if (!m_logFile.isEmpty()) {
        QFile f(m_logFile);
        if (f.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(f.readAll());
    }
    return text;
}

void ProxyDaemon::start(const QString& program, const QStringList& arguments) {
    const QString path = findProgram(program);
    if (path.isEmpty()) {
        m_error = QStringLiteral("%1 is not installed (Debian package %2); tools/install-deps.sh "
                                 "debian-test-packages.txt installs it")
                      .arg(program, m_package);
        return;
    }
    m_process.start(path, arguments);
    if (!m_process.waitForStarted(10000)) {
        m_error = QStringLiteral("%1 did not start: %2").arg(program, m_process.errorString());
        return;
    }
    // Ready when the port takes connections.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 20000) {
        if (m_process.state() == QProcess::NotRunning) {
            m_error = QStringLiteral("%1 ended at start: %2").arg(program, log());
            return;
        }
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, m_port);
        if (probe.waitForConnected(200)) {
            probe.disconnectFromHost();
            return;
        }
        m_process.waitForReadyRead(100);
    }
    m_error = QStringLiteral("%1 did not listen on port %2: %3").arg(program).arg(m_port).arg(log());
}

std::unique_ptr<ProxyDaemon> ProxyDaemon::tinyproxy(const QString& user, const QString& password) {
    std::unique_ptr<ProxyDaemon> d(new ProxyDaemon(QStringLiteral("tinyproxy"), QStringLiteral("tinyproxy")));
    d->m_port = freePort();
    QByteArray config = "Port " + QByteArray::number(d->m_port) +
                        "\nListen 127.0.0.1\nTimeout 30\nAllow 127.0.0.1\nMaxClients 20\nLogLevel Info\n";
    if (!user.isEmpty())
        config += "BasicAuth " + user.toUtf8() + ' ' + password.toUtf8() + '\n';
    d->writeFile(QStringLiteral("tinyproxy.conf"), config);
    d->start(QStringLiteral("tinyproxy"), {QStringLiteral("-d"), QStringLiteral("-c"), d->file("tinyproxy.conf")});
    return d;
}

std::unique_ptr<ProxyDaemon> ProxyDaemon::dante() {
    std::unique_ptr<ProxyDaemon> d(new ProxyDaemon(QStringLiteral("danted"), QStringLiteral("dante-server")));
    d->m_port = freePort();
    QByteArray config = "logoutput: stderr\ninternal: 127.0.0.1 port = " + QByteArray::number(d->m_port) +
                        "\nexternal: 127.0.0.1\nclientmethod: none\nsocksmethod: none\n";
    if (geteuid() == 0)
        config += "user.privileged: root\nuser.unprivileged: nobody\n";
    config +=
        "client pass {\n  from: 127.0.0.0/8 to: 0.0.0.0/0\n}\n"
        "socks pass {\n  from: 127.0.0.0/8 to: 0.0.0.0/0\n  protocol: tcp\n  command: connect\n  log: connect\n}\n";
    d->writeFile(QStringLiteral("danted.conf"), config);
    d->start(QStringLiteral("danted"),
             {QStringLiteral("-f"), d->file("danted.conf"), QStringLiteral("-p"), d->file("danted.pid")});
    return d;
}

std::unique_ptr<ProxyDaemon> ProxyDaemon::microsocks(const QString& user, const QString& password) {
    std::unique_ptr<ProxyDaemon> d(new ProxyDaemon(QStringLiteral("microsocks"), QStringLiteral("microsocks")));
    d->m_port = freePort();
    QStringList args{QStringLiteral("-i"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                     QString::number(d->m_port)};
    if (!user.isEmpty())
        args << QStringLiteral("-u") << user << QStringLiteral("-P") << password;
    d->start(QStringLiteral("microsocks"), args);
    return d;
}

std::unique_ptr<ProxyDaemon> ProxyDaemon::twistedSocks() {
    std::unique_ptr<ProxyDaemon> d(new ProxyDaemon(QStringLiteral("twistd3 socks"), QStringLiteral("python3-twisted")));
    d->m_port = freePort();
    d->m_logFile = d->file("twistd.log");
    d->start(QStringLiteral("twistd3"),
             {QStringLiteral("--nodaemon"), QStringLiteral("--pidfile="), QStringLiteral("--logfile"), d->m_logFile,
              QStringLiteral("socks"), QStringLiteral("--interface"), QStringLiteral("127.0.0.1"),
              QStringLiteral("--port"), QString::number(d->m_port)});
    return d;
}

std::unique_ptr<ProxyDaemon> ProxyDaemon::selfSignedHttps() {
    std::unique_ptr<ProxyDaemon> d(new ProxyDaemon(QStringLiteral("openssl s_server"), QStringLiteral("openssl")));
    d->m_port = freePort();
    const QString openssl = findProgram(QStringLiteral("openssl"));
    if (openssl.isEmpty()) {
        d->start(QStringLiteral("openssl"), {});
        return d;
    }
    QProcess make;
    make.setWorkingDirectory(d->m_dir.path());
    make.start(openssl, {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                         QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-subj"),
                         QStringLiteral("/CN=localhost"), QStringLiteral("-addext"),
                         QStringLiteral("subjectAltName=DNS:localhost"), QStringLiteral("-days"), QStringLiteral("2"),
                         QStringLiteral("-keyout"), d->file("key.pem"), QStringLiteral("-out"), d->file("cert.pem")});
    if (!make.waitForFinished(60000) || make.exitCode() != 0) {
        d->m_error = QStringLiteral("openssl could not make a certificate: ") + QString::fromUtf8(make.readAll());
        return d;
    }
    d->start(QStringLiteral("openssl"), {QStringLiteral("s_server"), QStringLiteral("-quiet"), QStringLiteral("-www"),
                                         QStringLiteral("-accept"), QString::number(d->m_port), QStringLiteral("-cert"),
                                         d->file("cert.pem"), QStringLiteral("-key"), d->file("key.pem")});
    return d;
}
