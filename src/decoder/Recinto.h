// The decoder's enclosure: the limits it runs under and what it can still reach once
// it starts reading a stranger's bytes. Nothing but its socket, memory, threads and
// clocks: no file, no network, no other process.
#pragma once

#include <string>

namespace Recinto {

// First thing at start: every descriptor but the socket closed, no core file, no
// file written, a CPU limit, and death with the game.
void Prepara();

// Once the decoders are loaded, before the first byte of input: the address space
// limited, no new privileges, no file system (Landlock, where the kernel has it) and
// only the system calls decoding needs (seccomp). False when the process could not
// be shut in, and must then decode nothing.
bool Chiudi();

// For the test that checks the enclosure: what opening a file gives under Landlock
// alone, then a file, a TCP and a UNIX socket once wholly shut in, as
// "landlock=ABI file_landlock=ERRNO file=ERRNO socket=ERRNO unix=ERRNO" (0 where it
// worked; ABI 0 without Landlock).
std::string Prova();

}  // namespace Recinto
