#include "framework/net/PlainHttpClient.h"

#include "framework/net/JoinedWrites.h"
#include "framework/net/ReadAhead.h"

// As httplib's own, over the joining and reading-ahead streams.
bool TPlainHttpClient::process_socket(const Socket& socket,
                                      std::function<bool(httplib::Stream& strm)> callback) {
    return httplib::detail::process_client_socket(socket.sock, read_timeout_sec_,
                                                  read_timeout_usec_, write_timeout_sec_,
                                                  write_timeout_usec_, [&](httplib::Stream& strm) {
                                                      TJoinedWrites joined(strm);
                                                      TReadAhead ahead(joined, m_readAhead);
                                                      const bool ok = callback(ahead);
                                                      return joined.Flush() && ok;
                                                  });
}
