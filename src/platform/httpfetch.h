#pragma once
// Synchronous HTTP downloads on the user-interface thread: open an address, then read its body in
// pieces. Waiting happens in a local event loop with user input discarded, bounded by the
// configured time-out; the configured proxy is honoured and every fetch comes from the server.
#include <QString>

#include <functional>
#include <memory>

namespace httpfetch {

// The size of one piece read from a response.
inline constexpr qint64 kPieceSize = 2048;

class Response {
public:
    virtual ~Response() = default;
    // Reads the next piece of at most maxSize bytes, waiting for it; 0 at the end of the body or
    // when the transfer broke off (see failed()).
    virtual qint64 read(char* data, qint64 maxSize) = 0;
    // True once the transfer broke off before the whole body came (dropped connection, time-out).
    virtual bool failed() const = 0;
};

class Session {
public:
    virtual ~Session() = default;
    // Opens an http or https address; null when it cannot be opened: another scheme, no
    // connection, an HTTP status of 400 or more, or the time-out.
    virtual std::unique_ptr<Response> open(const QString& url) = 0;
};

// A session over the network; null when none can be made (no application object).
std::unique_ptr<Session> OpenSession();

// Tests replace what OpenSession makes; an empty function restores the network session.
void SetSessionFactory(std::function<std::unique_ptr<Session>()> factory);

}  // namespace httpfetch
