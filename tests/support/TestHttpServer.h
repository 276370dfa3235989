#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>

using TestHeader = QPair<QByteArray, QByteArray>;
inline TestHeader header(const QByteArray& name, const QByteArray& value) {
    return TestHeader(name, value);
}

// One request as the test server received it.
struct TestRequest {
    QByteArray method;
    QByteArray target; // path and query, or the absolute address of a proxy request
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray header(const QByteArray& name) const; // case-insensitive; empty when absent
    bool hasHeader(const QByteArray& name) const;
};

// What the test server answers, and how.
struct TestReply {
    enum class Mode {
        Normal,
        Silent,         // reads the request and never answers
        StallAfterBody, // sends the headers (announcing more) and the body, then nothing
        CloseMidBody,   // announces more than the body and closes after it
    };
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    Mode mode = Mode::Normal;
    int delayMs = 0;
    bool contentLength = true; // false: the end of the body is the end of the connection
    qint64 filler = 0;         // bytes of 'x' after the body, written only as fast as the client takes them
    int dripMs = 0;            // the body goes out one byte at a time, one every dripMs

    static TestReply ok(const QByteArray& body, const QByteArray& contentType = "text/xml");
    static TestReply redirect(const QByteArray& location, int status = 302);
};

// A small HTTP/1.1 server on 127.0.0.1 with its own thread, so that blocking clients in the test's thread
// can talk to it. Every connection gets one answer and is closed.
class TestHttpServer {
public:
    using Handler = std::function<TestReply(const TestRequest&)>;

    explicit TestHttpServer(Handler handler = {});
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    quint16 port() const;
    QString base() const; // http://127.0.0.1:port
    void setHandler(Handler handler);
    // Answers every request with this reply.
    void serve(const TestReply& reply);

    QList<TestRequest> requests() const;
    int requestCount() const;
    void clearRequests();

    struct Private;

private:
    std::unique_ptr<Private> d;
};
