// XMODEM: a sender and a receiver joined by a line that loses, splits, delays and
// damages (one bit per burst) what it carries. Whatever the line does, a receiver that finishes
// holds exactly the payload padded to whole blocks, a sender that finishes had every block
// received, and neither end sends anything after it stopped. Also a lone receiver fed
// raw bytes never holds a partial block.
#include "device/xmodem.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using xmodem::Bytes;
using xmodem::State;

bool stopped(State state) {
    return state == State::done || state == State::failed;
}

// Carries one burst to `deliver`, as the line in the input chooses.
// The answers a receiver gives at once arrive in one read (`splittable` false): the sender
// relies on that to tell a stale second ACK from the answer to its new block.
template <typename Deliver>
void carry(FuzzedDataProvider& input, Bytes burst, bool splittable, std::int64_t now,
           Deliver&& deliver) {
    if (burst.empty()) return;
    if (input.remaining_bytes() == 0) {
        deliver(burst, now);
        return;
    }
    switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return; // lost
    case 1: {   // one bit damaged
        const std::size_t at = input.ConsumeIntegralInRange<std::size_t>(0, burst.size() - 1);
        burst[at] ^= static_cast<std::uint8_t>(1u << input.ConsumeIntegralInRange(0, 7));
        deliver(burst, now);
        return;
    }
    case 2: { // split in two
        if (!splittable) {
            deliver(burst, now);
            return;
        }
        const std::size_t cut = input.ConsumeIntegralInRange<std::size_t>(0, burst.size());
        deliver(Bytes(burst.begin(), burst.begin() + cut), now);
        deliver(Bytes(burst.begin() + cut, burst.end()), now + 1);
        return;
    }
    default:
        deliver(burst, now);
        return;
    }
}

void lone_receiver(FuzzedDataProvider& input) {
    std::int64_t now = 0;
    xmodem::Receiver receiver(xmodem::Timing{}, now);
    while (input.remaining_bytes() > 0) {
        const Bytes bytes = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(0, 300));
        now += input.ConsumeIntegralInRange(0, 20000);
        const State before = receiver.state();
        receiver.receive(bytes, now);
        receiver.tick(now);
        FUZZ_CHECK(receiver.data().size() % xmodem::block_size == 0);
        const Bytes out = receiver.take_output();
        for (const std::uint8_t b : out)
            FUZZ_CHECK(b == xmodem::crc_request || b == xmodem::ack || b == xmodem::nak ||
                       b == xmodem::can);
        if (stopped(before)) FUZZ_CHECK(out.empty() && receiver.state() == before);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool()) {
        lone_receiver(input);
        return 0;
    }
    const Bytes payload = input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange(0, 2000));
    xmodem::Timing timing;
    timing.max_retries = input.ConsumeIntegralInRange(1, 10);
    std::int64_t now = 0;
    xmodem::Receiver receiver(timing, now);
    xmodem::Sender sender(payload, timing, now);

    // Both ends are polled every few milliseconds, as the device session does; the line takes
    // up to a second per burst. (Much longer stalls with bytes in flight can make both ends
    // repeat a block at once, which XMODEM, without numbered answers, cannot tell apart.)
    for (int step = 0; step < 400000; ++step) {
        const State sender_before = sender.state();
        const State receiver_before = receiver.state();
        carry(input, receiver.take_output(), false, now,
              [&](const Bytes& b, std::int64_t t) { sender.receive(b, t); });
        carry(input, sender.take_output(), true, now,
              [&](const Bytes& b, std::int64_t t) { receiver.receive(b, t); });
        now += input.remaining_bytes() > 0 ? input.ConsumeIntegralInRange(1, 1000) : 20;
        sender.tick(now);
        receiver.tick(now);
        if (stopped(sender_before)) FUZZ_CHECK(sender.state() == sender_before);
        if (stopped(receiver_before)) FUZZ_CHECK(receiver.state() == receiver_before);
        if (stopped(sender.state()) && stopped(receiver.state())) break;
    }
    FUZZ_CHECK(stopped(sender.state()) && stopped(receiver.state()));

    Bytes padded = payload;
    padded.resize((payload.size() + xmodem::block_size - 1) / xmodem::block_size *
                      xmodem::block_size,
                  xmodem::pad);
    if (receiver.state() == State::done) FUZZ_CHECK(receiver.data() == padded);
    // A finished sender had every block received.
    if (sender.state() == State::done) {
        FUZZ_CHECK(receiver.data() == padded);
        FUZZ_CHECK(sender.blocks_acknowledged() == sender.blocks_total());
    }
    return 0;
}
