#pragma once
// The desktop's real-time service (RealtimeKit, on the system bus), for a process
// that may not raise a thread to real-time priority itself.

// Asks the service to run thread `threadId` of this process at real-time
// `priority` (lowered to what the service allows). False when there is no
// service or it refuses. Sets the process's RLIMIT_RTTIME as the service demands.
bool AskRealtimeKit(long threadId, int priority);
