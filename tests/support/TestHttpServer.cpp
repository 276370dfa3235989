#include "TestHttpServer.h"

#include <QHostAddress>
#include <QMutex>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <future>
#include <memory>

namespace {
QByteArray reasonOf(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 407:
        return "Proxy Authentication Required";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}
} // namespace

QByteArray TestRequest::header(const QByteArray& name) const {
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

bool TestRequest::hasHeader(const QByteArray& name) const {
    for (const auto& h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

TestReply TestReply::ok(const QByteArray& body, const QByteArray& contentType) {
    TestReply r;
    r.body = body;
    r.headers.append(header("Content-Type", contentType));
    return r;
}

TestReply TestReply::redirect(const QByteArray& location, int status) {
    TestReply r;
    r.status = status;
    r.headers.append(header("Location", location));
    return r;
}

struct TestHttpServer::Private : QThread {
    mutable QMutex mutex;
    Handler handler;
    QList<TestRequest> requests;
    std::promise<quint16> listening;
    quint16 port = 0;

    void run() override {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this, &server] {
            while (QTcpSocket* socket = server.nextPendingConnection())
                accept(socket);
        });
        listening.set_value(server.serverPort());
        exec();
    }

    void accept(QTcpSocket* socket) {
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            const qsizetype end = buffer->indexOf("\r\n\r\n");
            if (end < 0 || socket->property("answered").toBool())
                return;
            socket->setProperty("answered", true);
            const TestRequest request = parse(buffer->left(end));
            Handler h;
            {
                QMutexLocker lock(&mutex);
                requests.append(request);
                h = handler;
            }
            const TestReply reply = h ? h(request) : TestReply::ok("");
            if (reply.delayMs > 0) {
                QPointer<QTcpSocket> guard(socket);
                QTimer::singleShot(reply.delayMs, socket, [guard, reply] {
                    if (guard)
                        answer(guard, reply);
                });
            } else {
                answer(socket, reply);
            }
        });
    }

    static TestRequest parse(const QByteArray& head) {
        TestRequest r;
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        r.method = first.value(0);
        r.target = first.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon > 0)
                r.headers.append(header(line.left(colon).trimmed(), line.mid(colon + 1).trimmed()));
        }
        return r;
    }

    static void answer(QTcpSocket* socket, const TestReply& reply) {
        using Mode = TestReply::Mode;
        if (reply.mode == Mode::Silent)
            return;
        QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + reasonOf(reply.status) + "\r\n";
        for (const auto& [key, value] : reply.headers)
            out += key + ": " + value + "\r\n";
        qint64 announced = reply.body.size() + reply.filler;
        if (reply.mode == Mode::StallAfterBody || reply.mode == Mode::CloseMidBody)
            announced += 1000;
        if (reply.contentLength)
            out += "Content-Length: " + QByteArray::number(announced) + "\r\n";
        out += "Connection: close\r\n\r\n";
        socket->write(out);
        const bool close = reply.mode != Mode::StallAfterBody;
        if (reply.dripMs > 0) {
            auto* timer = new QTimer(socket);
            auto sent = std::make_shared<qsizetype>(0);
            QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, sent, body = reply.body, close] {
                if (*sent < body.size()) {
                    socket->write(body.constData() + *sent, 1);
                    ++*sent;
                    return;
                }
                timer->stop();
                if (close)
                    socket->disconnectFromHost();
            });
            timer->start(reply.dripMs);
            return;
        }
        socket->write(reply.body);
        if (reply.filler > 0) {
            // A large answer is made while it goes out, so that the server never holds it.
            auto left = std::make_shared<qint64>(reply.filler);
            const auto feed = [socket, left, close] {
                static const QByteArray chunk(64 * 1024, 'x');
                while (*left > 0 && socket->bytesToWrite() < 4 * chunk.size()) {
                    const qint64 n = qMin<qint64>(*left, chunk.size());
                    socket->write(chunk.constData(), n);
                    *left -= n;
                }
                if (*left == 0 && close) {
                    *left = -1;
                    socket->disconnectFromHost();
                }
            };
            QObject::connect(socket, &QTcpSocket::bytesWritten, socket, feed);
            feed();
            return;
        }
        if (close)
            socket->disconnectFromHost(); // after what is written has gone out
    }
};

TestHttpServer::TestHttpServer(Handler handler) : d(std::make_unique<Private>()) {
    d->handler = std::move(handler);
    auto ready = d->listening.get_future();
    d->start();
    d->port = ready.get();
}

TestHttpServer::~TestHttpServer() {
    d->quit();
    d->wait();
}

quint16 TestHttpServer::port() const {
    return d->port;
}

QString TestHttpServer::base() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(d->port);
}

void TestHttpServer::setHandler(Handler handler) {
    QMutexLocker lock(&d->mutex);
    d->handler = std::move(handler);
}

void TestHttpServer::serve(const TestReply& reply) {
    setHandler([reply](const TestRequest&) { return reply; });
}

QList<TestRequest> TestHttpServer::requests() const {
    QMutexLocker lock(&d->mutex);
    return d->requests;
}

int TestHttpServer::requestCount() const {
    QMutexLocker lock(&d->mutex);
    return int(d->requests.size());
}

void TestHttpServer::clearRequests() {
    QMutexLocker lock(&d->mutex);
    d->requests.clear();
}
