// Fuzz bytes as keyboard input for the test console. Most bytes are typed as
// themselves, so that a seed reads like what the user types ("12\r12\r2\r\r");
// a few control bytes stand for the keys and events without a character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "console/input_event.h"

namespace bellform::fuzz {

using Burst = std::vector<InputEvent>;

// At most `max_keys` bursts from the bytes.
std::vector<Burst> keys_from_bytes(const std::uint8_t* data, std::size_t size,
                                   std::size_t max_keys);

// Queues the bursts on the test console.
void queue_bursts(const std::vector<Burst>& bursts);

}  // namespace bellform::fuzz
