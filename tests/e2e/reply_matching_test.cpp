// Frames the console did not ask for, arriving while a request waits: a
// duplicated or late handshake reply, a duplicated status, a stale block.
#include "journey.h"

#include <string>

using namespace quorix;

namespace {

struct Stray {
    const char* name;
    int atProgress; // injected when the synchronisation reports this step, just before the next request
    link::Bytes payload;
    const char* traced;
};

link::Bytes HandshakeReply()
{
    return {'Q', 'U', 'O', 'R', 'I', 'X', '_', '1'};
}

} // namespace

TEST_F(Journey, AStrayFrameNeverEndsTheRequestThatWaits)
{
    const Stray strays[] = {
        {"duplicated handshake reply before ReadStatus", 0, HandshakeReply(), "RX Unexpected:Handshake"},
        {"duplicated status before the first block", 1, {0, 5}, "RX Unexpected:Short"},
        {"stale kind 0 block before kind 1", 2, link::Bytes(link::BlockDataSize(0), 0), "RX Unexpected:Block0"},
    };
    for (const Stray& stray : strays) {
        SCOPED_TRACE(stray.name);
        if (device.online())
            device.toggleConnection(), device.toggleConnection(); // off and on: a fresh synchronisation
        trace.str({});
        setProcessorGain(0, 99, 1); // the dance set differs from the singing set
        bool injected = false;
        host.onProgress = [&](int done) {
            if (host.progressVisible && done == stray.atProgress && !injected) {
                injected = true;
                port.injectInput(ReplyFrame(stray.payload));
            }
        };
        connect();
        host.onProgress = nullptr;
        ASSERT_TRUE(injected);
        EXPECT_TRUE(host.synchronisations.back());
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(view.currentPreset, processor.currentPreset());
        expectStoreMatchesProcessor();
        EXPECT_NE(trace.str().find(stray.traced), std::string::npos) << trace.str();
    }
}

TEST_F(Journey, AHandshakeAnsweredLaterThanItsResendDoesNotPassForTheStatus)
{
    port.setReplyDelay(600); // both handshakes of the search get answered, the second while ReadStatus waits
    connect();
    EXPECT_EQ(host.synchronisations, std::vector<bool>{true});
    EXPECT_EQ(view.currentPreset, 0);
    expectStoreMatchesProcessor();
    EXPECT_NE(trace.str().find("RX Unexpected:Handshake"), std::string::npos);
}
