// Lets the calling thread's pending messages run while a long task holds it.
#pragma once

namespace quirel::webcopy {

// Dispatches every message waiting in the queue and returns. A quit request is put back for
// the message loop that owns the thread.
void ProcessMessages();

}  // namespace quirel::webcopy
