#include "broker_url.h"

#include <charconv>

namespace quorix::venue {

std::optional<BrokerUrl> ParseBrokerUrl(std::string_view url)
{
    BrokerUrl broker;
    if (url.starts_with("mqtts://")) {
        broker.tls = true;
        broker.port = 8883;
        url.remove_prefix(8);
    } else if (url.starts_with("mqtt://")) {
        url.remove_prefix(7);
    } else {
        return std::nullopt;
    }
    if (const auto colon = url.rfind(':'); colon != std::string_view::npos) {
        const auto digits = url.substr(colon + 1);
        int port = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
        if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() || port < 1 || port > 65535)
            return std::nullopt;
        broker.port = port;
        url = url.substr(0, colon);
    }
    if (url.empty() || url.find_first_of(":/@?#[] ") != std::string_view::npos)
        return std::nullopt;
    broker.host = std::string(url);
    return broker;
}

} // namespace quorix::venue
