#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorix::venue {

// Where the broker is: mqtt://HOST[:PORT] (1883) or mqtts://HOST[:PORT] (8883, TLS).
struct BrokerUrl {
    std::string host;
    int port = 1883;
    bool tls = false;
};

// Nothing else is accepted: no user or password in the URL (they would show
// in the process list and in logs), no path.
std::optional<BrokerUrl> ParseBrokerUrl(std::string_view url);

// The broker password a console started for remote tuning takes from its
// environment, so that it never shows on a command line.
inline constexpr const char* kBrokerPasswordVariable = "QUORIX_BROKER_PASSWORD";

} // namespace quorix::venue
